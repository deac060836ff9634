#include "core/remote/remote_hub.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

// A driver thread that performs commands when woken, as a window's event
// loop would.
struct DriverThread {
  RemoteHub& hub;
  std::atomic<bool> woken{false};
  std::atomic<bool> stop{false};
  std::thread thread;
  explicit DriverThread(RemoteHub& h) : hub(h) {
    hub.SetWaker([this] { woken = true; });
    thread = std::thread([this] {
      while (!stop) {
        if (woken.exchange(false)) hub.DeliverCommands();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
    });
  }
  ~DriverThread() {
    stop = true;
    thread.join();
  }
};

TEST(RemoteHub, CommandsArePerformedOnTheDriverThreadAndRepliedTo) {
  RemoteHub hub;
  std::thread::id performedOn;
  hub.SetPerformer([&](const RemoteCommand& command) {
    performedOn = std::this_thread::get_id();
    RemoteState state;
    state.scene = command.scene;
    hub.Publish(state);
    return RemoteReply{RemoteReply::Status::OK, "", state};
  });
  DriverThread driver(hub);
  const RemoteReply reply = hub.Submit({RemoteAction::JUMP, 3, ""});
  EXPECT_EQ(RemoteReply::Status::OK, reply.status);
  EXPECT_EQ(3, reply.state.scene);
  EXPECT_EQ(driver.thread.get_id(), performedOn);
  EXPECT_EQ(3, hub.Latest().scene);
}

TEST(RemoteHub, UnansweredCommandIsTakenBackAndNeverPerformed) {
  RemoteHub hub;
  int performed = 0;
  hub.SetPerformer([&](const RemoteCommand&) {
    ++performed;
    return RemoteReply{};
  });
  // No driver: nobody delivers.
  const RemoteReply reply = hub.Submit({RemoteAction::NEXT, 0, ""}, std::chrono::milliseconds(20));
  EXPECT_EQ(RemoteReply::Status::UNAVAILABLE, reply.status);
  hub.DeliverCommands();
  EXPECT_EQ(0, performed);
  hub.Shutdown();
  EXPECT_EQ(RemoteReply::Status::UNAVAILABLE, hub.Submit({RemoteAction::NEXT, 0, ""}).status);
}

TEST(RemoteHub, WatchersHearOnlyChanges) {
  RemoteHub hub;
  std::vector<int> heard;
  const int key = hub.Watch([&](const RemoteState& state) { heard.push_back(state.scene); });
  RemoteState state;
  for (int scene : {1, 1, 2, 2, 3}) {
    state.scene = scene;
    hub.Publish(state);
  }
  hub.Unwatch(key);
  state.scene = 4;
  hub.Publish(state);
  EXPECT_EQ((std::vector<int>{1, 2, 3}), heard);
  EXPECT_STREQ("paused", RunStateName(RemoteState::Run::PAUSED));
}

}  // namespace

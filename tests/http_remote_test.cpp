// The web remote on 127.0.0.1 with a real client: every route and status,
// the event stream, who may use it, and the limits that keep clients from
// holding it up.
#include "core/remote/http_remote.h"

#include <gtest/gtest.h>

#include "support/fake_remote_player.h"
#include "support/raw_http.h"

namespace {

using std::chrono::milliseconds;

struct Remote {
  FakeRemotePlayer player;
  HttpRemote http;
  std::string started;
  explicit Remote(const std::string& token = "", HttpRemote::Limits limits = {}, bool drive = true)
      : player(drive), http(player.hub, limits), started(http.Start("127.0.0.1", 0, token)) {}
  int Port() const { return http.Port(); }
};

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A request with its headers, and the status it must get.
struct HeaderCase {
  const char* method;
  const char* target;
  std::vector<std::string> headers;
  int status;
};

TEST(HttpRemote, EveryRouteAnswersWithItsStatus) {
  const struct {
    const char* method;
    const char* target;
    int status;
    const char* body;  // a part of the answer
  } steps[] = {
      {"GET", "/", 200, "<title>Lumivane remote</title>"},
      {"GET", "/api/state", 200, R"({"scene":1,"name":"Intro","state":"running","remaining":2.0,"late":0.0,)"},
      {"POST", "/api/next", 200, R"("scene":2,"name":"Verse")"},
      {"POST", "/api/previous", 200, R"("scene":1,)"},
      {"POST", "/api/previous", 200, R"("scene":3,"name":"Finale")"},
      {"POST", "/api/scene/2", 200, R"("scene":2,)"},
      {"POST", "/api/scene/0", 400, R"({"error":")"},
      {"POST", "/api/scene/two", 400, R"({"error":")"},
      {"POST", "/api/scene/4", 404, R"({"error":"There is no scene 4"})"},
      {"POST", "/api/pause", 200, R"("state":"paused")"},
      {"POST", "/api/resume", 200, R"("state":"running")"},
      {"POST", "/api/restart", 200, R"("scene":1,)"},
      {"POST", "/api/stop", 200, R"("state":"stopped")"},
      {"POST", "/api/next", 409, R"({"error":"No run is in progress"})"},
      {"POST", "/api/scene/2", 409, R"({"error":"No run is in progress"})"},
      {"POST", "/api/run", 200, R"("scene":1,"name":"Intro","state":"running")"},
      {"GET", "/api/state", 200, R"("scenes":["Intro","Verse","Finale"])"},
      {"GET", "/nothing", 404, R"({"error":")"},
      {"GET", "/api/next", 405, R"({"error":")"},
      {"POST", "/api/state", 405, R"({"error":")"},
      {"PUT", "/", 405, R"({"error":")"},
  };
  Remote remote;
  ASSERT_EQ("", remote.started);
  for (const auto& step : steps) {
    const RawAnswer answer = RawRequest(remote.Port(), step.method, step.target);
    EXPECT_EQ(step.status, answer.status) << step.method << " " << step.target;
    EXPECT_TRUE(Has(answer.body, step.body)) << step.method << " " << step.target << ": " << answer.body;
  }
  EXPECT_EQ(12, remote.player.performed) << "refused routes never reach the player";
  EXPECT_TRUE(Has(RawRequest(remote.Port(), "GET", "/api/next").headers, "Allow: POST"));
  const std::string page = RawRequest(remote.Port(), "GET", "/").headers;
  EXPECT_TRUE(Has(page, "Content-Type: text/html; charset=utf-8"));
  EXPECT_TRUE(Has(page, "Content-Security-Policy: default-src 'none';")) << "no outside assets";
}

TEST(HttpRemote, APlayerThatDoesNotAnswerIsUnavailable) {
  HttpRemote::Limits limits;
  limits.commandWait = milliseconds(50);
  Remote remote("", limits, false);
  const RawAnswer answer = RawRequest(remote.Port(), "POST", "/api/next");
  EXPECT_EQ(503, answer.status);
  EXPECT_TRUE(Has(answer.body, R"({"error":")"));
  EXPECT_EQ(200, RawRequest(remote.Port(), "GET", "/api/state").status) << "the state needs no driver";
}

TEST(HttpRemote, ATokenIsNeededByEveryRequestWhenThereIsOne) {
  const HeaderCase cases[] = {
      {"GET", "/", {}, 401},
      {"GET", "/api/state", {}, 401},
      {"GET", "/api/events", {}, 401},
      {"POST", "/api/next", {}, 401},
      {"POST", "/api/next", {"Authorization: Bearer wrong"}, 401},
      {"POST", "/api/next?token=wrong", {}, 401},
      {"GET", "/nothing", {}, 401},
      {"GET", "/?token=Tok-en_1", {}, 200},
      {"GET", "/api/state", {"Authorization: Bearer Tok-en_1"}, 200},
      {"POST", "/api/next", {"Authorization: Bearer Tok-en_1"}, 200},
      {"POST", "/api/next?token=Tok-en_1", {}, 200},
  };
  Remote remote("Tok-en_1");
  ASSERT_EQ("", remote.started);
  for (const auto& c : cases) {
    const RawAnswer answer = RawRequest(remote.Port(), c.method, c.target, c.headers);
    EXPECT_EQ(c.status, answer.status) << c.method << " " << c.target;
    if (c.status == 401) {
      EXPECT_TRUE(Has(answer.headers, "WWW-Authenticate: Bearer")) << c.target;
    }
  }
  EXPECT_EQ(2, remote.player.performed) << "a refused request changes nothing";
}

TEST(HttpRemote, ForeignOriginsAndHostsAreRefused) {
  const HeaderCase cases[] = {
      {"POST", "/api/next", {"Origin: http://evil.example"}, 403},
      {"POST", "/api/stop", {"Origin: null"}, 403},
      {"GET", "/api/state", {"Origin: http://evil.example"}, 200},
      {"GET", "/", {"Host: evil.example"}, 403},
      {"GET", "/api/events", {"Host: evil.example:8080"}, 403},
      {"POST", "/api/next", {"Host: rebound.evil.example", "Origin: http://rebound.evil.example"}, 403},
      {"GET", "/api/state", {"Host: localhost"}, 200},
      {"GET", "/api/state", {"Host: [::1]:8080"}, 200},
  };
  Remote remote;
  for (const auto& c : cases) {
    EXPECT_EQ(c.status, RawRequest(remote.Port(), c.method, c.target, c.headers).status) << c.target;
  }
  EXPECT_EQ(0, remote.player.performed);
  const std::string self = "Origin: http://127.0.0.1:" + std::to_string(remote.Port());
  EXPECT_EQ(200, RawRequest(remote.Port(), "POST", "/api/next", {self}).status) << "the page's own calls";
  EXPECT_EQ(1, remote.player.performed);
}

std::string EventsRequest() { return "GET /api/events HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"; }

TEST(HttpRemote, EventsTellTheStateNowAndEveryChange) {
  Remote remote;
  RawStream events(remote.Port(), EventsRequest());
  ASSERT_TRUE(events.Connected());
  const std::string first = events.ReadUntil("\n\n", milliseconds(3000));
  EXPECT_TRUE(Has(first, "Content-Type: text/event-stream")) << first;
  EXPECT_TRUE(Has(first, "event: state\ndata: {\"scene\":1,")) << first;

  EXPECT_EQ(200, RawRequest(remote.Port(), "POST", "/api/next").status);
  EXPECT_TRUE(Has(events.ReadUntil("\n\n", milliseconds(3000)), "event: state\ndata: {\"scene\":2,"));
  remote.player.MoveTo(3);  // the driver's own move, as a hold ends
  EXPECT_TRUE(Has(events.ReadUntil("\n\n", milliseconds(3000)), "data: {\"scene\":3,\"name\":\"Finale\""));
}

TEST(HttpRemote, AQuietStreamGetsKeepAlivesAndEndsWithTheRemote) {
  HttpRemote::Limits limits;
  limits.keepAlive = milliseconds(100);
  Remote remote("", limits);
  RawStream events(remote.Port(), EventsRequest());
  events.ReadUntil("\n\n", milliseconds(3000));
  EXPECT_TRUE(Has(events.ReadUntil("\n\n", milliseconds(3000)), ": keep-alive\n\n"));
  remote.http.Stop();
  EXPECT_TRUE(events.ClosedWithin(milliseconds(3000)));
  EXPECT_FALSE(remote.http.Listening());
}

TEST(HttpRemote, SilentClientsAreCutOffAndConnectionsAreBounded) {
  HttpRemote::Limits limits;
  limits.idleSeconds = 1;
  limits.connections = 2;
  Remote remote("", limits);
  RawStream silent(remote.Port(), "GET /api/st");  // never finishes its request
  RawStream events(remote.Port(), EventsRequest());
  events.ReadUntil("\n\n", milliseconds(3000));
  EXPECT_EQ(0, RawRequest(remote.Port(), "GET", "/api/state").status) << "a third connection is turned away";
  EXPECT_TRUE(silent.ClosedWithin(milliseconds(4000)));
  // The server frees the place a moment after it closes the connection.
  int status = 0;
  for (int attempt = 0; attempt < 50 && status == 0; ++attempt) {
    std::this_thread::sleep_for(milliseconds(20));
    status = RawRequest(remote.Port(), "GET", "/api/state").status;
  }
  EXPECT_EQ(200, status) << "its place is free again";
}

TEST(HttpRemote, StartTellsWhyItCannotListen) {
  Remote first;
  ASSERT_EQ("", first.started);
  FakeRemotePlayer player;
  HttpRemote second(player.hub);
  EXPECT_EQ("Port " + std::to_string(first.Port()) + " is already in use",
            second.Start("127.0.0.1", first.Port(), ""));
  EXPECT_FALSE(second.Listening());
  EXPECT_EQ("A token is needed to listen on 0.0.0.0", second.Start("0.0.0.0", 0, ""));
  EXPECT_EQ("Not an address to listen on: box.example", second.Start("box.example", 0, "t"));
  EXPECT_EQ("", second.Start("", 0, ""));
  EXPECT_NE(0, second.Port());
}

}  // namespace

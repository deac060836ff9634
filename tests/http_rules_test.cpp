// Who may use the web remote, which route a request takes, and the JSON it
// answers with: decided without a socket.
#include "core/remote/http_rules.h"

#include <gtest/gtest.h>

#include "core/remote/http_remote.h"
#include "core/remote/state_json.h"

namespace {

TEST(HttpRules, LoopbackHostsAreThisComputersOwnNames) {
  const struct {
    const char* host;
    bool loopback;
  } cases[] = {
      {"localhost", true},      {"LocalHost:8080", true},  {"localhost.:80", true},
      {"127.0.0.1", true},      {"127.0.0.1:8080", true},  {"127.1.2.3:9", true},
      {"[::1]:8080", true},     {"[::1]", true},           {"::1", true},
      {"192.168.1.20:8080", false}, {"evil.example:8080", false}, {"localhost.evil.example", false},
      {"128.0.0.1", false},     {"[::2]:8080", false},     {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(c.loopback, IsLoopbackHost(c.host)) << c.host;
}

TEST(HttpRules, AnOriginIsTheSameSiteOnlyWhenItNamesTheHost) {
  const struct {
    const char* origin;
    const char* host;
    bool same;
  } cases[] = {
      {"http://127.0.0.1:8080", "127.0.0.1:8080", true},
      {"http://LOCALHOST:8080", "localhost:8080", true},
      {"http://box.local", "box.local:80", true},
      {"https://box.local:443", "box.local", true},
      {"http://127.0.0.1:8081", "127.0.0.1:8080", false},
      {"http://evil.example", "127.0.0.1:8080", false},
      {"null", "127.0.0.1:8080", false},
      {"http://127.0.0.1:8080/path", "127.0.0.1:8080", false},
      {"http://127.0.0.1:8080", "", false},
  };
  for (const auto& c : cases) EXPECT_EQ(c.same, SameSite(c.origin, c.host)) << c.origin << " " << c.host;
}

TEST(HttpRules, AccessNeedsTheTokenAHostOfThisComputerAndNoForeignPost) {
  const HttpListening local{true, ""};
  const HttpListening localWithToken{true, "s3cret"};
  const HttpListening network{false, "s3cret"};
  const struct {
    HttpListening listening;
    HttpRequestFacts request;
    int status;
  } cases[] = {
      {local, {"GET", "127.0.0.1:80", "", "", "", false}, 0},
      {local, {"GET", "", "", "", "", false}, 0},
      {local, {"GET", "evil.example:80", "", "", "", false}, 403},
      {local, {"POST", "127.0.0.1:80", "http://127.0.0.1", "", "", false}, 0},
      {local, {"POST", "127.0.0.1:80", "http://evil.example", "", "", false}, 403},
      {local, {"GET", "127.0.0.1:80", "http://evil.example", "", "", false}, 0},
      {localWithToken, {"GET", "127.0.0.1:80", "", "", "", false}, 401},
      {network, {"GET", "box:80", "", "", "", false}, 401},
      {network, {"GET", "box:80", "", "Bearer s3cret", "", false}, 0},
      {network, {"GET", "box:80", "", "Bearer s3cre", "", false}, 401},
      {network, {"GET", "box:80", "", "bearer s3cret", "", false}, 401},
      {network, {"GET", "box:80", "", "", "s3cret", true}, 0},
      {network, {"GET", "box:80", "", "", "s3cret!", true}, 401},
      {network, {"GET", "box:80", "", "Bearer wrong", "s3cret", true}, 0},
      {network, {"POST", "box", "http://box", "Bearer s3cret", "", false}, 0},
      {network, {"POST", "box", "http://evil.example", "Bearer s3cret", "", false}, 403},
      {network, {"POST", "box", "http://evil.example", "", "", false}, 401},
  };
  for (const auto& c : cases) {
    const int at = static_cast<int>(&c - cases);
    EXPECT_EQ(c.status, CheckAccess(c.listening, c.request).status) << at;
  }
  EXPECT_FALSE(TokensMatch("", "")) << "an empty token never matches";
}

TEST(HttpRules, RoutesAndTheirRefusals) {
  using K = HttpRoute::Kind;
  const struct {
    const char* method;
    const char* path;
    K kind;
    int status;         // REFUSED
    RemoteAction action;  // COMMAND
    int scene;
  } cases[] = {
      {"GET", "/", K::PAGE, 0, RemoteAction::NEXT, 0},
      {"HEAD", "/", K::PAGE, 0, RemoteAction::NEXT, 0},
      {"GET", "/api/state", K::STATE, 0, RemoteAction::NEXT, 0},
      {"GET", "/api/events", K::EVENTS, 0, RemoteAction::NEXT, 0},
      {"POST", "/api/next", K::COMMAND, 0, RemoteAction::NEXT, 0},
      {"POST", "/api/previous", K::COMMAND, 0, RemoteAction::PREVIOUS, 0},
      {"POST", "/api/restart", K::COMMAND, 0, RemoteAction::RESTART, 0},
      {"POST", "/api/pause", K::COMMAND, 0, RemoteAction::PAUSE, 0},
      {"POST", "/api/resume", K::COMMAND, 0, RemoteAction::RESUME, 0},
      {"POST", "/api/run", K::COMMAND, 0, RemoteAction::RUN, 0},
      {"POST", "/api/stop", K::COMMAND, 0, RemoteAction::STOP, 0},
      {"POST", "/api/scene/3", K::COMMAND, 0, RemoteAction::JUMP, 3},
      {"POST", "/api/scene/007", K::COMMAND, 0, RemoteAction::JUMP, 7},
      {"POST", "/api/scene/99999999999999999999", K::COMMAND, 0, RemoteAction::JUMP, 2147483647},
      {"POST", "/api/scene/0", K::REFUSED, 400, RemoteAction::NEXT, 0},
      {"POST", "/api/scene/-1", K::REFUSED, 400, RemoteAction::NEXT, 0},
      {"POST", "/api/scene/two", K::REFUSED, 400, RemoteAction::NEXT, 0},
      {"POST", "/api/scene/", K::REFUSED, 400, RemoteAction::NEXT, 0},
      {"POST", "/api/scene/2/x", K::REFUSED, 404, RemoteAction::NEXT, 0},
      {"GET", "/api/scene/2", K::REFUSED, 405, RemoteAction::NEXT, 0},
      {"GET", "/api/next", K::REFUSED, 405, RemoteAction::NEXT, 0},
      {"POST", "/", K::REFUSED, 405, RemoteAction::NEXT, 0},
      {"DELETE", "/api/state", K::REFUSED, 405, RemoteAction::NEXT, 0},
      {"GET", "/api/nothing", K::REFUSED, 404, RemoteAction::NEXT, 0},
      {"POST", "/api/next/", K::REFUSED, 404, RemoteAction::NEXT, 0},
      {"GET", "/index.html", K::REFUSED, 404, RemoteAction::NEXT, 0},
  };
  for (const auto& c : cases) {
    const HttpRoute route = RouteRequest(c.method, c.path);
    EXPECT_EQ(c.kind, route.kind) << c.method << " " << c.path;
    EXPECT_EQ(c.status, route.status) << c.method << " " << c.path;
    if (c.kind == K::COMMAND) {
      EXPECT_EQ(c.action, route.command.action) << c.path;
      EXPECT_EQ(c.scene, route.command.scene) << c.path;
    }
    if (c.status == 405) {
      EXPECT_FALSE(route.allow.empty()) << c.path;
    }
  }
}

TEST(HttpRules, RepliesMapToStatusCodes) {
  using S = RemoteReply::Status;
  const std::pair<S, int> cases[] = {
      {S::OK, 200}, {S::BAD_REQUEST, 400}, {S::NOT_FOUND, 404}, {S::CONFLICT, 409}, {S::UNAVAILABLE, 503}};
  for (const auto& c : cases) EXPECT_EQ(c.second, StatusOfReply(c.first));
}

TEST(StateJson, CarriesTheRunAndTheBoardsOnlyWhenKnown) {
  RemoteState state;
  state.scene = 3;
  state.name = "Fin \"ale\"";
  state.run = RemoteState::Run::RUNNING;
  state.remaining = 1.5;
  state.late = 0.0123456;
  state.scenes = {"Intro", "Verse", "Fin \"ale\""};
  EXPECT_EQ(
      R"({"scene":3,"name":"Fin \"ale\"","state":"running","remaining":1.5,"late":0.012,)"
      R"("scenes":["Intro","Verse","Fin \"ale\""]})",
      StateJson(state));
  state.boardColours = {0xFF0000, 0x00A0FF};
  EXPECT_NE(std::string::npos, StateJson(state).find(R"("boards":["#ff0000","#00a0ff"])"));
  EXPECT_EQ(R"({"scene":0,"name":"","state":"stopped","remaining":0.0,"late":0.0,"scenes":[]})",
            StateJson(RemoteState()));
  state.name = "bad \xff byte";
  EXPECT_NE(std::string::npos, StateJson(state).find("bad \xef\xbf\xbd byte")) << "replaced, not thrown";
  EXPECT_EQ(R"({"error":"No run is in progress"})", ErrorJson("No run is in progress"));
}

TEST(HttpRemoteAddresses, LoopbackTokensAndTheUrlToOpen) {
  const std::pair<const char*, bool> addresses[] = {{"", true},          {"127.0.0.1", true}, {"localhost", true},
                                                    {"::1", true},       {"[::1]", true},     {"0.0.0.0", false},
                                                    {"192.168.1.2", false}, {"::", false}};
  for (const auto& a : addresses) EXPECT_EQ(a.second, HttpRemote::IsLoopback(a.first)) << a.first;

  const std::string token = HttpRemote::MakeToken();
  EXPECT_EQ(32u, token.size());
  EXPECT_EQ(std::string::npos, token.find_first_not_of(
                                   "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_"));
  EXPECT_NE(token, HttpRemote::MakeToken());

  EXPECT_EQ("http://127.0.0.1:8080/", HttpRemote::RemoteUrl("", 8080, ""));
  EXPECT_EQ("http://192.168.1.2:80/?token=abc-_9", HttpRemote::RemoteUrl("192.168.1.2", 80, "abc-_9"));
  EXPECT_EQ("http://[::1]:9/?token=a%2Bb%20c", HttpRemote::RemoteUrl("::1", 9, "a+b c"));
  const std::string wildcard = HttpRemote::RemoteUrl("0.0.0.0", 8080, "t");
  EXPECT_EQ(std::string::npos, wildcard.find("0.0.0.0")) << wildcard << ": a device cannot open a wildcard";
}

}  // namespace

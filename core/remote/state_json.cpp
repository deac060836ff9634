#include "core/remote/state_json.h"

#include <cmath>
#include <cstdio>

#include <nlohmann/json.hpp>

namespace {

// Milliseconds are all a countdown or a lateness needs; fewer digits keep
// the events short and the numbers readable.
double Milliseconds(double seconds) { return std::round(seconds * 1000.0) / 1000.0; }

std::string ColourText(uint32_t colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(colour & 0xFFFFFFu));
  return text;
}

}  // namespace

std::string StateJson(const RemoteState& state) {
  // Ordered as users read it; nlohmann's default object sorts its keys.
  nlohmann::ordered_json json;
  json["scene"] = state.scene;
  json["name"] = state.name;
  json["state"] = RunStateName(state.run);
  json["remaining"] = Milliseconds(state.remaining);
  json["late"] = Milliseconds(state.late);
  json["scenes"] = state.scenes;
  if (!state.boardColours.empty()) {
    nlohmann::json boards = nlohmann::json::array();
    for (uint32_t colour : state.boardColours) boards.push_back(ColourText(colour));
    json["boards"] = boards;
  }
  // Scene names come from files: a stray byte that is no UTF-8 must not
  // stop the remote from answering.
  return json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string ErrorJson(const std::string& error) {
  nlohmann::ordered_json json;
  json["error"] = error;
  return json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

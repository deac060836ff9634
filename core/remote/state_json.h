#pragma once
// The run's state as the web remote's JSON:
// {"scene":3,"name":"...","state":"running","remaining":1.5,"late":0.0,
//  "scenes":["...", ...]} plus "boards":["#rrggbb", ...] only when the
// boards' colours are known.
#include <string>

#include "core/remote/remote_hub.h"

std::string StateJson(const RemoteState& state);
// {"error":"..."}
std::string ErrorJson(const std::string& error);

#pragma once
// `lumivane-cli serve`: a headless player. It plays the scenario as
// `send --run` does, from scene 1 at once, and takes the remotes' commands
// (OSC, the web remote) until SIGINT or SIGTERM.
#include <string>

#include "core/board/board_commands.h"
#include "core/remote/listen_address.h"

struct ServeOptions {
  std::string file;
  std::string port;  // the line; "" for the virtual boards
  LinkSpeed speed = LinkSpeed::STANDARD;
  ListenAddress osc;
  ListenAddress http;
  std::string token;
};

// Plays until interrupted; returns the exit status (0, or 1 with one line
// on standard error).
int Serve(const ServeOptions& options);

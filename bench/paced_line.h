#pragma once
// What the timing benchmarks share: a player writes scenes of many rows
// onto a pseudo-terminal paced as a 9600 bit/s line (line_pace.c,
// preloaded), and each scene's start is taken from when its first byte
// arrives on the master side.
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "core/model/scenario.h"

using Clock = std::chrono::steady_clock;

// Scenes of `rows` single boards each, every one with a colour, and a hold
// of `hold` seconds.
inline Scenario TimedScenario(int scenes, int rows, double hold) {
  Scenario scenario;
  scenario.scenes.clear();
  for (int number = 1; number <= scenes; ++number) {
    Scene scene;
    scene.name = "Scene " + std::to_string(number);
    scene.fade = number;
    scene.hold = hold;
    scene.rows.clear();
    for (int i = 1; i <= rows; ++i) {
      Row row;
      row.from = std::to_string(i);
      row.colour = (number * 7 + i) % 216;
      row.blink = "";
      scene.rows.push_back(row);
    }
    scene.rows.emplace_back();
    scenario.scenes.push_back(scene);
  }
  return scenario;
}

// The environment of a player on the paced line: HOME and the pacing.
inline std::vector<std::string> PacedEnvironment(const std::string& home, const std::string& tty) {
  return {"HOME=" + home, std::string("LD_PRELOAD=") + LINE_PACE_PATH, "LUMIVANE_PACED_TTY=" + tty};
}

struct Arrival {
  Clock::time_point at;
  unsigned char byte;
};

// When each scene began: its select-all message F5 00 00 7F 7E.
inline std::vector<Clock::time_point> SceneStarts(const std::vector<Arrival>& bytes) {
  static const unsigned char SELECT_ALL[] = {0xF5, 0x00, 0x00, 0x7F, 0x7E};
  std::vector<Clock::time_point> starts;
  for (size_t i = 0; i + 5 <= bytes.size(); ++i) {
    bool match = true;
    for (size_t j = 0; j < 5 && match; ++j) match = bytes[i + j].byte == SELECT_ALL[j];
    if (match) starts.push_back(bytes[i].at);
  }
  return starts;
}

// What arrives on `master` until `seconds` after the first scene began
// (and half a hold more, for the last scene's first byte), or 30 s without
// a scene.
inline std::vector<Arrival> ReadArrivals(int master, double seconds, double hold) {
  std::vector<Arrival> bytes;
  Clock::time_point end = Clock::now() + std::chrono::seconds(30);
  bool first = false;
  while (Clock::now() < end) {
    pollfd pfd = {master, POLLIN, 0};
    if (poll(&pfd, 1, 50) > 0 && (pfd.revents & POLLIN)) {
      unsigned char buffer[256];
      const ssize_t n = read(master, buffer, sizeof buffer);
      const Clock::time_point now = Clock::now();
      for (ssize_t i = 0; i < n; ++i) bytes.push_back(Arrival{now, buffer[i]});
    }
    if (!first && !SceneStarts(bytes).empty()) {
      first = true;
      end = SceneStarts(bytes).front() +
            std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds + hold / 2));
    }
  }
  return bytes;
}

// How far the scene starts lie from the plan (the first start + k x hold),
// in milliseconds: the mean and the worst.
struct PlanOffsets {
  double meanMs = 0;
  double worstMs = 0;
};

inline PlanOffsets OffsetsFromPlan(const std::vector<Clock::time_point>& starts, double hold) {
  PlanOffsets offsets;
  double sum = 0;
  for (size_t k = 0; k < starts.size(); ++k) {
    const double off = std::chrono::duration<double>(starts[k] - starts[0]).count() - k * hold;
    offsets.worstMs = std::max(offsets.worstMs, std::fabs(off) * 1000);
    sum += off;
  }
  offsets.meanMs = starts.empty() ? 0 : sum / starts.size() * 1000;
  return offsets;
}

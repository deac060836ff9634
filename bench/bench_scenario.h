#pragma once
// The scenario the benchmarks measure: as a user makes it, every row a
// range with a colour, most with a blink, and a short description.
#include <string>

#include "core/model/scenario.h"

inline Scenario BenchScenario(int scenes, int rows) {
  Scenario scenario;
  scenario.scenes.clear();
  for (int number = 1; number <= scenes; ++number) {
    Scene scene;
    scene.name = "Scene number " + std::to_string(number);
    scene.fade = number % 217;
    scene.hold = number * 0.5;
    scene.rows.clear();
    for (int i = 1; i <= rows; ++i) {
      Row row;
      row.from = std::to_string(i * 4);
      row.to = std::to_string(i * 4 + 3);
      row.colour = (number * 7 + i) % 216;
      row.blink = i % 15 ? std::to_string(i % 15) : "";
      row.description = "truss " + std::to_string(number) + ", spot " + std::to_string(i);
      scene.rows.push_back(row);
    }
    scene.rows.emplace_back();
    scenario.scenes.push_back(scene);
  }
  scenario.palette[0] = PaletteColour{true, 255, 0, 0};
  return scenario;
}

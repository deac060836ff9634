#pragma once
// A scenario played as Transfer / run plays it, from scene 1, into a chain
// of virtual boards in simulated time: a tick is 100 ms and a send takes
// no time, so a run of minutes plays in milliseconds.
#include <map>

#include "core/board/runner.h"
#include "core/board/virtual_chain.h"

class SimulatedRun : private RunnerOutput {
 public:
  // The input levels (bits 0..3, low = active) that `inputs` gives a tick
  // are read at that tick only; every other tick reads them all inactive.
  // `scenario` must outlive the run. Scene 1 goes out at tick 0.
  explicit SimulatedRun(const Scenario& scenario, std::map<long, unsigned char> inputs = {});

  // Plays the ticks after the present one up to `tick`.
  void AdvanceTo(long tick);
  long Tick() const { return m_tick; }
  const VirtualChain& Chain() const { return m_chain; }

 private:
  void ShowScene(int) override {}
  bool SendScene(int scene) override;
  void ShowHold(const std::string&) override {}
  void ShowInputActive(int) override {}
  void RunStopped() override {}

  const Scenario& m_scenario;
  std::map<long, unsigned char> m_inputs;
  VirtualChain m_chain;
  ChainLink m_link;
  Runner m_runner;
  long m_tick = 0;
};

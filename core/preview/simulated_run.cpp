#include "core/preview/simulated_run.h"

#include <algorithm>
#include <utility>

#include "core/board/board_commands.h"

namespace {
constexpr unsigned char INPUTS_INACTIVE = 0x0F;
}  // namespace

SimulatedRun::SimulatedRun(const Scenario& scenario, std::map<long, unsigned char> inputs)
    : m_scenario(scenario), m_inputs(std::move(inputs)), m_link(m_chain), m_runner(m_scenario, *this) {
  if (!m_scenario.scenes.empty() && SendScene(0)) {
    m_runner.Start(0);
  }
}

void SimulatedRun::AdvanceTo(long tick) {
  while (m_tick < tick && m_runner.Running()) {
    ++m_tick;
    const auto input = m_inputs.find(m_tick);
    m_link.SetInputs(input == m_inputs.end() ? INPUTS_INACTIVE : input->second);
    m_runner.Tick(m_link);
  }
  m_tick = std::max(m_tick, tick);
}

bool SimulatedRun::SendScene(int scene) {
  return SendSceneToBoards(m_link, BoardTarget{}, m_scenario.scenes[scene]).result == BoardResult::OK;
}

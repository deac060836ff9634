#pragma once
// The status bar's figure for the scene on show: the bytes of its transfer
// and their time on the line at the speed the settings give, "4,606 bytes,
// 4.8 s". It follows the Document's changes and the page shown; a change
// of the settings is told through Show().
#include <functional>

#include "core/board/board_commands.h"
#include "core/model/change_set.h"

class LumivaneFrame;
class wxBookCtrlEvent;

class SceneBudgetStatus : public DocumentListener {
 public:
  // Listens to the frame's Document and notebook until it goes; the frame
  // outlives it. `speed` gives the speed the settings name now.
  SceneBudgetStatus(LumivaneFrame* frame, std::function<LinkSpeed()> speed);
  ~SceneBudgetStatus() override;
  SceneBudgetStatus(const SceneBudgetStatus&) = delete;
  SceneBudgetStatus& operator=(const SceneBudgetStatus&) = delete;

  // The figure of the scene shown now.
  void Show();
  void DocumentChanged(const ChangeSet& changes) override;

 private:
  void OnPageChanged(wxBookCtrlEvent& event);

  LumivaneFrame* m_frame;
  std::function<LinkSpeed()> m_speed;
};

#pragma once
#include <string>

#include <wx/statusbr.h>

#include "gui/app/texts.h"
#include "gui/frame/lumivane_frame.h"

// What the runner asks of the window: pages, texts and the transfers.
class LumivaneFrame::RunnerView : public RunnerOutput {
 public:
  explicit RunnerView(LumivaneFrame* frame) : m_frame(frame) {}
  void ShowScene(int scene) override { m_frame->GoToScene(scene); }
  bool SendScene(int) override { return m_frame->SendScene(-1, false); }
  void ShowHold(const std::string& text) override {
    m_frame->SetStatus(wxString::FromUTF8(text), STATUS_HOLD);
  }
  void ShowInputActive(int input) override {
    m_frame->SetStatus(wxString::Format(MSG_INPUT_ACTIVE, input), STATUS_MESSAGE);
  }
  void RunStopped() override { m_frame->StopRun(); }

 private:
  LumivaneFrame* m_frame;
};

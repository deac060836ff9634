#pragma once
// The input configuration dialog in window tests: records what it shows,
// picks entries as a user would, then clicks OK or Cancel through the
// buttons' own click events, so that the dialog's handlers decide what
// ShowModal returns.
#include <memory>
#include <utility>
#include <vector>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/stattext.h>

#include "gui/dialogs/input_config_dlg.h"
#include "support/gui_testing.h"

template <>
class wxExpectModal<LumivaneInputConfig> : public wxExpectModalBase<LumivaneInputConfig> {
 public:
  static constexpr int INPUTS = LumivaneInputConfig::INPUTS;

  // What the dialog showed when it opened.
  struct Seen {
    bool shown = false;
    wxString title;
    wxArrayString labels;              // the four input labels, in order
    wxArrayString entries[INPUTS];     // each input's choice entries
    int selection[INPUTS] = {-2, -2, -2, -2};
  };

  // Clicks `button` (wxID_OK or wxID_CANCEL) without changing anything.
  explicit wxExpectModal(int button, std::shared_ptr<Seen> seen = nullptr)
      : m_button(button), m_seen(seen ? seen : std::make_shared<Seen>()) {}

  // Picks the entry whose text is `entry` for input 0..3 before clicking;
  // the test fails when there is none.
  wxExpectModal Picking(int input, const wxString& entry) const {
    wxExpectModal copy(*this);
    copy.m_picks.emplace_back(input, entry);
    return copy;
  }

 protected:
  int OnInvoked(LumivaneInputConfig* dialog) const override {
    m_seen->shown = true;
    m_seen->title = dialog->GetTitle();
    CollectLabels(dialog, m_seen->labels);
    for (int input = 0; input < INPUTS; ++input) {
      m_seen->entries[input] = dialog->InputChoice(input)->GetStrings();
      m_seen->selection[input] = dialog->InputChoice(input)->GetSelection();
    }

    for (const auto& [input, entry] : m_picks) {
      wxChoice* choice = dialog->InputChoice(input);
      const int index = choice->FindString(entry, true);
      EXPECT_NE(index, wxNOT_FOUND) << "no entry \"" << entry.utf8_str().data() << "\"";
      if (index != wxNOT_FOUND) {
        PickChoice(choice, index);
      }
    }

    dialog->Show();
    dialog->SetReturnCode(0);
    ClickButton(m_button == wxID_OK ? dialog->OkButton() : dialog->CancelButton());
    EXPECT_FALSE(dialog->IsShown()) << "the button click did not close the dialog";
    EXPECT_NE(dialog->GetReturnCode(), 0) << "the button click did not end the dialog";
    return dialog->GetReturnCode() != 0 ? dialog->GetReturnCode() : wxID_CANCEL;
  }

  wxString GetDefaultDescription() const override { return "input configuration dialog"; }

 private:
  static void CollectLabels(wxWindow* window, wxArrayString& labels) {
    for (wxWindow* child : window->GetChildren()) {
      if (auto* text = dynamic_cast<wxStaticText*>(child)) {
        labels.Add(text->GetLabel());
      }
      CollectLabels(child, labels);
    }
  }

  int m_button;
  std::shared_ptr<Seen> m_seen;
  std::vector<std::pair<int, wxString>> m_picks;
};

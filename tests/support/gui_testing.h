#pragma once
// Modal dialogs in window tests: every dialog the code under test shows
// must be expected with wxTEST_DIALOG, and failures go to GoogleTest.
#include <gtest/gtest.h>

#include <memory>

#include <wx/checkbox.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>

class GTestModalHook;
#define wxTEST_DIALOG_HOOK_CLASS GTestModalHook
#include <wx/modalhook.h>
#include <wx/testing.h>

class GTestModalHook : public wxTestingModalHook {
 public:
  GTestModalHook(const char* file, int line, const char* func)
      : wxTestingModalHook(file, line, func), m_file(file), m_line(line) {}

 protected:
  void ReportFailure(const wxString& message) override {
    ADD_FAILURE_AT(m_file, m_line) << message.utf8_str().data();
  }

 private:
  const char* m_file;
  int m_line;
};

// A message box with the given text and caption, answered with `answer`
// (wxYES, wxNO, wxOK, wxCANCEL).
class ExpectMessageBox : public wxExpectModalBase<wxMessageDialog, ExpectMessageBox> {
 public:
  ExpectMessageBox(const wxString& message, const wxString& caption, int answer)
      : m_message(message), m_caption(caption), m_answer(answer) {}

 protected:
  int OnInvoked(wxMessageDialog* dialog) const override {
    EXPECT_EQ(dialog->GetMessage(), m_message);
    EXPECT_EQ(dialog->GetTitle(), m_caption);
    switch (m_answer) {
      case wxYES: return wxID_YES;
      case wxNO: return wxID_NO;
      case wxCANCEL: return wxID_CANCEL;
      default: return wxID_OK;
    }
  }
  wxString GetDefaultDescription() const override {
    return "message box \"" + m_message + "\"";
  }

 private:
  wxString m_message;
  wxString m_caption;
  int m_answer;
};

// What a tip dialog showed.
struct ShownTip {
  bool shown = false;
  wxString text;
};

// The toolkit's tip of the day dialog. Its "show at startup" box is left
// ticked or cleared as asked, and the tip text it shows is recorded.
class ExpectTipDialog : public wxExpectModalBase<wxDialog, ExpectTipDialog> {
 public:
  explicit ExpectTipDialog(bool keepShowing, std::shared_ptr<ShownTip> shown = nullptr)
      : m_keepShowing(keepShowing), m_shown(shown ? shown : std::make_shared<ShownTip>()) {}

 protected:
  int OnInvoked(wxDialog* dialog) const override {
    wxCheckBox* box = nullptr;
    wxTextCtrl* text = nullptr;
    FindControls(dialog, box, text);
    if (box == nullptr || text == nullptr) {
      return wxID_NONE;  // not a tip dialog
    }
    box->SetValue(m_keepShowing);
    m_shown->shown = true;
    m_shown->text = text->GetValue();
    return wxID_CLOSE;
  }
  wxString GetDefaultDescription() const override { return "tip of the day dialog"; }

 private:
  static void FindControls(wxWindow* window, wxCheckBox*& box, wxTextCtrl*& text) {
    for (wxWindow* child : window->GetChildren()) {
      if (auto* b = dynamic_cast<wxCheckBox*>(child)) box = b;
      if (auto* t = dynamic_cast<wxTextCtrl*>(child)) text = t;
      FindControls(child, box, text);
    }
  }

  bool m_keepShowing;
  std::shared_ptr<ShownTip> m_shown;
};

#include <wx/colordlg.h>
#include <wx/textdlg.h>

// The colour dialog: picks `colour` (and, when given, custom colours) and
// answers OK, or cancels. What the program handed to the dialog is kept.
template <>
class wxExpectModal<wxColourDialog> : public wxExpectModalBase<wxColourDialog> {
 public:
  struct Seen {
    wxColourData data;
  };

  explicit wxExpectModal(const wxColour& colour, int answer = wxID_OK,
                         std::shared_ptr<Seen> seen = nullptr)
      : m_colour(colour), m_answer(answer), m_seen(seen ? seen : std::make_shared<Seen>()) {}

  wxExpectModal WithCustomColour(int slot, const wxColour& colour) const {
    wxExpectModal copy(*this);
    copy.m_custom.emplace_back(slot, colour);
    return copy;
  }

 protected:
  int OnInvoked(wxColourDialog* dialog) const override {
    wxColourData& data = dialog->GetColourData();
    m_seen->data = data;
    if (m_answer == wxID_OK) {
      for (const auto& [slot, colour] : m_custom) {
        data.SetCustomColour(slot, colour);
      }
      // The GTK dialog reads its result back from the native chooser once
      // the hook returns, so the choice is made there.
      SetNativeChoice(dialog, m_colour, data);
    }
    return m_answer;
  }

 public:
  static void SetNativeChoice(wxColourDialog* dialog, const wxColour& colour,
                              const wxColourData& custom);

 private:
  wxColour m_colour;
  int m_answer;
  std::shared_ptr<Seen> m_seen;
  std::vector<std::pair<int, wxColour>> m_custom;
};

#include <vector>

#include "gui/dialogs/colour_palette_dlg.h"

// What the colour palette showed and gave.
struct PaletteSeen {
  bool shown = false;
  int focusedAtStart = -1;  // the colour the keys started on
  int chosen = -1;
};

// The colour palette: presses `keys` in turn, as the user would, and
// answers what they answer, else `answer`.
class ExpectPalette : public wxExpectModalBase<ColourPaletteDlg, ExpectPalette> {
 public:
  explicit ExpectPalette(std::vector<int> keys, int answer = wxID_CANCEL,
                         std::shared_ptr<PaletteSeen> seen = nullptr)
      : m_keys(std::move(keys)), m_answer(answer), m_seen(seen ? seen : std::make_shared<PaletteSeen>()) {}

 protected:
  int OnInvoked(ColourPaletteDlg* dialog) const override {
    m_seen->shown = true;
    m_seen->focusedAtStart = dialog->Focused();
    for (int key : m_keys) {
      if (const int answer = dialog->PressKey(key)) {
        m_seen->chosen = answer == wxID_OK ? dialog->Chosen() : -1;
        return answer;
      }
    }
    return m_answer;
  }
  wxString GetDefaultDescription() const override { return "colour palette"; }

 private:
  std::vector<int> m_keys;
  int m_answer;
  std::shared_ptr<PaletteSeen> m_seen;
};

// The palette's "More colours...", which leads on to the colour dialog.
inline ExpectPalette ExpectMoreColours() { return ExpectPalette({}, ColourPaletteDlg::ID_MORE_COLOURS); }

// The text entry dialog: types `text` and answers OK, or cancels.
template <>
class wxExpectModal<wxTextEntryDialog> : public wxExpectModalBase<wxTextEntryDialog> {
 public:
  explicit wxExpectModal(const wxString& text, int answer = wxID_OK)
      : m_text(text), m_answer(answer) {}

 protected:
  int OnInvoked(wxTextEntryDialog* dialog) const override {
    if (m_answer == wxID_OK) {
      dialog->SetValue(m_text);
    }
    return m_answer;
  }

 private:
  wxString m_text;
  int m_answer;
};

#include <wx/button.h>
#include <wx/choice.h>

// Selects an entry and sends the selection event, as a user's pick does.
inline void PickChoice(wxChoice* choice, int index) {
  choice->SetSelection(index);
  wxCommandEvent event(wxEVT_CHOICE, choice->GetId());
  event.SetEventObject(choice);
  event.SetInt(index);
  event.SetString(choice->GetString(index));
  choice->ProcessWindowEvent(event);
}

// Clicks a dialog button: its own handlers run.
inline void ClickButton(wxButton* button) {
  wxCommandEvent event(wxEVT_BUTTON, button->GetId());
  event.SetEventObject(button);
  button->ProcessWindowEvent(event);
}

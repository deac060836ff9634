#include "gui/dialogs/rom_record_dlg_base.h"

#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "gui/frame/ids.h"

RomRecordDlgBase::RomRecordDlgBase(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, _("What the boards hold"), wxDefaultPosition, wxSize(560, 420),
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER) {
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  m_recordText = new wxStaticText(this, wxID_ANY, wxEmptyString);
  sizer->Add(m_recordText, 0, wxEXPAND | wxALL, 8);
  m_comparisonLabel = new wxStaticText(this, wxID_ANY, wxEmptyString);
  sizer->Add(m_comparisonLabel, 0, wxEXPAND | wxLEFT | wxRIGHT, 8);
  m_differences = new wxListBox(this, wxID_ANY);
  sizer->Add(m_differences, 1, wxEXPAND | wxALL, 8);
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  m_openButton = new wxButton(this, ID_ROM_OPEN_PROGRAMMED, _("&Open what was programmed"));
  buttons->Add(m_openButton, 0, wxRIGHT, 8);
  buttons->AddStretchSpacer();
  m_closeButton = new wxButton(this, wxID_CANCEL, _("Close"));
  buttons->Add(m_closeButton, 0);
  sizer->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 8);
  SetSizer(sizer);
  SetEscapeId(wxID_CANCEL);
}

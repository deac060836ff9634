#include "gui/dialogs/shortcuts_dlg_base.h"

#include <wx/button.h>
#include <wx/intl.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>

ShortcutsDlgBase::ShortcutsDlgBase(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, _("Keyboard shortcuts"), wxDefaultPosition, wxSize(520, 480),
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER) {
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  m_list = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxLC_SINGLE_SEL);
  m_list->AppendColumn(_("Key"), wxLIST_FORMAT_LEFT, 130);
  m_list->AppendColumn(_("Command"), wxLIST_FORMAT_LEFT, 230);
  m_list->AppendColumn(_("Menu"), wxLIST_FORMAT_LEFT, 110);
  sizer->Add(m_list, 1, wxEXPAND | wxALL, 6);
  m_closeButton = new wxButton(this, wxID_CANCEL, _("&Close"));
  sizer->Add(m_closeButton, 0, wxALIGN_RIGHT | wxALL, 6);
  SetSizer(sizer);
  SetEscapeId(wxID_CANCEL);
}

// Print preview and printing of the scenario report.
#include "gui/frame/lumivane_frame.h"

#include <wx/html/htmprint.h>

#include "core/report/report_html.h"
#include "gui/app/texts.h"

wxString LumivaneFrame::BuildReport() {
  const wxString file = wxString::FromUTF8(m_document.Path());
  const wxString title = file.empty() ? wxString(_(TITLE_UNTITLED)) : file.AfterLast('/');
  return wxString::FromUTF8(BuildReportHtml(m_document.GetScenario(), title.utf8_string()));
}

wxString LumivaneFrame::BuildReportHeader() const {
  const wxString file = wxString::FromUTF8(m_document.Path());
  return wxString::FromUTF8(
      BuildReportHeaderHtml((file.empty() ? wxString(_(TITLE_UNTITLED)) : file).utf8_string()));
}

// Header and fonts are set anew each time, so they follow the file name.
static void PreparePrinting(wxHtmlEasyPrinting* printing, const wxString& header) {
  printing->SetHeader(header, wxPAGE_ALL);
  printing->SetStandardFonts(REPORT_FONT_SIZE, wxEmptyString, wxEmptyString);
}

void LumivaneFrame::OnPreview(wxCommandEvent&) {
  PreparePrinting(m_printing, BuildReportHeader());
  ModalScope modal(this);
  m_printing->PreviewText(BuildReport(), wxEmptyString);
}

void LumivaneFrame::OnPrint(wxCommandEvent&) {
  PreparePrinting(m_printing, BuildReportHeader());
  ModalScope modal(this);
  m_printing->PrintText(BuildReport(), wxEmptyString);
}

void LumivaneFrame::BindReportCommands() {
  Bind(wxEVT_MENU, &LumivaneFrame::OnPreview, this, wxID_PREVIEW);
  Bind(wxEVT_MENU, &LumivaneFrame::OnPrint, this, wxID_PRINT);
}

// Print preview and printing of the scenario report.
#include "gui/frame/report_commands.h"

#include <wx/html/htmprint.h>

#include "core/model/document.h"
#include "core/report/report_html.h"
#include "gui/app/texts.h"
#include "gui/frame/lumivane_frame.h"
#include "gui/frame/report_printing.h"

ReportCommands::ReportCommands(LumivaneFrame& frame, const Document& document)
    : m_frame(frame), m_document(document), m_printing(std::make_unique<ReportPrinting>(_(PRINTING_NAME), &frame)) {
  m_frame.Bind(wxEVT_MENU, &ReportCommands::OnPreview, this, wxID_PREVIEW);
  m_frame.Bind(wxEVT_MENU, &ReportCommands::OnPrint, this, wxID_PRINT);
}

ReportCommands::~ReportCommands() = default;

wxHtmlEasyPrinting* ReportCommands::Printing() const { return m_printing.get(); }

wxString ReportCommands::BuildReport() const {
  const wxString file = wxString::FromUTF8(m_document.Path());
  const wxString title = file.empty() ? wxString(_(TITLE_UNTITLED)) : file.AfterLast('/');
  return wxString::FromUTF8(BuildReportHtml(m_document.GetScenario(), title.utf8_string()));
}

wxString ReportCommands::BuildReportHeader() const {
  const wxString file = wxString::FromUTF8(m_document.Path());
  return wxString::FromUTF8(
      BuildReportHeaderHtml((file.empty() ? wxString(_(TITLE_UNTITLED)) : file).utf8_string()));
}

void ReportCommands::PreparePrinting() {
  // Header and fonts are set anew each time, so they follow the file name.
  m_printing->SetHeader(BuildReportHeader(), wxPAGE_ALL);
  m_printing->SetStandardFonts(REPORT_FONT_SIZE, wxEmptyString, wxEmptyString);
}

void ReportCommands::OnPreview(wxCommandEvent&) {
  PreparePrinting();
  LumivaneFrame::ModalScope modal(&m_frame);
  m_printing->PreviewText(BuildReport(), wxEmptyString);
}

void ReportCommands::OnPrint(wxCommandEvent&) {
  PreparePrinting();
  LumivaneFrame::ModalScope modal(&m_frame);
  m_printing->PrintText(BuildReport(), wxEmptyString);
}

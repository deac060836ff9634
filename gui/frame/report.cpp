// The scenario report: HTML for print preview and printing.
#include "gui/frame/lumivane_frame.h"

#include <wx/grid.h>
#include <wx/html/htmprint.h>
#include <wx/notebook.h>

#include "gui/app/lumivane_app.h"
#include "gui/app/texts.h"

// Names and cell texts are the user's: a "<" or "&" in them must show as
// written instead of turning into markup.
static wxString EscapeHtml(const wxString& text) {
  wxString out;
  out.reserve(text.length());
  for (wxUniChar c : text) {
    switch (c.GetValue()) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c; break;
    }
  }
  return out;
}

static wxString TrimmedCell(wxGridTableBase* table, int row, int column) {
  wxString text = table->GetValue(row, column);
  return text.Trim(true).Trim(false);
}

static wxString Cell(const wxString& text) {
  return wxString(REPORT_CELL_OPEN) + EscapeHtml(text) + REPORT_CELL_CLOSE;
}

wxString LumivaneFrame::BuildReport() {
  const wxString& file = g_app->m_scenarioFile;
  const wxString title = file.empty() ? wxString(TITLE_UNTITLED) : file.AfterLast('/');

  wxString html = REPORT_BEGIN;
  html << REPORT_TITLE_OPEN << EscapeHtml(title) << REPORT_TITLE_CLOSE;

  const int scenes = static_cast<int>(m_notebook->GetPageCount());
  for (int i = 0; i < scenes && i < MAX_SCENES; ++i) {
    html << REPORT_SCENE_OPEN << EscapeHtml(m_notebook->GetPageText(i)) << REPORT_SCENE_CLOSE;
    html << REPORT_TABLE_HEAD;
    wxGrid* grid = m_grids[i];
    wxGridTableBase* table = grid != nullptr ? grid->GetTable() : nullptr;
    const int rows = table != nullptr ? grid->GetNumberRows() : 0;
    for (int j = 0; j < rows; ++j) {
      const wxString from = TrimmedCell(table, j, COL_FROM);
      const wxString to = TrimmedCell(table, j, COL_TO);
      const wxString blink = TrimmedCell(table, j, COL_BLINK);
      const wxString description = TrimmedCell(table, j, COL_DESCRIPTION);
      if (from.empty() && to.empty() && blink.empty() && description.empty()) {
        continue;
      }
      // The stripes follow the grid's row numbers, skipped rows included.
      html << (j % 2 == 1 ? REPORT_ROW_ODD : REPORT_ROW_EVEN);
      html << Cell(from) << Cell(to);
      const wxColour colour = grid->GetCellBackgroundColour(j, COL_COLOUR);
      html << wxString::Format(REPORT_COLOUR_CELL, colour.Red(), colour.Green(), colour.Blue());
      html << Cell(blink) << Cell(description);
      html << REPORT_ROW_CLOSE;
    }
    html << REPORT_TABLE_CLOSE;
    html << wxString::Format(REPORT_TIMING, m_fade[i], m_hold[i]);
  }
  html << REPORT_END;
  return html;
}

wxString LumivaneFrame::BuildReportHeader() const {
  const wxString& file = g_app->m_scenarioFile;
  return wxString(REPORT_HEADER_OPEN) + EscapeHtml(file.empty() ? wxString(TITLE_UNTITLED) : file) +
         REPORT_HEADER_CLOSE;
}

// Header and fonts are set anew each time, so they follow the file name.
static void PreparePrinting(wxHtmlEasyPrinting* printing, const wxString& header) {
  printing->SetHeader(header, wxPAGE_ALL);
  printing->SetStandardFonts(REPORT_FONT_SIZE, wxEmptyString, wxEmptyString);
}

void LumivaneFrame::OnPreview(wxCommandEvent&) {
  PreparePrinting(m_printing, BuildReportHeader());
  m_printing->PreviewText(BuildReport(), wxEmptyString);
}

void LumivaneFrame::OnPrint(wxCommandEvent&) {
  PreparePrinting(m_printing, BuildReportHeader());
  m_printing->PrintText(BuildReport(), wxEmptyString);
}

void LumivaneFrame::BindReportCommands() {
  Bind(wxEVT_MENU, &LumivaneFrame::OnPreview, this, wxID_PREVIEW);
  Bind(wxEVT_MENU, &LumivaneFrame::OnPrint, this, wxID_PRINT);
}

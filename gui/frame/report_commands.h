#pragma once
// The File menu's Print preview and Print: the open scenario as an HTML
// report, with its file name above each page.
#include <memory>

#include <wx/string.h>

class wxCommandEvent;
class wxHtmlEasyPrinting;
class Document;
class LumivaneFrame;

class ReportCommands {
 public:
  // Binds the commands of `frame`; it and `document` outlive this.
  ReportCommands(LumivaneFrame& frame, const Document& document);
  ~ReportCommands();

  wxString BuildReport() const;
  // The page header printed above each page of the report.
  wxString BuildReportHeader() const;
  // The printing object, for tests that print without the print dialog.
  wxHtmlEasyPrinting* Printing() const;

 private:
  void PreparePrinting();
  void OnPreview(wxCommandEvent& event);
  void OnPrint(wxCommandEvent& event);

  LumivaneFrame& m_frame;
  const Document& m_document;
  std::unique_ptr<wxHtmlEasyPrinting> m_printing;
};

#pragma once
// Printing the report with the page range known to the print dialog. The
// toolkit's HTML printout counts its pages only once printing has begun,
// after the dialog, which then offers "Pages: 1" instead of all pages; here
// the pages are laid out beforehand as the preview lays them out.
#include <wx/html/htmprint.h>

class ReportPrinting : public wxHtmlEasyPrinting {
 public:
  ReportPrinting(const wxString& name, wxWindow* parent) : wxHtmlEasyPrinting(name, parent) {}

 protected:
  bool DoPrint(wxHtmlPrintout* printout) override;
};

// Lays `printout` out on the paper of `data` at the screen's resolution, so
// that its page range is known before a printer is chosen.
void LayOutPages(wxHtmlPrintout* printout, const wxPrintData& data);

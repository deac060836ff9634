#include "gui/frame/report_printing.h"

#include <cmath>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/paper.h>

namespace {

constexpr double MM_PER_INCH = 25.4;
// A4, when the print data names no paper the database knows.
constexpr int DEFAULT_PAPER_WIDTH_MM = 210;
constexpr int DEFAULT_PAPER_HEIGHT_MM = 297;

wxSize PaperSizeMM(const wxPrintData& data) {
  wxSize mm = data.GetPaperSize();  // in millimetres
  if (const wxPrintPaperType* paper = wxThePrintPaperDatabase->FindPaperType(data.GetPaperId())) {
    mm = paper->GetSize() / 10;  // the database holds tenths of millimetres
  }
  if (mm.x <= 0 || mm.y <= 0) {
    mm = wxSize(DEFAULT_PAPER_WIDTH_MM, DEFAULT_PAPER_HEIGHT_MM);
  }
  if (data.GetOrientation() == wxLANDSCAPE) {
    mm = wxSize(mm.y, mm.x);
  }
  return mm;
}

}  // namespace

void LayOutPages(wxHtmlPrintout* printout, const wxPrintData& data) {
  const wxSize mm = PaperSizeMM(data);
  const wxSize ppi = wxGetDisplayPPI();
  const wxSize pixels(static_cast<int>(std::lround(mm.x * ppi.x / MM_PER_INCH)),
                      static_cast<int>(std::lround(mm.y * ppi.y / MM_PER_INCH)));
  wxBitmap page(pixels);
  wxMemoryDC dc(page);
  printout->SetPPIScreen(ppi);
  printout->SetPPIPrinter(ppi);
  printout->SetPageSizeMM(mm.x, mm.y);
  printout->SetPageSizePixels(pixels.x, pixels.y);
  printout->SetPaperRectPixels(wxRect(pixels));
  printout->SetDC(&dc);
  printout->OnPreparePrinting();
  printout->SetDC(nullptr);
}

bool ReportPrinting::DoPrint(wxHtmlPrintout* printout) {
  // The printer lays the pages out again on its own paper once it starts.
  LayOutPages(printout, *GetPrintData());
  return wxHtmlEasyPrinting::DoPrint(printout);
}

// Printing the report to a file without the print dialog. GTK prints
// through its dialog even when it shows none, and the tests' dialog hook
// would answer that instead of printing; so this binary has the PostScript
// printer write the same pages to a file, for the whole process.
#include <wx/html/htmprint.h>
#include <wx/print.h>

#include "gui/app/lumivane_app.h"
#include "gui/frame/frame_commands.h"
#include "gui/frame/lumivane_frame.h"
#include "support/app_fixture.h"
#include "support/temp_home.h"

namespace {

class ReportPrint : public AppTest {
 protected:
  void SetUp() override { wxPrintFactory::SetPrintFactory(new wxNativePrintFactory); }
};

}  // namespace

TEST_F(ReportPrint, PrintWithoutTheDialogWritesTheReportPages) {
  Start();
  m_frame->GetDocument().SetPath(std::string(LUMIVANE_TEST_DATA) + "/report_scenario.cfg");
  ASSERT_TRUE(m_frame->ReadScenario());
  const std::string out = TestHome() + "/report.ps";
  wxHtmlEasyPrinting* printing = m_frame->Commands().report.Printing();
  ASSERT_NE(printing, nullptr);
  printing->SetPromptMode(wxHtmlEasyPrinting::Prompt_Never);
  printing->GetPrintData()->SetFilename(wxString::FromUTF8(out.c_str()));
  printing->GetPrintData()->SetPrintMode(wxPRINT_MODE_FILE);
  wxCommandEvent print(wxEVT_MENU, wxID_PRINT);
  m_frame->ProcessWindowEvent(print);
  Pump(100);

  const std::string pages = ReadFileText(out);
  ASSERT_FALSE(pages.empty());
  EXPECT_EQ(pages.substr(0, 4), "%!PS") << pages.substr(0, 800);
  // One page; the words arrive one "(text)" at a time.
  EXPECT_NE(pages.find("%%Page: 1\n"), std::string::npos);
  EXPECT_EQ(pages.find("%%Page: 2"), std::string::npos);
  EXPECT_NE(pages.find("(report_scenario.cfg)"), std::string::npos);
  // Escaped markup is printed as the text it was.
  EXPECT_NE(pages.find("(<intro>)"), std::string::npos);
  EXPECT_NE(pages.find("(<b)"), std::string::npos);
  // The page header with the full path and the page numbers filled in.
  EXPECT_NE(pages.find("(" + std::string(LUMIVANE_TEST_DATA) + "/report_scenario.cfg)"),
            std::string::npos);
  EXPECT_NE(pages.find("(page ) (\\n) strsplit"), std::string::npos);
  EXPECT_EQ(pages.find("@PAGENUM@"), std::string::npos);
}

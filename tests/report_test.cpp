// The scenario report: its HTML, the page header, and preview and print in
// a real window under Xvfb.
#include <sys/stat.h>

#include <algorithm>
#include <memory>

#include <wx/grid.h>
#include <wx/html/htmprint.h>
#include <wx/notebook.h>
#include <wx/print.h>
#include <wx/printdlg.h>

#include "gui/app/lumivane_app.h"
#include "gui/frame/frame_commands.h"
#include "gui/frame/lumivane_frame.h"
#include "support/app_fixture.h"
#include "support/gui_testing.h"
#include "support/temp_home.h"

namespace {

const char* const TABLE_HEAD =
    "<table width='100%' cellpadding=1 cellspacing=0><tr><td width='10%'><b>From</b></td>"
    "<td width='10%'><b>To</b></td><td width='10%'><b>Colour</b></td>"
    "<td width='10%'><b>Blink</b></td><td><b>Description</b></td></tr>";

std::string DataPath(const std::string& name) { return std::string(LUMIVANE_TEST_DATA) + "/" + name; }

std::string Utf8(const wxString& text) { return std::string(text.utf8_str().data()); }

wxPreviewFrame* FindPreviewFrame() {
  for (wxWindow* window : wxTopLevelWindows) {
    if (auto* preview = dynamic_cast<wxPreviewFrame*>(window)) {
      if (!preview->IsBeingDeleted()) {
        return preview;
      }
    }
  }
  return nullptr;
}

void Choose(LumivaneFrame* frame, int id) {
  wxCommandEvent event(wxEVT_MENU, id);
  frame->ProcessWindowEvent(event);
}

// The print dialog, cancelled; what it was given to offer is kept.
class ExpectPrintDialog : public wxExpectModalBase<wxPrintDialogBase, ExpectPrintDialog> {
 public:
  explicit ExpectPrintDialog(std::shared_ptr<bool> asked, std::shared_ptr<wxPrintDialogData> offered = nullptr)
      : m_asked(asked), m_offered(offered ? offered : std::make_shared<wxPrintDialogData>()) {}

 protected:
  int OnInvoked(wxPrintDialogBase* dialog) const override {
    *m_asked = true;
    *m_offered = dialog->GetPrintDialogData();
    return wxID_CANCEL;
  }

 private:
  std::shared_ptr<bool> m_asked;
  std::shared_ptr<wxPrintDialogData> m_offered;
};

// A colour cell of the report: the swatch in its border, and the number.
std::string ColourCell(const std::string& rgb, int number) {
  return "<td><table cellspacing=0 cellpadding=0><tr><td><table cellspacing=1 cellpadding=0 "
         "bgcolor='#606060'><tr><td width=18 bgcolor='#" + rgb + "'>&nbsp;</td></tr></table></td><td>&nbsp;" +
         std::to_string(number) + "</td></tr></table></td>";
}

class Report : public AppTest {
 protected:
  void Load(const std::string& path) {
    m_frame->GetDocument().SetPath(path);
    ASSERT_TRUE(m_frame->ReadScenario());
  }

  // The golden scenario, with the cases the file format cannot hold made
  // by hand: row 1 emptied (its colour stays), and a row with nothing but a
  // description.
  void LoadGoldenScenario() {
    Load(DataPath("report_scenario.cfg"));
    wxGrid* grid = m_frame->Grid(0);
    ASSERT_GE(grid->GetNumberRows(), 5);
    grid->SetCellValue(1, COL_FROM, "  ");
    grid->SetCellValue(4, COL_DESCRIPTION, "  a & b  ");
    SetRowColour(m_frame, 0, 4, FRESH_BLACK);
  }
};

}  // namespace

TEST_F(Report, UntitledScenarioGivesHeadingsAndAnEmptyTable) {
  Start();
  EXPECT_EQ(Utf8(m_frame->Commands().report.BuildReport()),
            std::string("<html><body><h1>[Untitled]</h1><h2>Scene: Scene 1</h2>") + TABLE_HEAD +
                "</table><p>Fade: 0, Hold: 0.0 s<hr></body></html>");
  EXPECT_EQ(Utf8(m_frame->Commands().report.BuildReportHeader()),
            "<table width='100%' cellpadding=0 cellspacing=0><tr><td align='left'>"
            "Lumivane scenario - [Untitled]</td><td align='right'>page @PAGENUM@ of @PAGESCNT@"
            "</td></tr></table><hr>");
}

TEST_F(Report, MatchesTheGoldenReport) {
  Start();
  LoadGoldenScenario();
  // Compared without the line ends the golden file has for reading.
  std::string golden = ReadFileText(DataPath("report_scenario.html"));
  golden.erase(std::remove(golden.begin(), golden.end(), '\n'), golden.end());
  EXPECT_EQ(Utf8(m_frame->Commands().report.BuildReport()), golden);
}

TEST_F(Report, StripesFollowGridRowsAndColoursArePaletteColours) {
  Start();
  LoadGoldenScenario();
  const std::string html = Utf8(m_frame->Commands().report.BuildReport());
  // Row 0 even, row 1 skipped (its colour 72 never shows), row 2 even,
  // row 3 odd, row 4 even.
  EXPECT_NE(html.find("<tr><td>1</td><td>4</td>" + ColourCell("282828", 0)), std::string::npos);
  EXPECT_EQ(html.find("#7e2828"), std::string::npos);
  EXPECT_EQ(html.find("<td>5</td>"), std::string::npos);
  EXPECT_NE(html.find("<tr><td>7</td><td>12</td>" + ColourCell("532828", 36)), std::string::npos);
  // No colour prints as the white the boards show, a fresh row as black.
  EXPECT_NE(html.find("<tr bgcolor='#f0f0f0'><td>13</td><td></td>" + ColourCell("ffffff", 215)),
            std::string::npos);
  EXPECT_NE(html.find("<tr><td></td><td></td>" + ColourCell("000000", 0) + "<td></td><td>a &amp; b</td></tr>"),
            std::string::npos);
}

TEST_F(Report, MarkupInNamesAndCellsIsEscaped) {
  Start();
  const std::string dir = TestHome() + "/<b> & 'co'";
  mkdir(dir.c_str(), 0777);
  const std::string path = dir + "/show \"<i>\" & more.cfg";
  WriteFileText(path, ReadFileText(DataPath("report_scenario.cfg")));
  Load(path);
  m_frame->Grid(1)->SetCellValue(0, COL_FROM, "</table>");
  m_frame->Grid(1)->SetCellValue(0, COL_BLINK, "<!--");
  const std::string html = Utf8(m_frame->Commands().report.BuildReport());
  EXPECT_NE(html.find("<h1>show &quot;&lt;i&gt;&quot; &amp; more.cfg</h1>"), std::string::npos);
  EXPECT_NE(html.find("<h2>Scene: Opening &lt;intro&gt;</h2>"), std::string::npos);
  EXPECT_NE(html.find("<td>front &amp; &quot;left&quot;</td>"), std::string::npos);
  EXPECT_NE(html.find("<td>back &lt;b</td>"), std::string::npos);
  EXPECT_NE(html.find("<td>it&#39;s &gt; all</td>"), std::string::npos);
  EXPECT_NE(html.find("<td>&lt;/table&gt;</td>"), std::string::npos);
  EXPECT_NE(html.find("<td>&lt;!--</td>"), std::string::npos);
  EXPECT_EQ(html.find("<b "), std::string::npos);
  EXPECT_EQ(html.find("<i>"), std::string::npos);

  // The heading has the file name, the page header the whole path.
  EXPECT_EQ(Utf8(m_frame->Commands().report.BuildReportHeader()),
            "<table width='100%' cellpadding=0 cellspacing=0><tr><td align='left'>"
            "Lumivane scenario - " + TestHome() + "/&lt;b&gt; &amp; &#39;co&#39;/show &quot;"
            "&lt;i&gt;&quot; &amp; more.cfg</td><td align='right'>page @PAGENUM@ of @PAGESCNT@"
            "</td></tr></table><hr>");
}

TEST_F(Report, PreviewShowsTheReportInAPreviewWindow) {
  Start();
  LoadGoldenScenario();
  Choose(m_frame, wxID_PREVIEW);
  Pump(200);
  wxPreviewFrame* frame = FindPreviewFrame();
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(frame->IsShown());
  EXPECT_EQ(frame->GetTitle(), "Lumivane scenario Preview");
  wxPrintPreviewBase* pages = nullptr;
  for (wxWindow* child : frame->GetChildren()) {
    if (auto* bar = dynamic_cast<wxPreviewControlBar*>(child)) {
      pages = bar->GetPrintPreview();
    }
  }
  ASSERT_NE(pages, nullptr);
  EXPECT_TRUE(pages->IsOk());
  EXPECT_EQ(pages->GetMinPage(), 1);
  EXPECT_GE(pages->GetMaxPage(), 1);
  frame->Close(true);
  Pump(100);
  EXPECT_EQ(FindPreviewFrame(), nullptr);
}

TEST_F(Report, PrintAsksWithThePrintDialogAndCancelPrintsNothing) {
  Start();
  LoadGoldenScenario();
  auto asked = std::make_shared<bool>(false);
  wxTEST_DIALOG(Choose(m_frame, wxID_PRINT), ExpectPrintDialog(asked));
  EXPECT_TRUE(*asked);
}

TEST_F(Report, ThePrintDialogKnowsThePagesAndOffersAllOfThem) {
  Start();
  // Long scenes, so that the report takes several pages.
  for (int scene = 0; scene < 3; ++scene) {
    if (scene > 0) {
      m_frame->CreateScenePage(scene, "", false);
    }
    wxGrid* grid = m_frame->Grid(scene);
    grid->AppendRows(29);
    for (int row = 0; row < 30; ++row) {
      grid->SetCellValue(row, COL_FROM, wxString::Format("%d", row + 1));
      grid->SetCellValue(row, COL_DESCRIPTION, "a row of the report");
    }
  }
  auto asked = std::make_shared<bool>(false);
  auto offered = std::make_shared<wxPrintDialogData>();
  wxTEST_DIALOG(Choose(m_frame, wxID_PRINT), ExpectPrintDialog(asked, offered));
  ASSERT_TRUE(*asked);
  EXPECT_TRUE(offered->GetAllPages());
  EXPECT_EQ(offered->GetMinPage(), 1);
  EXPECT_GE(offered->GetMaxPage(), 2);
  EXPECT_LT(offered->GetMaxPage(), 10);
  EXPECT_EQ(offered->GetFromPage(), 1);
  EXPECT_EQ(offered->GetToPage(), offered->GetMaxPage());
}

// File > Export preview... in the real window: the GIF of the open
// scenario where the file dialog says, and a folder that is not there.
#include <wx/menu.h>

#include "core/model/colour_numbers.h"
#include "gui/frame/ids.h"
#include "gui/frame/lumivane_frame.h"
#include "gui/preview/preview_export_command.h"
#include "support/app_fixture.h"
#include "support/file_dialog_expectation.h"
#include "support/gif_frames.h"
#include "support/gui_testing.h"
#include "support/temp_home.h"

namespace {

// Boards 1-3 colour 180 for 1 s, then board 2 colour 5 for 1 s.
const char SHOW[] =
    "# Lumivane scenario\n\n"
    "[Scene1]\nname=One\nfade=0\nhold=1\nrange1=1:3; 180; 0\n\n"
    "[Scene2]\nname=Two\nfade=0\nhold=1\nrange1=2:2; 5; 0\n";

class PreviewExportWindowTest : public AppTest {
 protected:
  void Open() {
    WriteFileText(HomePath("show.cfg"), SHOW);
    Start();
    m_frame->GetDocument().SetPath(HomePath("show.cfg"));
    ASSERT_TRUE(m_frame->ReadScenario());
  }
  void Command(int id) {
    wxCommandEvent event(wxEVT_MENU, id);
    m_frame->ProcessWindowEvent(event);
  }
};

}  // namespace

TEST_F(PreviewExportWindowTest, WritesThePreviewOfTheOpenScenarioOrSaysWhyNot) {
  Open();
  wxMenu* fileMenu = m_frame->GetMenuBar()->GetMenu(0);
  const wxMenuItem* item = fileMenu->FindChildItem(ID_EXPORT_PREVIEW);
  ASSERT_NE(item, nullptr) << "in the File menu";
  EXPECT_EQ(item->GetItemLabel(), "&Export preview...");

  auto seen = std::make_shared<FileDialogSeen>();
  const std::string path = HomePath("client.gif");
  wxTEST_DIALOG(Command(ID_EXPORT_PREVIEW), ExpectFileDialog(wxString::FromUTF8(path), wxID_OK, seen));
  EXPECT_EQ(seen->filename, "show.gif") << "named after the scenario";
  EXPECT_EQ(seen->directory, TestHomeDir());
  const ShownGif gif = ReadShownGif(ReadFileText(path));
  ASSERT_TRUE(gif.ok);
  EXPECT_TRUE(gif.loops);
  EXPECT_EQ(gif.LengthMs(), 2000) << "one pass";
  const struct {
    long long ms;
    int x;  // board 1 at 12, board 2 at 36
    Rgb colour;
  } cases[] = {{0, 12, IndexToColour(180)}, {0, 36, IndexToColour(180)}, {1000, 36, IndexToColour(5)}};
  for (const auto& c : cases) {
    EXPECT_EQ(ColourText(gif.Pixel(c.ms, c.x, 12)), ColourText(c.colour)) << c.x << " at " << c.ms;
  }

  wxTEST_DIALOG(Command(ID_EXPORT_PREVIEW), CancelFileDialog());

  // The file chooser offers no folder that is missing; the export is told one.
  const wxString missing = wxString::FromUTF8(HomePath("gone/client.gif"));
  PreviewExportCommand command(m_frame, m_frame->GetDocument().GetScenario(), HomePath("show.cfg"), TestHome());
  int error = 0;
  wxTEST_DIALOG(error = command.Export(missing),
                ExpectMessageBox("The preview could not be written to " + missing + ":\nNo such file or directory",
                                 "Export preview", wxOK));
  EXPECT_EQ(error, ENOENT);
}

#include "support/app_fixture.h"

#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include <wx/app.h>
#include <wx/utils.h>

#include "gui/app/lumivane_app.h"
#include "gui/frame/ids.h"
#include "gui/frame/lumivane_frame.h"
#include "support/temp_home.h"

std::string ReadFileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFileText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

void AppTest::StartWithScenario(const std::string& path, const std::string& text) {
  WriteFileText(path, text);
  Start();
  m_frame->Timer()->Stop();
  m_frame->GetDocument().SetPath(path);
  ASSERT_TRUE(m_frame->ReadScenario());
}

void AppTest::StartRunningScenario(const std::string& path, const std::string& text) {
  StartWithScenario(path, text);
  if (HasFatalFailure()) return;
  wxCommandEvent run(wxEVT_MENU, ID_TRANSFER);
  m_frame->ProcessWindowEvent(run);
  m_frame->Timer()->Stop();
  ASSERT_TRUE(m_frame->Session().Running());
}

LumivaneApp& AppTest::App() { return *static_cast<LumivaneApp*>(wxTheApp); }

std::string AppTest::HomePath(const std::string& relative) { return TestHome() + "/" + relative; }

std::string AppTest::SettingsPath() { return HomePath(".lumivane/lumivane.ini"); }

void AppTest::WriteSettings(const std::string& text) {
  mkdir(HomePath(".lumivane").c_str(), 0777);
  WriteFileText(SettingsPath(), text);
}

std::string AppTest::ReadSettings() { return ReadFileText(SettingsPath()); }

LumivaneFrame* AppTest::Start(const wxArrayString& arguments) {
  struct stat info;
  if (stat(SettingsPath().c_str(), &info) != 0) {
    WriteSettings("[Settings]\ncom=\ntip=-1\n");
  }
  return StartAsIs(arguments);
}

LumivaneFrame* AppTest::StartAsIs(const wxArrayString& arguments) {
  wxArrayString commandLine;
  commandLine.Add("lumivane");
  for (const wxString& argument : arguments) {
    commandLine.Add(argument);
  }
  App().StartUp(commandLine, m_linkMode);
  m_frame = App().Frame();
  Pump();
  return m_frame;
}

void AppTest::CloseMainWindow() {
  m_frame->Close(true);
  Pump();
  m_frame = nullptr;
}

void AppTest::PumpEvents(int milliseconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  do {
    wxTheApp->ProcessPendingEvents();
    wxYield();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  } while (std::chrono::steady_clock::now() < end);
  wxTheApp->ProcessIdle();
}

void AppTest::TearDown() {
  if (m_frame != nullptr) {
    // Leave without the close handler: nothing of this test is kept.
    m_frame->Destroy();
    m_frame = nullptr;
  }
  Pump(10);
}

void AppTestPump(int milliseconds) { AppTest::PumpEvents(milliseconds); }

void SetSceneName(LumivaneFrame* frame, int scene, const wxString& name) {
  frame->GetDocument().RenameScene(scene, name.utf8_string());
  frame->RefreshScene(scene);
}

void SetRowColour(LumivaneFrame* frame, int scene, int row, int colour) {
  frame->GetDocument().SetRowColour(scene, row, colour);
  frame->RefreshScene(scene);
}

#include <gtk/gtk.h>

#include "support/gui_testing.h"

void wxExpectModal<wxColourDialog>::SetNativeChoice(wxColourDialog* dialog,
                                                    const wxColour& colour,
                                                    const wxColourData& custom) {
  G_GNUC_BEGIN_IGNORE_DEPRECATIONS
  GtkColorSelection* selection = GTK_COLOR_SELECTION(gtk_color_selection_dialog_get_color_selection(
      GTK_COLOR_SELECTION_DIALOG(dialog->GetHandle())));
  const GdkRGBA rgba{colour.Red() / 255.0, colour.Green() / 255.0, colour.Blue() / 255.0, 1.0};
  gtk_color_selection_set_current_rgba(selection, &rgba);

  GdkColor colours[wxColourData::NUM_CUSTOM];
  gint count = 0;
  for (int slot = 0; slot < wxColourData::NUM_CUSTOM; ++slot) {
    const wxColour c = custom.GetCustomColour(slot);
    if (c.IsOk()) {
      colours[count++] = GdkColor{0, static_cast<guint16>(c.Red() * 257),
                                  static_cast<guint16>(c.Green() * 257),
                                  static_cast<guint16>(c.Blue() * 257)};
    }
  }
  gchar* palette = gtk_color_selection_palette_to_string(colours, count);
  g_object_set(gtk_widget_get_settings(GTK_WIDGET(selection)), "gtk-color-palette", palette, nullptr);
  g_free(palette);
  G_GNUC_END_IGNORE_DEPRECATIONS
}

wxString AppTest::TestHomeDir() { return wxString::FromUTF8(TestHome()); }

#include <wx/filename.h>

#include "support/file_dialog_expectation.h"

void ExpectFileDialog::SetChosenPath(wxFileDialog* dialog, const wxString& path) {
  dialog->SetPath(path);
  const wxString wanted = wxFileName(path).GetFullPath();
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  while (dialog->GetPath() != wanted && std::chrono::steady_clock::now() < end) {
    while (gtk_events_pending()) {
      gtk_main_iteration();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

int FadeOf(LumivaneFrame* frame, int scene) {
  const Document& document = frame->GetDocument();
  return document.HasScene(scene) ? document.GetScene(scene).fade : 0;
}

double HoldOf(LumivaneFrame* frame, int scene) {
  const Document& document = frame->GetDocument();
  return document.HasScene(scene) ? document.GetScene(scene).hold.Seconds() : 0.0;
}

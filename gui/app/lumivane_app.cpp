#include "gui/app/lumivane_app.h"

#include <sys/stat.h>

#include <glib.h>

#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/stdpaths.h>
#include <wx/tipdlg.h>

#include "gui/app/texts.h"
#include "gui/frame/lumivane_frame.h"
#include "gui/app/settings_file.h"

LumivaneApp* g_app = nullptr;

LumivaneApp::LumivaneApp()
    : m_settings(nullptr),
      m_baudIndex(0),
      m_tip(0),
      m_autoTransfer(true),
      m_frame(nullptr) {}

LumivaneApp::~LumivaneApp() {
  delete m_settings;
  if (g_app == this) {
    g_app = nullptr;
  }
}

namespace {

// The desktop program keeps its terminal quiet: the toolkit's own warnings
// have nowhere useful to go.
GLogWriterOutput DiscardLogMessage(GLogLevelFlags, const GLogField*, gsize, gpointer) {
  return G_LOG_WRITER_HANDLED;
}

}  // namespace

bool LumivaneApp::OnInit() {
  g_log_set_writer_func(DiscardLogMessage, nullptr, nullptr);
  wxArrayString commandLine;
  for (int i = 0; i < argc; ++i) {
    commandLine.Add(argv[i]);
  }
  return StartUp(commandLine);
}

wxString LumivaneApp::FindDocDir(const wxString& exeDir) {
  const wxString beside = exeDir.BeforeLast('/') + "/" + DOC_DIR_NAME;
  if (wxDirExists(beside)) {
    return beside;
  }
  const wxString inside = exeDir + "/" + DOC_DIR_NAME;
  if (wxDirExists(inside)) {
    return inside;
  }
  return exeDir;
}

bool LumivaneApp::StartUp(const wxArrayString& commandLine, BoardSession::Mode mode) {
  g_app = this;

  wxFileName exePath(wxStandardPaths::Get().GetExecutablePath());
  m_exeDir = exePath.GetPath();
  m_docDir = FindDocDir(m_exeDir);

  m_userDataDir = wxStandardPaths::Get().GetUserDataDir();
  if (!wxDirExists(m_userDataDir)) {
    // One level only; a failure shows up later as settings that don't stick.
    mkdir(m_userDataDir.utf8_str(), 0777);
  }

  delete m_settings;
  m_settings = new SettingsFile(SETTINGS_FILE_NAME, m_userDataDir);

  wxSize size(0, 0);
  LoadSettings(size);

  m_startFile.clear();
  if (commandLine.size() > 1) {
    m_startFile = commandLine[1];
  }

  m_frame = new LumivaneFrame(MAIN_WINDOW_TITLE, size, m_lines, mode);
  m_frame->Show(true);
  SetTopWindow(m_frame);

  if (m_startFile.empty() && m_tip >= 0) {
    ShowStartupTip();
  }
  return true;
}

void LumivaneApp::ShowStartupTip() {
  m_frame->Update();
  m_frame->ShowTips();
}

void LumivaneApp::LoadSettings(wxSize& size) {
  // A first start, with no port key at all, plays on the virtual boards; a
  // key that is there, even empty, is the user's choice. No value read from
  // a line holds a newline.
  m_port = m_settings->ReadString(SECTION_SETTINGS, KEY_PORT, "\n");
  if (m_port == "\n") {
    m_port = VIRTUAL_PORT_NAME;
  }
  m_baudIndex = m_settings->ReadLong(SECTION_SETTINGS, KEY_BAUD, 0);
  m_autoTransfer = m_settings->ReadLong(SECTION_SETTINGS, KEY_AUTORUN, 1) != 0;
  m_tip = m_settings->ReadLong(SECTION_SETTINGS, KEY_TIP, 0);

  long width = 480;
  long height = 320;
  const wxString frame = m_settings->ReadString(SECTION_POSITION, KEY_FRAME, "");
  if (!frame.empty()) {
    // A part that is not a number gives 0, as does a missing height.
    width = 0;
    height = 0;
    frame.BeforeFirst(' ').ToLong(&width);
    frame.AfterFirst(' ').ToLong(&height);
  }
  size.Set(static_cast<int>(width), static_cast<int>(height));

  m_activeDir = m_settings->ReadString(SECTION_SESSION, KEY_ACTIVE_DIR, "");
  m_copyDir = m_settings->ReadString(SECTION_SESSION, KEY_COPY_DIR, "");
  m_scenarioFile = m_settings->ReadString(SECTION_SESSION, KEY_FILE, "");
}

void LumivaneApp::SaveSettings(const wxSize& size) {
  // This order fixes the order of a new file's sections.
  m_settings->WriteString(SECTION_SETTINGS, KEY_PORT, m_port);
  m_settings->WriteLong(SECTION_SETTINGS, KEY_BAUD, m_baudIndex);
  m_settings->WriteLong(SECTION_SETTINGS, KEY_AUTORUN, m_autoTransfer ? 1 : 0);
  m_settings->WriteLong(SECTION_SETTINGS, KEY_TIP, m_tip);
  m_settings->WriteString(SECTION_SESSION, KEY_ACTIVE_DIR, m_activeDir);
  m_settings->WriteString(SECTION_SESSION, KEY_COPY_DIR, m_copyDir);
  m_settings->WriteString(SECTION_SESSION, KEY_FILE, m_scenarioFile);
  m_settings->WriteString(SECTION_POSITION, KEY_FRAME,
                          wxString::Format("%d %d", size.GetWidth(), size.GetHeight()));
}

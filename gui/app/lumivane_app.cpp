#include "gui/app/lumivane_app.h"

#include <sys/stat.h>

#include <algorithm>

#include <glib.h>

#include <wx/dir.h>
#include <wx/display.h>
#include <wx/filename.h>
#include <wx/stdpaths.h>
#include <wx/tipdlg.h>

#include "gui/app/app_language.h"
#include "gui/app/texts.h"
#include "gui/frame/frame_commands.h"
#include "gui/frame/lumivane_frame.h"

LumivaneApp::LumivaneApp() : m_frame(nullptr) {}

LumivaneApp::~LumivaneApp() = default;

namespace {

constexpr long FIRST_START_WIDTH = 900;
constexpr long FIRST_START_HEIGHT = 600;

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

  wxFileName exePath(wxStandardPaths::Get().GetExecutablePath());
  m_state.docDir = FindDocDir(exePath.GetPath());

  const wxString userDataDir = wxStandardPaths::Get().GetUserDataDir();
  if (!wxDirExists(userDataDir)) {
    // One level only; a failure shows up later as settings that don't stick.
    mkdir(userDataDir.utf8_str(), 0777);
  }

  m_state.settingsPath = Utf8SettingsFile(SETTINGS_FILE_NAME, userDataDir.utf8_string()).Path();
  LoadSettings();
  m_state.localeDir = LocaleDirBeside(exePath.GetPath());
  m_state.language = UseLanguage(m_state.settings.language, m_state.localeDir);

  m_state.startFile.clear();
  if (commandLine.size() > 1) {
    m_state.startFile = commandLine[1];
  }

  const Settings& settings = m_state.settings;
  m_frame = new LumivaneFrame(_(MAIN_WINDOW_TITLE), wxSize(settings.width, settings.height), m_state, m_lines, mode);
  m_frame->Show(true);
  SetTopWindow(m_frame);

  if (m_state.startFile.empty() && settings.tip >= 0) {
    ShowStartupTip();
  }
  return true;
}

void LumivaneApp::ShowStartupTip() {
  m_frame->Update();
  m_frame->Commands().help.ShowTips();
}

void LumivaneApp::LoadSettings() {
  // A first start, with no port key at all, plays on the virtual boards.
  Settings& settings = m_state.settings;
  settings = ReadSettings(Utf8SettingsFile(m_state.settingsPath), VIRTUAL_PORT_NAME);
  if (!settings.sizeStored) {
    // A first start shows the grid's five columns and some rows, within the
    // screen; a stored size is the user's.
    const wxRect screen = wxGetClientDisplayRect();
    settings.width = static_cast<int>(std::min(FIRST_START_WIDTH, static_cast<long>(screen.width)));
    settings.height = static_cast<int>(std::min(FIRST_START_HEIGHT, static_cast<long>(screen.height)));
  }
}

#include "gui/help/desktop_opener.h"

#include <wx/filefn.h>
#include <wx/process.h>
#include <wx/utils.h>

namespace {

constexpr const char* DESKTOP_OPENER = "xdg-open";
// The opener's own complaints would land on the program's stderr.
constexpr const char* QUIET_RUN = "exec \"$0\" \"$1\" >/dev/null 2>&1";

// Tells when the opener has ended in failure, then goes away.
class OpenerProcess : public wxProcess {
 public:
  explicit OpenerProcess(std::function<void()> failed) : m_failed(std::move(failed)) {}

  void OnTerminate(int, int status) override {
    if (status != 0 && m_failed) {
      m_failed();
    }
    delete this;
  }

 private:
  std::function<void()> m_failed;
};

}  // namespace

bool OpenWithDesktop(const wxString& path, std::function<void()> failed) {
  wxString searchPath;
  wxString opener;
  if (!wxGetEnv("PATH", &searchPath) || !wxFindFileInPath(&opener, searchPath, DESKTOP_OPENER)) {
    return false;
  }
  const wxScopedCharBuffer openerName = opener.fn_str();
  const wxScopedCharBuffer file = path.fn_str();
  const char* const argv[] = {"/bin/sh", "-c", QUIET_RUN, openerName.data(), file.data(), nullptr};
  auto* process = new OpenerProcess(std::move(failed));
  if (wxExecute(argv, wxEXEC_ASYNC, process) <= 0) {
    delete process;
    return false;
  }
  return true;
}

// netfetch <url> <newfile>: downloads one URL into one file with libcurl's
// easy interface, showing the progress on one terminal line. Everything it
// prints goes to standard output.

#include <curl/curl.h>
#include <signal.h>

#include <cstdio>
#include <ctime>

#include "netfetch/output_file.h"
#include "netfetch/progress.h"

static const char kUsage[] = "Usage: netfetch <url> <newfile>\n";
static const char kGlobalInitFailed[] = "Error: curl_global_init returned non-zero.\n";
static const char kEasyInitFailed[] = "Error: curl_easy_init returned NULL.\n";
static const char kCreateFailed[] = "Error creating %s.\n";
static const char kDownloadFailed[] = "Error downloading %s.\n";

// Without a limit, libcurl follows a redirect loop for ever.
static const long kMaxRedirects = 50;
// Larger reads than libcurl's 16 KiB default keep up with a fast link.
static const long kReceiveBufferBytes = 512 * 1024;

// A transfer that has received no byte for this long is given up: a server
// that stops sending in the middle of a body would otherwise be waited for
// for ever. The tests build a copy with a short limit.
#ifndef NETFETCH_STALL_LIMIT_MS
#define NETFETCH_STALL_LIMIT_MS 60000
#endif
static const long long kStallLimitMs = NETFETCH_STALL_LIMIT_MS;

static volatile sig_atomic_t g_interrupt = 0;

static long long NowMs() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// What the progress callback follows: the progress line, and when the
// received byte count last changed.
struct Transfer {
  ProgressLine line;
  curl_off_t received = 0;
  long long lastByteMs = NowMs();
};

static void OnInterrupt(int signo) { g_interrupt = signo; }

// Interrupting a download stops the transfer through the progress callback,
// so the temporary file can be removed before the process ends.
static void CatchInterrupts(bool enable) {
  struct sigaction action = {};
  action.sa_handler = enable ? OnInterrupt : SIG_DFL;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGHUP, &action, nullptr);
}

static void ShowProgress(ProgressLine* line, int percent) {
  if (!ProgressChanged(line, percent)) {
    return;
  }
  char text[64];
  FormatProgressLine(text, sizeof text, percent);
  std::fputs(text, stdout);
  // The line has no end, and a terminal's stdout only flushes at line ends.
  std::fflush(stdout);
}

// libcurl calls this at least once a second, also while nothing arrives.
static int OnProgress(void* data, curl_off_t downloadTotal, curl_off_t downloadNow,
                      curl_off_t /*uploadTotal*/, curl_off_t /*uploadNow*/) {
  Transfer* transfer = static_cast<Transfer*>(data);
  ShowProgress(&transfer->line, ProgressPercent(downloadNow, downloadTotal));
  const long long now = NowMs();
  if (downloadNow != transfer->received) {
    transfer->received = downloadNow;  // also a new count after a redirect
    transfer->lastByteMs = now;
  }
  const bool stalled = now - transfer->lastByteMs >= kStallLimitMs;
  return g_interrupt != 0 || stalled ? 1 : 0;
}

static CURLcode SetOptions(CURL* curl, FILE* file, const char* url, Transfer* transfer) {
  // libcurl's default writer appends to `file` and reports short writes.
  CURLcode result = curl_easy_setopt(curl, CURLOPT_WRITEDATA, file);
  if (result == CURLE_OK) result = curl_easy_setopt(curl, CURLOPT_URL, url);
  if (result == CURLE_OK) result = curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
  if (result == CURLE_OK) result = curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  if (result == CURLE_OK) result = curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
  if (result == CURLE_OK) result = curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, OnProgress);
  if (result == CURLE_OK) result = curl_easy_setopt(curl, CURLOPT_XFERINFODATA, transfer);
  if (result == CURLE_OK) result = curl_easy_setopt(curl, CURLOPT_MAXREDIRS, kMaxRedirects);
  if (result == CURLE_OK) result = curl_easy_setopt(curl, CURLOPT_BUFFERSIZE, kReceiveBufferBytes);
  return result;
}

// Runs the transfer into `out` (opened for `path`) and reports the outcome;
// returns the exit status, or -1 when interrupted. The output is committed
// or discarded before this returns.
static int Download(CURL* curl, const char* url, const char* path, OutputFile* out) {
  Transfer transfer;
  CURLcode result = SetOptions(curl, out->file, url, &transfer);
  if (result == CURLE_OK) {
    CatchInterrupts(true);
    result = curl_easy_perform(curl);
    CatchInterrupts(false);
  }
  // Data still buffered must reach the file, or the download failed.
  const bool closed = OutputClose(out);
  const bool downloaded = result == CURLE_OK && closed && g_interrupt == 0;
  if (downloaded) {
    // A body of unannounced size showed 0 throughout; it is complete now.
    ShowProgress(&transfer.line, 100);
  }
  std::fputs("\n", stdout);

  if (!downloaded) {
    OutputDiscard(out);
    if (g_interrupt != 0) {
      return -1;
    }
    std::printf(kDownloadFailed, url);
    return 1;
  }
  if (!OutputCommit(out)) {
    std::printf(kCreateFailed, path);
    return 1;
  }
  return 0;
}

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs(kUsage, stdout);
    return 1;
  }
  const char* url = argv[1];
  const char* path = argv[2];

  if (curl_global_init(CURL_GLOBAL_ALL) != 0) {
    std::fputs(kGlobalInitFailed, stdout);
    return 1;
  }
  CURL* curl = curl_easy_init();
  if (curl == nullptr) {
    std::fputs(kEasyInitFailed, stdout);
    curl_global_cleanup();
    return 1;
  }

  int status = 1;
  OutputFile out;
  if (OutputOpen(&out, path)) {
    status = Download(curl, url, path, &out);
  } else {
    std::printf(kCreateFailed, path);
  }
  curl_easy_cleanup(curl);
  curl_global_cleanup();

  if (status < 0) {
    // End the way the interrupt would have ended the process.
    std::fflush(stdout);
    const int signo = g_interrupt;
    signal(signo, SIG_DFL);
    raise(signo);
    return 128 + signo;
  }
  return status;
}

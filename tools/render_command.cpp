// lumivane-cli render: the scenario played on virtual boards in simulated
// time, as play plays it, drawn as the board monitor shows the boards into
// a looping animated GIF.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/format/scenario_file.h"
#include "core/preview/preview_render.h"
#include "tools/command_line.h"
#include "tools/input_list.h"

int Render(const std::vector<std::string>& args);

namespace {


const char RENDER_HELP[] =
    "Usage: lumivane-cli render FILE -o OUT.gif [--seconds S] [--fps F] [--columns N]\n"
    "                           [--tile PX] [--inputs T:K[,T:K]...]\n"
    "Plays FILE as Transfer / run does, from scene 1, on virtual boards in\n"
    "simulated time, and writes what the board monitor would show as a\n"
    "looping animated GIF: one square tile a board, board 1 top left.\n"
    "\n"
    "  -o, --output OUT  the GIF to write; it is replaced in one step\n"
    "  --seconds S      how long (above 0, at most 600; default one pass: the\n"
    "                   holds added up, 10 s for a scene without one)\n"
    "  --fps F          frames a second, 1 to 50 (default 10)\n"
    "  --columns N      tiles a row, 1 to 256 (default 16)\n"
    "  --tile PX        a tile's side in pixels, 4 to 128 (default 24)\n"
    "  --inputs LIST    input K (1..4) active at T seconds for one tick; it\n"
    "                   does what the file's input configuration says\n";

struct RenderRequest {
  std::string file;
  std::string output;
  PreviewOptions options;
  bool help = false;
};

bool ParseWhole(const std::string& text, long least, long most, int* value) {
  char* end = nullptr;
  errno = 0;
  const long number = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno == ERANGE || number < least || number > most) {
    return false;
  }
  *value = static_cast<int>(number);
  return true;
}

std::string WholeError(const std::string& name, const std::string& value, long least, long most) {
  return name + " '" + value + "' is not a whole number from " + std::to_string(least) + " to " +
         std::to_string(most);
}

// An error text, or "" when the option was taken.
std::string TakeOption(const std::string& name, const std::string& value, RenderRequest* request) {
  PreviewOptions& options = request->options;
  if (name == "--output") {
    if (value.empty()) return "no output file given";
    request->output = value;
  } else if (name == "--seconds") {
    if (!ParseSeconds(value, &options.seconds) || options.seconds <= 0 || options.seconds > PREVIEW_MOST_SECONDS) {
      return "seconds '" + value + "' is not a number above 0 and at most 600";
    }
  } else if (name == "--fps") {
    if (!ParseWhole(value, 1, PREVIEW_MOST_FPS, &options.fps)) return WholeError("fps", value, 1, PREVIEW_MOST_FPS);
  } else if (name == "--columns") {
    if (!ParseWhole(value, 1, PREVIEW_MOST_COLUMNS, &options.columns)) {
      return WholeError("columns", value, 1, PREVIEW_MOST_COLUMNS);
    }
  } else if (name == "--tile") {
    if (!ParseWhole(value, PREVIEW_LEAST_TILE, PREVIEW_MOST_TILE, &options.tile)) {
      return WholeError("tile", value, PREVIEW_LEAST_TILE, PREVIEW_MOST_TILE);
    }
  } else if (name == "--inputs") {
    return ParseInputList(value, &options.inputs);
  } else {
    return "unknown option '" + name + "'";
  }
  return "";
}

// An error text, or "" when the request was understood.
std::string ParseRender(const std::vector<std::string>& args, RenderRequest* request) {
  const std::string error = TakeScenarioArguments(args, &request->help, &request->file, [&](size_t& i) {
    std::string arg = args[i];
    std::string value;
    const size_t equals = arg.find('=');
    if (arg.compare(0, 2, "--") == 0 && equals != std::string::npos) {
      value = arg.substr(equals + 1);
      arg.erase(equals);
    } else if (i + 1 == args.size()) {
      return "option '" + arg + "' needs a value";
    } else {
      value = args[++i];
    }
    return TakeOption(arg == "-o" ? "--output" : arg, value, request);
  });
  if (!error.empty() || request->help) {
    return error;
  }
  if (request->output.empty()) {
    return "no output file given (-o OUT.gif)";
  }
  return "";
}

// "60", "12.5": seconds as the run counts them, in tenths.
std::string SecondsText(double seconds) {
  char text[32];
  snprintf(text, sizeof text, "%.1f", seconds);
  std::string shown = text;
  if (shown.size() > 2 && shown.compare(shown.size() - 2, 2, ".0") == 0) {
    shown.erase(shown.size() - 2);
  }
  return shown;
}

}  // namespace

int Render(const std::vector<std::string>& args) {
  RenderRequest request;
  const std::string error = ParseRender(args, &request);
  Scenario scenario;
  const int begun = BeginOnScenario("render", error, request.help, RENDER_HELP, request.file, &scenario);
  if (begun != GO_ON) {
    return begun;
  }
  PreviewResult result;
  const int writeError = ExportPreview(scenario, request.options, request.output, {}, &result);
  if (writeError == EFBIG && result.gif.empty()) {
    fprintf(stderr, "lumivane-cli: %s: %ld boards in tiles of %d pixels do not fit one GIF; give more --columns\n",
            request.output.c_str(), result.boards, request.options.tile);
    return EXIT_FAILED;
  }
  if (writeError != 0) {
    PrintError(request.output, strerror(writeError));
    return EXIT_FAILED;
  }
  printf("%s: %ld frames of %d x %d pixels, %s s, %zu bytes\n", request.output.c_str(), result.frames, result.width,
         result.height, SecondsText(result.seconds).c_str(), result.gif.size());
  return FinishOutput(EXIT_OK);
}

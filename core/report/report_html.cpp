#include "core/report/report_html.h"

#include <cstdarg>
#include <cstdio>

#include "core/i18n/c_numeric_scope.h"
#include "core/model/colour_numbers.h"

namespace {

constexpr const char* REPORT_BEGIN = "<html><body>";
constexpr const char* REPORT_END = "</body></html>";
constexpr const char* REPORT_TITLE_OPEN = "<h1>";
constexpr const char* REPORT_TITLE_CLOSE = "</h1>";
constexpr const char* REPORT_SCENE_OPEN = "<h2>Scene: ";
constexpr const char* REPORT_SCENE_CLOSE = "</h2>";
constexpr const char* REPORT_TABLE_HEAD =
    "<table width='100%' cellpadding=1 cellspacing=0><tr><td width='10%'><b>From</b></td>"
    "<td width='10%'><b>To</b></td><td width='10%'><b>Colour</b></td>"
    "<td width='10%'><b>Blink</b></td><td><b>Description</b></td></tr>";
constexpr const char* REPORT_ROW_EVEN = "<tr>";
constexpr const char* REPORT_ROW_ODD = "<tr bgcolor='#f0f0f0'>";
constexpr const char* REPORT_CELL_OPEN = "<td>";
constexpr const char* REPORT_CELL_CLOSE = "</td>";
// The colour as the grid shows it, a swatch in a thin border (the spacing
// of a table whose own colour is the border's), and its number.
constexpr const char* REPORT_COLOUR_CELL =
    "<td><table cellspacing=0 cellpadding=0><tr><td>"
    "<table cellspacing=1 cellpadding=0 bgcolor='#606060'><tr><td width=18 bgcolor='#%02x%02x%02x'>&nbsp;</td>"
    "</tr></table></td><td>&nbsp;%d</td></tr></table></td>";
constexpr const char* REPORT_ROW_CLOSE = "</tr>";
constexpr const char* REPORT_TABLE_CLOSE = "</table>";
constexpr const char* REPORT_TIMING = "<p>Fade: %d, Hold: %.1f s<hr>";
constexpr const char* REPORT_HEADER_OPEN =
    "<table width='100%' cellpadding=0 cellspacing=0><tr><td align='left'>Lumivane scenario - ";
constexpr const char* REPORT_HEADER_CLOSE =
    "</td><td align='right'>page @PAGENUM@ of @PAGESCNT@</td></tr></table><hr>";

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string Format(const char* format, ...) {
  const CNumericScope decimalPoint;
  char text[512];
  va_list arguments;
  va_start(arguments, format);
  const int length = vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  return length > 0 ? std::string(text, static_cast<size_t>(length) < sizeof text ? length : sizeof text - 1)
                    : std::string();
}

std::string Cell(const std::string& text) { return REPORT_CELL_OPEN + EscapeHtml(text) + REPORT_CELL_CLOSE; }

}  // namespace

std::string EscapeHtml(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c; break;
    }
  }
  return out;
}

std::string BuildReportHtml(const Scenario& scenario, const std::string& title) {
  std::string html = REPORT_BEGIN;
  html += REPORT_TITLE_OPEN + EscapeHtml(title) + REPORT_TITLE_CLOSE;
  for (size_t i = 0; i < scenario.scenes.size() && i < static_cast<size_t>(MAX_SCENES); ++i) {
    const Scene& scene = scenario.scenes[i];
    html += REPORT_SCENE_OPEN + EscapeHtml(scene.name) + REPORT_SCENE_CLOSE;
    html += REPORT_TABLE_HEAD;
    for (size_t j = 0; j < scene.rows.size(); ++j) {
      const Row& row = scene.rows[j];
      if (!RowPrinted(row)) {
        continue;
      }
      // The stripes follow the grid's row numbers, skipped rows included.
      html += j % 2 == 1 ? REPORT_ROW_ODD : REPORT_ROW_EVEN;
      html += Cell(StripBlanks(row.from)) + Cell(StripBlanks(row.to));
      const Rgb colour = RowColour(row);
      html += Format(REPORT_COLOUR_CELL, colour.red, colour.green, colour.blue, row.ColourIndex());
      html += Cell(StripBlanks(row.blink)) + Cell(StripBlanks(row.description));
      html += REPORT_ROW_CLOSE;
    }
    html += REPORT_TABLE_CLOSE;
    html += Format(REPORT_TIMING, scene.fade, scene.hold.Seconds());
  }
  html += REPORT_END;
  return html;
}

std::string BuildReportHeaderHtml(const std::string& file) {
  return REPORT_HEADER_OPEN + EscapeHtml(file) + REPORT_HEADER_CLOSE;
}

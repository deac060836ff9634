#pragma once
// The scenario report: HTML for print preview and printing, one table per
// scene with its colours and timing. Texts are UTF-8.
#include <string>

#include "core/model/scenario.h"

// The report of `scenario` under the heading `title` (the file's name).
std::string BuildReportHtml(const Scenario& scenario, const std::string& title);

// The header printed above each page, naming `file` (its path).
std::string BuildReportHeaderHtml(const std::string& file);

// Names and cell texts are the user's: "<", "&" and quotes show as written
// instead of turning into markup.
std::string EscapeHtml(const std::string& text);

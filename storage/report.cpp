// The scenario report: HTML for print preview and printing.
#include "frame/lumivane_frame.h"

void LumivaneFrame::BindReportCommands() {}

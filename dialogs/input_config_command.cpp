#include "frame/lumivane_frame.h"

void LumivaneFrame::OnInputConfig(wxCommandEvent&) {}

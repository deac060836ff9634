#include "gui/app/lumivane_app.h"

wxIMPLEMENT_APP(LumivaneApp);

#pragma once
// N_("...") marks a text that the window shows in the user's language. The
// text stays English here, so the core and lumivane-cli keep their English
// output; the message template collects every marked literal, and the
// window looks the English text up in its catalogue where it shows it.
#ifndef N_
#define N_(text) text
#endif

#pragma once
// Ports on 127.0.0.1 for a program under test to listen on.

// A socket of `type` (SOCK_DGRAM, SOCK_STREAM) bound to a free port on
// 127.0.0.1, its port in `port`; -1 when none could be had.
int BoundLoopbackSocket(int type, int* port);

// A port of `type` on 127.0.0.1 that was free a moment ago.
int FreeLoopbackPort(int type);

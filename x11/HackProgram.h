#pragma once
#include "x11/HackOptions.h"

// The program's run: the window and context, the scene fed by the monotonic clock,
// one frame after another with the delay between, until a key, the close box, the
// window's end or SIGTERM/SIGINT. Returns the exit status: 0, or 1 where the
// Windows program would quit after a message.
int runHack(const HackOptions& options);

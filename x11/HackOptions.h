#pragma once
#include <cstdint>
#include <string>

#include "config/Settings.h"

// Where the program draws.
enum class DrawTarget {
    OwnWindow,  // a window of its own, 1280 x 720
    Root,  // the window in XSCREENSAVER_WINDOW, else the root window
    WindowId,  // the window given by -window-id
};

// The command line of the program, as every screensaver hack of X takes it: options
// with one dash or two.
struct HackOptions {
    DrawTarget target = DrawTarget::OwnWindow;
    unsigned long windowId = 0;
    long delayMicroseconds = 10000;
    bool showFps = false;
    // The scene's settings: the defaults of the record unless an option sets them.
    Settings settings;
};

enum class ParseOutcome { Run, Help, Error };

struct ParseResult {
    ParseOutcome outcome = ParseOutcome::Run;
    std::string error;  // what was wrong, for Error
};

// Reads argv[1..argc-1] into options; options not given keep their values.
ParseResult parseHackOptions(int argc, const char* const* argv, HackOptions& options);

// A window id as xscreensaver writes it ("0x" and hex digits) or as xsecurelock
// does (decimal). X ids are non-zero and fit in 29 bits.
bool parseWindowId(const char* text, unsigned long& id);

// The text -help prints, and an error prints before it.
const char* hackUsage();

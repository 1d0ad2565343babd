// zandor3d: the Zandor 3D screensaver for X, as xscreensaver and xsecurelock run it.
#include <cstdio>

#include "x11/HackOptions.h"
#include "x11/HackProgram.h"
#include "x11/SignalPipe.h"

int main(int argc, char** argv)
{
    HackOptions options;
    const ParseResult parsed = parseHackOptions(argc, argv, options);
    switch (parsed.outcome) {
    case ParseOutcome::Help:
        std::fputs(hackUsage(), stdout);
        return 0;
    case ParseOutcome::Error:
        std::fprintf(stderr, "zandor3d: %s\n%s", parsed.error.c_str(), hackUsage());
        return 1;
    case ParseOutcome::Run:
        break;
    }
    const int status = runHack(options);
    // The run has released what it made; ending without exit handlers keeps the end
    // prompt after a signal and spares the sanitizers' leak check the GL driver's own
    // allocations, left behind when it is unloaded.
    std::fflush(nullptr);
    endProcessNow(status);
}

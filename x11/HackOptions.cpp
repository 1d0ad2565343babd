#include "x11/HackOptions.h"

#include <cstring>

namespace {

constexpr unsigned long kLargestXid = 0x1FFFFFFF;
constexpr long kLongestDelay = 10000000;  // ten seconds between frames

const char kUsage[] = "usage: zandor3d [options]\n"
                      "  -root                  draw on the window named by XSCREENSAVER_WINDOW, else on the root\n"
                      "  -window                draw in a window of its own, 1280x720 (q, Escape or closing it "
                      "ends)\n"
                      "  -window-id ID          draw on window ID (0x... hex or decimal); wins over -root\n"
                      "  -delay MICROSECONDS    pause between frames (default 10000)\n"
                      "  -fps                   show the frames drawn per second in a corner\n"
                      "  -speed 0..100          animation speed (default 40)\n"
                      "  -camera-mode 0..3      0 to 2: the camera tour; 3: a camera that stays still\n"
                      "  -night-side, -no-night-side        light the planet's dark side (default on)\n"
                      "  -random-start, -no-random-start    start the tour at a random time (default on)\n"
                      "  -help                  print this text\n"
                      "Options take one dash or two.\n";

// A whole decimal number within low..high.
bool parseNumber(const char* text, long low, long high, long& value)
{
    if (text == nullptr || *text == '\0')
        return false;
    long result = 0;
    for (const char* p = text; *p; ++p) {
        if (*p < '0' || *p > '9')
            return false;
        result = result * 10 + (*p - '0');
        if (result > high)
            return false;
    }
    if (result < low)
        return false;
    value = result;
    return true;
}

// The option's name without its one or two leading dashes; null for a non-option.
const char* optionName(const char* arg)
{
    if (arg[0] != '-')
        return nullptr;
    return arg[1] == '-' ? arg + 2 : arg + 1;
}

struct Switch {
    const char* name;
    void (*apply)(HackOptions&);
};

const Switch kSwitches[] = {
    {"root", [](HackOptions& o) { o.target = o.target == DrawTarget::WindowId ? o.target : DrawTarget::Root; }},
    {"window", [](HackOptions& o) { o.target = o.target == DrawTarget::WindowId ? o.target : DrawTarget::OwnWindow; }},
    {"fps", [](HackOptions& o) { o.showFps = true; }},
    {"night-side", [](HackOptions& o) { o.settings.nightSide = 1; }},
    {"no-night-side", [](HackOptions& o) { o.settings.nightSide = 0; }},
    {"random-start", [](HackOptions& o) { o.settings.randomCameraStart = 1; }},
    {"no-random-start", [](HackOptions& o) { o.settings.randomCameraStart = 0; }},
};

struct Valued {
    const char* name;
    // False when the text is no acceptable value.
    bool (*apply)(HackOptions&, const char*);
};

const Valued kValued[] = {
    {"window-id",
     [](HackOptions& o, const char* v) {
         if (!parseWindowId(v, o.windowId))
             return false;
         o.target = DrawTarget::WindowId;
         return true;
     }},
    {"delay", [](HackOptions& o, const char* v) { return parseNumber(v, 0, kLongestDelay, o.delayMicroseconds); }},
    {"speed",
     [](HackOptions& o, const char* v) {
         long speed = 0;
         if (!parseNumber(v, 0, 100, speed))
             return false;
         o.settings.animationSpeed = static_cast<int32_t>(speed);
         return true;
     }},
    {"camera-mode",
     [](HackOptions& o, const char* v) {
         long mode = 0;
         if (!parseNumber(v, 0, 3, mode))
             return false;
         o.settings.camMode = static_cast<int32_t>(mode);
         return true;
     }},
};

ParseResult failure(const std::string& text)
{
    return {ParseOutcome::Error, text};
}

}  // namespace

bool parseWindowId(const char* text, unsigned long& id)
{
    if (text == nullptr)
        return false;
    const bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* digits = hex ? text + 2 : text;
    if (*digits == '\0')
        return false;
    unsigned long result = 0;
    for (const char* p = digits; *p; ++p) {
        int digit;
        if (*p >= '0' && *p <= '9')
            digit = *p - '0';
        else if (hex && *p >= 'a' && *p <= 'f')
            digit = *p - 'a' + 10;
        else if (hex && *p >= 'A' && *p <= 'F')
            digit = *p - 'A' + 10;
        else
            return false;
        result = result * (hex ? 16 : 10) + static_cast<unsigned long>(digit);
        if (result > kLargestXid)
            return false;
    }
    if (result == 0)
        return false;
    id = result;
    return true;
}

ParseResult parseHackOptions(int argc, const char* const* argv, HackOptions& options)
{
    for (int i = 1; i < argc; ++i) {
        const char* name = optionName(argv[i]);
        if (name == nullptr)
            return failure(std::string("unexpected argument: ") + argv[i]);
        if (std::strcmp(name, "help") == 0 || std::strcmp(name, "h") == 0)
            return {ParseOutcome::Help, {}};
        bool known = false;
        for (const Switch& s : kSwitches)
            if (std::strcmp(name, s.name) == 0) {
                s.apply(options);
                known = true;
            }
        for (const Valued& v : kValued) {
            if (std::strcmp(name, v.name) != 0)
                continue;
            if (i + 1 >= argc)
                return failure(std::string(argv[i]) + " needs a value");
            if (!v.apply(options, argv[i + 1]))
                return failure(std::string("bad value for ") + argv[i] + ": " + argv[i + 1]);
            ++i;
            known = true;
        }
        if (!known)
            return failure(std::string("unknown option: ") + argv[i]);
    }
    return {};
}

const char* hackUsage()
{
    return kUsage;
}

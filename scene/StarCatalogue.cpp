#include "scene/StarCatalogue.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "scene/Angles.h"

const StarColour starColourTable[7] = {
    {219, 244, 254},  // O
    {239, 252, 254},  // B
    {252, 254, 243},  // A
    {255, 254, 202},  // F and anything unknown
    {255, 246, 158},  // G
    {255, 218, 133},  // K
    {255, 177, 128},  // M
};

namespace {

constexpr double kInvisibleMagnitude = 99.0;  // far below black
constexpr size_t kLineLimit = 127;  // catalogue lines are about 30 characters

struct LetterClass {
    char letter;
    uint8_t colourClass;
};
constexpr LetterClass kLetterClasses[] = {
    {'O', 0}, {'B', 1}, {'A', 2}, {'G', 4}, {'K', 5}, {'M', 6},
};

float saturate(double v)
{
    return static_cast<float>(std::clamp(v, 0.0, 1.0));
}

}  // namespace

uint8_t colourClassFor(char letter)
{
    for (const LetterClass& row : kLetterClasses)
        if (row.letter == letter)
            return row.colourClass;
    return 3;
}

size_t countStarLines(const char* text, size_t length)
{
    return static_cast<size_t>(std::count(text, text + length, '\n'));
}

StarRecord parseStarLine(const char* line, size_t length)
{
    // sscanf needs a terminated copy: the catalogue block has no terminator of its own.
    char buffer[kLineLimit + 1];
    const size_t n = std::min(length, kLineLimit);
    std::memcpy(buffer, line, n);
    buffer[n] = '\0';

    StarRecord star{0.0, 0.0, kInvisibleMagnitude, 3};
    double magnitude = 0.0, ra = 0.0, dec = 0.0;
    char letter = 0;
    if (std::sscanf(buffer, "%lf;%lf;%lf;%c", &magnitude, &ra, &dec, &letter) != 4)
        return star;
    if (!std::isfinite(magnitude) || !std::isfinite(ra) || !std::isfinite(dec))
        return star;
    return {ra, dec, magnitude, colourClassFor(letter)};
}

void parseStars(const char* text, size_t length, StarRecord* out, size_t count)
{
    const char* cursor = text;
    const char* end = text + length;
    for (size_t i = 0; i < count; ++i) {
        const char* feed = static_cast<const char*>(std::memchr(cursor, '\n', end - cursor));
        const char* lineEnd = feed ? feed : end;
        out[i] = parseStarLine(cursor, static_cast<size_t>(lineEnd - cursor));
        cursor = feed ? feed + 1 : end;
    }
}

StarAppearance starAppearance(const StarRecord& star)
{
    const double m = star.magnitude;
    const double brightness = 1.0 - (m + 1.5) * 0.1;
    const StarColour& c = starColourTable[std::min<uint8_t>(star.colourClass, 6)];
    const double scale = 0.003906 * brightness * 1.5;

    StarAppearance look;
    look.red = saturate(c.red * scale);
    look.green = saturate(c.green * scale);
    look.blue = saturate(c.blue * scale);
    look.pointSize = static_cast<float>(5.0 - m > kFaintStarPointSize ? 5.0 - m : kFaintStarPointSize);
    const double alpha = star.rightAscension * 0.01 * pi * 2.0;
    const double delta = star.declination * 0.01 * pi;
    look.direction = {std::cos(delta) * std::cos(alpha), std::cos(delta) * std::sin(alpha), std::sin(delta)};
    return look;
}

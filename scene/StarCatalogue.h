#pragma once
#include <cstddef>
#include <cstdint>

#include "scene/Vec3.h"

// One catalogue star as read from "stars.dat".
struct StarRecord {
    double rightAscension;  // hundredths of a full turn
    double declination;  // hundredths of a half turn
    double magnitude;
    uint8_t colourClass;  // row of starColourTable
};

struct StarColour {
    uint8_t red, green, blue;
};

// Colour class -> RGB, O B A F G K M.
extern const StarColour starColourTable[7];

// Spectral letter -> colour class; unknown letters share F's row.
uint8_t colourClassFor(char letter);

// Stars in a catalogue: one per line feed (a last line without one is not read).
size_t countStarLines(const char* text, size_t length);

// Parses one line (without its line feed). A line that does not give all four fields
// becomes a star too faint to see, so it adds nothing to the sky.
StarRecord parseStarLine(const char* line, size_t length);

// Fills `count` records from the catalogue text, one per line.
void parseStars(const char* text, size_t length, StarRecord* out, size_t count);

// Every star of magnitude 3 or fainter is drawn this size.
constexpr float kFaintStarPointSize = 2.0f;

// How one star is drawn: colour components in 0..1, point size in pixels and its
// direction on the unit sphere.
struct StarAppearance {
    float red, green, blue;
    float pointSize;
    Vec3 direction;
};
StarAppearance starAppearance(const StarRecord& star);

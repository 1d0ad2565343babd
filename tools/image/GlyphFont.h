#pragma once

#include "tools/image/Raster.h"

#include <string_view>

// Our own 5 × 7 pixel lettering (two rows more for descenders), drawn scaled
// with soft edges.
class GlyphFont {
public:
    static constexpr int glyphWidth = 5;
    static constexpr int glyphHeight = 9;
    static constexpr int advance = 6;

    // True where the glyph for c has a dot at (column, row); unknown characters are blank.
    static bool dot(char c, int column, int row);
    // Width in pixels of text at the given scale.
    static int textWidth(std::string_view text, double scale);
    // Coverage 0..1 of the text at (x, y) relative to its top-left corner.
    static double coverage(std::string_view text, double scale, double x, double y);
    // Paints text with its top-left corner at (left, top).
    static void draw(Raster& target, std::string_view text, int left, int top, double scale, Colour colour);
};

#include "x11/FpsOverlay.h"

#include <cstdint>
#include <cstring>

#include "assets/GlHeaders.h"

namespace {

constexpr int kGlyphColumns = 5;
constexpr int kGlyphRows = 7;
constexpr int kScale = 2;
constexpr int kAdvance = (kGlyphColumns + 1) * kScale;
constexpr int kMargin = 8;

struct Glyph {
    char character;
    const char* rows[kGlyphRows];  // top row first, '#' set
};

// clang-format off
const Glyph kGlyphs[] = {
    {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
    {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
    {'3', {"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."}},
    {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
    {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
    {'6', {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."}},
    {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
    {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
    {'9', {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."}},
    {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {':', {".....", "..#..", "..#..", ".....", "..#..", "..#..", "....."}},
    {'.', {".....", ".....", ".....", ".....", ".....", ".##..", ".##.."}},
};
// clang-format on

constexpr int kBitmapWidth = kGlyphColumns * kScale;  // fits two bytes a row
constexpr int kBitmapHeight = kGlyphRows * kScale;

// The glyph enlarged, rows from the bottom up as glBitmap takes them.
void rasterise(const Glyph& glyph, uint8_t (&bits)[kBitmapHeight][2])
{
    std::memset(bits, 0, sizeof bits);
    for (int y = 0; y < kBitmapHeight; ++y) {
        const char* row = glyph.rows[kGlyphRows - 1 - y / kScale];
        for (int x = 0; x < kBitmapWidth; ++x)
            if (row[x / kScale] == '#')
                bits[y][x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    }
}

const Glyph* findGlyph(char c)
{
    for (const Glyph& glyph : kGlyphs)
        if (glyph.character == c)
            return &glyph;
    return nullptr;
}

}  // namespace

// Sets unlit, untextured, untested drawing in window pixels, a colour and the unpack
// alignment; attributes and both matrices are pushed and popped.
void FpsOverlay::draw(const char* text, int width, int height)
{
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_TRANSFORM_BIT);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, width, 0.0, height, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glColor3f(1.0f, 1.0f, 0.6f);
    glRasterPos2i(kMargin, kMargin);
    for (const char* c = text; *c; ++c) {
        uint8_t bits[kBitmapHeight][2] = {};
        const Glyph* glyph = findGlyph(*c);
        if (glyph)
            rasterise(*glyph, bits);
        glBitmap(glyph ? kBitmapWidth : 0, glyph ? kBitmapHeight : 0, 0.0f, 0.0f, kAdvance, 0.0f, &bits[0][0]);
    }
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopClientAttrib();
    glPopAttrib();
}

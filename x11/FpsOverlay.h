#pragma once

// The frame rate as text in the window's lower left corner, drawn with bitmap
// glyphs of our own.
class FpsOverlay {
public:
    // Draws text (digits, "FPS:", '.', ' ') over the finished frame of a
    // width x height window.
    void draw(const char* text, int width, int height);
};

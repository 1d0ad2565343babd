#pragma once
#include "assets/Image.h"

// How bright a round sprite picture is at each distance from its middle: the mean of
// each ring of texels, out to the picture's inscribed circle. Lets the wide glows on the
// sun be drawn as shaded rings instead of textured quads over the whole screen.
class GlowProfile {
public:
    static constexpr int bins = 64;

    // Reads a square 24-bit picture; any other leaves the profile empty.
    void readPicture(const Image& picture);
    bool empty() const { return !read_; }
    // Brightness 0..1 at r picture half-widths from the middle; 0 from 1 on.
    double at(double r) const;

private:
    bool read_ = false;
    float mean_[bins + 1] = {};  // at r = k / bins; the last is 0
};

#pragma once
#include "scene/FlareElement.h"
#include "scene/GlowProfile.h"

// Reads the depth buffer at one window pixel; injected so tests can count reads.
struct DepthSampler {
    virtual ~DepthSampler() = default;
    virtual float depthAt(int x, int y) = 0;
};

// The sun as projected: window coordinates and the viewport size in pixels.
struct FlareView {
    double winX, winY, winZ;
    int width, height;
};

// One flare sprite, ready to draw: centre and sizes in device units, angle in radians,
// texture as the 0-based flare number.
struct FlareSprite {
    double centreX, centreY;
    double angle;
    double halfWidth, halfHeight;
    double alpha;
    int32_t texture;
    float red, green, blue;
};

constexpr int flareSpriteCount = flareElementCount + 1;
constexpr int flareSampleCount = 64;

// The window pixels the samples around the sun can read, clipped to the viewport: one
// block read serves them all. Empty (x0 > x1 or y0 > y1) when none lies on screen.
struct PixelBox {
    int x0, y0, x1, y1;
};
PixelBox flareSampleBox(const FlareView& view);

// Share of the 64 samples around the sun that are covered (or off screen): 0 to 1.
double flareHidden(double ndcX, double ndcY, const FlareView& view, DepthSampler& depth);

// Sprites of this frame's flare, in drawing order; 0 when nothing is to be drawn.
int planLensFlares(const FlareView& view, DepthSampler& depth, FlareSprite out[flareSpriteCount]);

// Vertex k of a sprite quad, k = 0..3 a quarter turn apart, at the texture corners
// (1, 0), (1, 1), (0, 1), (0, 0).
struct FlareCorner {
    double x, y;
    double s, t;
};
void flareSpriteCorners(const FlareSprite& sprite, FlareCorner out[4]);

// The texture field of flare texture 4, the soft circular glow.
constexpr int32_t softGlowTexture = 3;

// The widest soft glows on the sun, larger than the screen at full intensity, are drawn
// together as one disc of shaded rings: the same light, without the fill of textured
// quads over the whole screen.
bool isWideSunGlow(int row);

// One ring of that disc: its radius in device units along x (times the aspect along y)
// and the light the glows add there.
struct GlowRing {
    double radius;
    float red, green, blue;
};
constexpr int sunGlowRings = 16;

// Rings 0 (the middle) to sunGlowRings (the widest glow's edge) for this frame's sprites;
// false when the flare is not drawn or the profile is empty.
bool planSunGlow(const FlareSprite sprites[flareSpriteCount], int count, const GlowProfile& profile,
                 GlowRing out[sunGlowRings + 1]);

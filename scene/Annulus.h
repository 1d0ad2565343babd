#pragma once

// A flat ring as one triangle strip: the sprites and the ring band whose pictures hold
// nothing in their middle and corners are drawn over the band alone, which saves the
// fill of blending in nothing.
struct Annulus {
    double inner, outer;  // radii of the strip's vertices
    int segments;
    double square = 0.0;  // when above 0, the outer edge stays within -square..square
};

// The rings lie between 1.216 and 1.974 planet radii, but seen edge on the picture's
// smaller mipmap levels spread them further: out to 2.2 (within the picture's square,
// which reaches to 2) the band leaves out nothing visible.
constexpr Annulus ringBand{1.1, 2.2, 64, 2.0};
// The rim glows in picture half-widths: the wide ring fades in from 0.6, the crescent
// from 0.85, both out to the picture's inscribed circle, which the outer edge encloses
// with a texel or two to spare (its vertices reach just past the clamped picture's edge).
constexpr Annulus wideGlowBand{0.6, 1.015, 48};
constexpr Annulus thinGlowBand{0.85, 1.015, 48};
// The dark halo's picture is white from 0.994 of its half-width out, where multiplying
// by it changes nothing: the disc within is drawn, out to half a texel (of 256 to the
// half-width) inside the picture's edge, beyond which linear filtering of the clamped
// picture would darken by its black border.
constexpr Annulus darkHaloDisc{0.0, 0.998, 96};

constexpr int annulusVertexCount(const Annulus& band)
{
    return 2 * (band.segments + 1);
}

struct AnnulusPoint {
    double x, y;
};

// Vertex k of the strip, k = 0 .. annulusVertexCount - 1: even k on the outer edge,
// odd k on the inner, going round counterclockwise from +x; the last pair repeats the
// first.
AnnulusPoint annulusVertex(const Annulus& band, int k);

#pragma once

// The ring band as a triangle strip in the equatorial plane (planet radii): the ring
// picture covers the square -2..2, but only between these radii does it hold any ring;
// the hole and the corners would blend in nothing but white mask and black rings.
constexpr double ringAnnulusInner = 1.1;
constexpr double ringAnnulusOuter = 2.0;
constexpr int ringAnnulusSegments = 64;
constexpr int ringAnnulusVertexCount = 2 * (ringAnnulusSegments + 1);

// A strip vertex with the texture coordinates the square gives its place.
struct RingVertex {
    double s, t, x, y;
};

// Vertex k of the strip, k = 0 .. ringAnnulusVertexCount - 1: even k on the outer
// edge, odd k on the inner, turning counterclockwise seen from +z.
RingVertex ringAnnulusVertex(int k);

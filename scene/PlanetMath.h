#pragma once

// The part of a turn drawRotated applies: only values above 1 wrap.
float turnFraction(double turns);

// Half-size of a halo covering the outline of a unit sphere seen from distance sqrt(D2),
// times scale. 0 when the eye is on or inside the sphere (no outline to cover).
double haloHalfSize(double scale, double distanceSquared);

// Angular radius of a sphere of radius r seen from distance D; 0 from on or inside it.
double apparentRadius(double r, double D);

// Opacities of the wide rim glow and the thin rim flare, with k the sun's distance from
// the planet's centre on the sky in planet radii. Both are capped at full opacity.
struct RimGlowAlphas {
    double wide;
    double thin;
};
RimGlowAlphas rimGlowAlphas(double k);

// Degrees: the latitude below which neither a longitude-latitude picture (rgb rows from
// the south pole up) nor its upside-down copy has a lit texel within reach of linear
// filtering, less a margin for the mesh's flat triangles; 0 when there is no such band.
double quietLatitudeOf(const unsigned char* rgb, int width, int height);

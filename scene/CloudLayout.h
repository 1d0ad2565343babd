#pragma once

// Composition arithmetic of the cloud surface (no GL).

// Composition time: one base-layer width per 120 scene seconds at drift speed 1.
double compositionTime(double sceneTime);

// The storm ovals' horizontal position; only values above 1 wrap back into the surface.
double ovalPosition(double t, double speed, double phase);

// Positions at which the ovals are drawn: their own and, near either edge, a copy one
// surface width away so the parts inside the surface join across the seam.
// Returns the count written to out (1 to 3).
int ovalCopies(double p, double threshold, double out[3]);

// Vertical extent of a band in the composition's -1..1 space.
struct BandEdges {
    double top;
    double bottom;
};
BandEdges bandEdges(double topEdge, double height);

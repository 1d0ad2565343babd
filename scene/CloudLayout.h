#pragma once
#include <vector>

#include "scene/SurfaceRegion.h"

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

// A rectangle of the composition's target in its -1..1 space.
struct CompositionPiece {
    double left, right, top, bottom;
};

// How a layer's picture lies on the target: s grows right to left from u, one picture
// width across the target, and wraps; t runs from 0 at pictureTop to 1 at pictureBottom.
struct LayerPlacement {
    double u, pictureTop, pictureBottom;
};

// Corner k (0 to 3) of a piece, counterclockwise from its top right, with the placed
// picture's texture coordinates there.
struct PlacedCorner {
    double x, y, s, t;
};
PlacedCorner placedCorner(const CompositionPiece& piece, const LayerPlacement& placed, int k);

// A box of texels of a width x height target as a piece of it.
CompositionPiece texelBoxPiece(const TexelBox& box, int width, int height);

// The parts of the pieces that rows top..bottom cross, replacing out's contents.
void piecesInRows(const std::vector<CompositionPiece>& pieces, double top, double bottom,
                  std::vector<CompositionPiece>& out);

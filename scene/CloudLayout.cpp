#include "scene/CloudLayout.h"

#include <algorithm>
#include <cmath>

double compositionTime(double sceneTime)
{
    return sceneTime / 120.0;
}

double ovalPosition(double t, double speed, double phase)
{
    double p = t * speed + phase;
    if (p > 1.0)
        p -= std::trunc(p);
    return p;
}

int ovalCopies(double p, double threshold, double out[3])
{
    int count = 0;
    out[count++] = p;
    if (p <= threshold)
        out[count++] = p + 1.0;
    if (p >= 1.0 - threshold)
        out[count++] = p - 1.0;
    return count;
}

BandEdges bandEdges(double topEdge, double height)
{
    return {1.0 - 2.0 * topEdge, 1.0 - 2.0 * (topEdge + height)};
}

PlacedCorner placedCorner(const CompositionPiece& piece, const LayerPlacement& placed, int k)
{
    const double x = k == 0 || k == 3 ? piece.right : piece.left;
    const double y = k < 2 ? piece.top : piece.bottom;
    return {x, y, placed.u + 0.5 * (1.0 - x), (placed.pictureTop - y) / (placed.pictureTop - placed.pictureBottom)};
}

CompositionPiece texelBoxPiece(const TexelBox& box, int width, int height)
{
    return {2.0 * box.x / width - 1.0, 2.0 * (box.x + box.width) / width - 1.0,
            2.0 * (box.y + box.height) / height - 1.0, 2.0 * box.y / height - 1.0};
}

void piecesInRows(const std::vector<CompositionPiece>& pieces, double top, double bottom,
                  std::vector<CompositionPiece>& out)
{
    out.clear();
    for (const CompositionPiece& piece : pieces)
        if (top > piece.bottom && bottom < piece.top)
            out.push_back({piece.left, piece.right, std::min(top, piece.top), std::max(bottom, piece.bottom)});
}

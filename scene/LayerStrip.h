#pragma once
#include <vector>

#include "scene/LayerTable.h"

// Rows of the composed surface between two neighbouring band edges, in the
// composition's -1..1 space, and the bands that cover all of them, in the table's
// order (the order they are laid over the base).
struct LayerStrip {
    double top;
    double bottom;
    std::vector<int> bands;
};

// The surface from top (1) to bottom (-1) in strips, one for each stretch of rows
// between band edges of rows first..last of table; every row lies in one strip.
std::vector<LayerStrip> layerStrips(const LayerDescriptor* table, int first, int last);

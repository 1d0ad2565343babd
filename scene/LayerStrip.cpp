#include "scene/LayerStrip.h"

#include <algorithm>

#include "scene/CloudLayout.h"

std::vector<LayerStrip> layerStrips(const LayerDescriptor* table, int first, int last)
{
    std::vector<double> edges = {1.0, -1.0};
    for (int band = first; band <= last; ++band) {
        const BandEdges e = bandEdges(table[band].top, table[band].height);
        edges.push_back(std::clamp(e.top, -1.0, 1.0));
        edges.push_back(std::clamp(e.bottom, -1.0, 1.0));
    }
    std::sort(edges.begin(), edges.end(), [](double a, double b) { return a > b; });
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

    std::vector<LayerStrip> strips;
    for (size_t i = 0; i + 1 < edges.size(); ++i) {
        LayerStrip strip{edges[i], edges[i + 1], {}};
        const double middle = 0.5 * (strip.top + strip.bottom);
        for (int band = first; band <= last; ++band) {
            const BandEdges e = bandEdges(table[band].top, table[band].height);
            if (e.bottom < middle && middle < e.top)
                strip.bands.push_back(band);
        }
        strips.push_back(std::move(strip));
    }
    return strips;
}

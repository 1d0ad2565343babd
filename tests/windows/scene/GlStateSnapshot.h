#pragma once
#include <string>
#include <vector>

// The GL state the scene's passes touch, read back by name: enables, blending, depth,
// bound texture, current colour, point size, matrices, viewport, shade model, the front
// material, the second clip plane, the framebuffer and texture unit a composition could
// leave behind, and both units' texture environment (unit 1's texturing and matrix too).
struct GlStateSnapshot {
    struct Item {
        const char* name;
        std::vector<double> values;
    };
    std::vector<Item> items;

    static GlStateSnapshot read();
    // The names of the items whose values differ, comma-separated; empty when none do.
    std::string differencesFrom(const GlStateSnapshot& other) const;
};

// Turns the items of the snapshot away from the scene's own state (enables inverted,
// odd blend function, colour, point size, viewport and material, flat shading, a probe
// texture bound), so a pass that sets a value instead of restoring it shows up. Matrix
// mode stays model-view: the passes are called with it.
void disturbGlState(unsigned probeTexture, int width, int height);

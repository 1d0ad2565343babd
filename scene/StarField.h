#pragma once
#include <cstddef>
#include <cstdint>

#include "scene/SceneBuffers.h"
#include "scene/StarCatalogue.h"

// The catalogue sky on a sphere of radius 350 around the planet, compiled once into
// a display list.
class StarField {
public:
    // Reads the catalogue text; the star array joins the scene's kept buffers.
    // False when the array cannot be allocated.
    bool load(const char* text, size_t length, SceneBuffers& buffers);
    // Draws nothing while there is no star array.
    void draw();
    // Deletes the display list, in the current context; the array stays the buffers'.
    void release();

    size_t count() const { return count_; }
    const StarRecord* stars() const { return stars_; }

private:
    void compile();
    void emitBrightStars();

    StarRecord* stars_ = nullptr;
    size_t count_ = 0;
    int32_t list_ = -1;
};

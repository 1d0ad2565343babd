#include <cstddef>
#include <cstdint>

#include "scene/ShapeData.h"

// Any block either loads with all its promised triangles inside it or is refused.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ShapeData shape;
    if (shape.loadFromMemory(data, size)) {
        volatile float sum = 0.0f;
        const ShapeVertex* v = shape.vertices();
        for (size_t i = 0; i < shape.vertexCount(); ++i)
            sum = sum + v[i].u;
        if (4 + shape.vertexCount() * sizeof(ShapeVertex) > size)
            __builtin_trap();
    }
    return 0;
}

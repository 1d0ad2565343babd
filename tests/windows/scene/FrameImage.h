#pragma once
#include <cstdint>
#include <string>
#include <vector>

// An RGB frame read back from the back buffer, rows bottom first as GL gives them,
// with its depth buffer.
struct FrameImage {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    std::vector<float> depth;

    static FrameImage readBack(int width, int height);

    const uint8_t* at(int x, int y) const { return &rgb[(size_t(y) * width + x) * 3]; }
    double brightness(int x, int y) const
    {
        const uint8_t* p = at(x, y);
        return (p[0] + p[1] + p[2]) / 3.0;
    }
    float depthAt(int x, int y) const { return depth[size_t(y) * width + x]; }

    // Top row first, as pictures are viewed.
    bool writePng(const std::string& path) const;
    // A copy shrunk by an integer factor (box filter).
    FrameImage shrunk(int factor) const;
};

// Frames side by side in rows of `columns`, written as one PNG.
bool writeContactSheet(const std::vector<FrameImage>& frames, int columns, const std::string& path);

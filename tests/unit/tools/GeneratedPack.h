#pragma once

#include "assets/Image.h"
#include "assets/ResourcePack.h"

#include <cstdint>
#include <string>
#include <vector>

// The files the generators wrote into the build's out/ folder.
std::vector<uint8_t> readOutput(const std::string& name);
std::vector<uint8_t> readFile(const std::string& path);

// The generated pack, opened once for all tests through the program's own reader.
class GeneratedPack {
public:
    static GeneratedPack& instance();

    bool isOpen() const { return open_; }
    std::vector<uint8_t> member(const char* name);
    // Decoded picture; width 0 when it does not load. The caller owns nothing.
    struct Picture {
        int width = 0, height = 0, bitsPerPixel = 0;
        std::vector<uint8_t> rgb;
        int at(int x, int y, int channel) const { return rgb[(static_cast<size_t>(y) * width + x) * 3 + channel]; }
    };
    Picture picture(const char* name);

private:
    GeneratedPack();
    std::vector<uint8_t> bytes_;
    ResourcePack pack_;
    bool open_ = false;
};

// What the frame header of a JPEG says.
struct JpegFrame {
    bool baseline = false;  // SOF0 and no other frame type
    int precision = 0, components = 0, width = 0, height = 0;
};
JpegFrame readJpegFrame(const std::vector<uint8_t>& jpeg);

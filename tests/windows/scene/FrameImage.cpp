#include "FrameImage.h"

#include <cstdio>

#include <GL/gl.h>
#include <zlib.h>

namespace {

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(v >> shift));
}

void chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data)
{
    put32(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    put32(out, static_cast<uint32_t>(crc32(0, &out[start], static_cast<uInt>(out.size() - start))));
}

}  // namespace

FrameImage FrameImage::readBack(int width, int height)
{
    FrameImage frame;
    frame.width = width;
    frame.height = height;
    frame.rgb.resize(size_t(width) * height * 3);
    frame.depth.resize(size_t(width) * height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, frame.rgb.data());
    glReadPixels(0, 0, width, height, GL_DEPTH_COMPONENT, GL_FLOAT, frame.depth.data());
    return frame;
}

bool FrameImage::writePng(const std::string& path) const
{
    std::vector<uint8_t> raw;
    raw.reserve(size_t(width * 3 + 1) * height);
    for (int y = height - 1; y >= 0; --y) {
        raw.push_back(0);
        raw.insert(raw.end(), at(0, y), at(0, y) + width * 3);
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 6) != Z_OK)
        return false;
    packed.resize(packedSize);

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<uint8_t> header;
    put32(header, static_cast<uint32_t>(width));
    put32(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", packed);
    chunk(png, "IEND", {});
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool ok = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && ok;
}

FrameImage FrameImage::shrunk(int factor) const
{
    FrameImage small;
    small.width = width / factor;
    small.height = height / factor;
    small.rgb.resize(size_t(small.width) * small.height * 3);
    for (int y = 0; y < small.height; ++y)
        for (int x = 0; x < small.width; ++x)
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int dy = 0; dy < factor; ++dy)
                    for (int dx = 0; dx < factor; ++dx)
                        sum += at(x * factor + dx, y * factor + dy)[c];
                small.rgb[(size_t(y) * small.width + x) * 3 + c] = static_cast<uint8_t>(sum / (factor * factor));
            }
    return small;
}

bool writeContactSheet(const std::vector<FrameImage>& frames, int columns, const std::string& path)
{
    if (frames.empty())
        return false;
    const int w = frames[0].width, h = frames[0].height;
    const int rows = (static_cast<int>(frames.size()) + columns - 1) / columns;
    FrameImage sheet;
    sheet.width = w * columns;
    sheet.height = h * rows;
    sheet.rgb.assign(size_t(sheet.width) * sheet.height * 3, 40);
    for (size_t i = 0; i < frames.size(); ++i) {
        // Sheet rows are bottom first like the frames: the first frame goes top left.
        const int left = static_cast<int>(i % columns) * w;
        const int bottom = (rows - 1 - static_cast<int>(i / columns)) * h;
        for (int y = 0; y < h && y < frames[i].height; ++y)
            for (int x = 0; x < w && x < frames[i].width; ++x)
                for (int c = 0; c < 3; ++c)
                    sheet.rgb[(size_t(bottom + y) * sheet.width + left + x) * 3 + c] = frames[i].at(x, y)[c];
    }
    return sheet.writePng(path);
}

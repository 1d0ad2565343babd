#include "assets/TgaDecoder.h"

#include <cstdlib>

#include "assets/Trace.h"

namespace {

constexpr size_t headerSize = 18;
constexpr uint32_t maxPacketPixels = 128;

struct TgaLayout {
    uint32_t width;
    uint32_t height;
    uint32_t bytesPerPixel;
    bool topFirst;
    uint64_t pixelCount() const { return uint64_t(width) * height; }
};

// Walks the destination in the file's fill order: rows as stored, each left
// to right, flipped when the file stores the bottom row first.
class PixelCursor {
public:
    PixelCursor(uint8_t* pixels, const TgaLayout& layout) : pixels(pixels), layout(layout) {}

    bool done() const { return index == layout.pixelCount(); }

    void put(const uint8_t* stored)
    {
        uint64_t storedRow = index / layout.width;
        uint64_t row = layout.topFirst ? storedRow : layout.height - 1 - storedRow;
        uint8_t* target = pixels + (row * layout.width + index % layout.width) * layout.bytesPerPixel;
        target[0] = stored[2];
        target[1] = stored[1];
        target[2] = stored[0];
        if (layout.bytesPerPixel == 4)
            target[3] = stored[3];
        ++index;
    }

private:
    uint8_t* pixels;
    const TgaLayout& layout;
    uint64_t index = 0;
};

uint16_t readLittle16(const uint8_t* bytes)
{
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

// The least pixel data that can describe the picture: every pixel stored
// once, or for run-length data one full run packet per 128 pixels.
uint64_t minimumDataSize(uint8_t type, const TgaLayout& layout)
{
    if (type == 2)
        return layout.pixelCount() * layout.bytesPerPixel;
    uint64_t packets = (layout.pixelCount() + maxPacketPixels - 1) / maxPacketPixels;
    return packets * (1 + layout.bytesPerPixel);
}

bool decodeRaw(PixelCursor& cursor, const uint8_t* data, size_t size, uint32_t bytesPerPixel)
{
    for (size_t offset = 0; !cursor.done() && offset + bytesPerPixel <= size; offset += bytesPerPixel)
        cursor.put(data + offset);
    return cursor.done();
}

// Packets run on across row ends; whatever follows the last pixel is ignored.
bool decodeRunLength(PixelCursor& cursor, const uint8_t* data, size_t size, uint32_t bytesPerPixel)
{
    size_t offset = 0;
    while (!cursor.done()) {
        if (offset >= size)
            return false;
        uint8_t header = data[offset++];
        uint32_t count = (header & 0x7Fu) + 1;
        bool run = (header & 0x80u) != 0;
        for (uint32_t i = 0; i < count && !cursor.done(); ++i) {
            if (offset + bytesPerPixel > size)
                return false;
            cursor.put(data + offset);
            if (!run)
                offset += bytesPerPixel;
        }
        if (run)
            offset += bytesPerPixel;
    }
    return true;
}

bool checkHeader(const uint8_t* data, size_t size, const char* name)
{
    if (size < headerSize) {
        Trace("Truncated tga image \"%s\"", name);
        return false;
    }
    uint8_t type = data[2];
    if (type != 2 && type != 10) {
        Trace("Unsupported tga image \"%s\" type (type=%d)", name, type);
        return false;
    }
    uint8_t depth = data[16];
    if (data[1] != 0 || (depth != 24 && depth != 32)) {
        Trace("Unsupported tga image \"%s\" pixel size (size=%d)", name, depth);
        return false;
    }
    return true;
}

bool checkLayout(uint8_t type, const TgaLayout& layout, size_t dataSize, const char* name)
{
    if (layout.pixelCount() == 0) {
        Trace("Empty tga image \"%s\"", name);
        return false;
    }
    if (minimumDataSize(type, layout) > dataSize) {
        Trace("Truncated tga image \"%s\"", name);
        return false;
    }
    if (layout.pixelCount() * layout.bytesPerPixel > maxImageBytes) {
        Trace("Image \"%s\" too large (%dx%d)", name, int(layout.width), int(layout.height));
        return false;
    }
    return true;
}

}  // namespace

int TgaDecoder::decode(Image& image, const uint8_t* data, size_t size, const char* name)
{
    if (!checkHeader(data, size, name))
        return 0;
    uint8_t type = data[2];
    TgaLayout layout{readLittle16(data + 12), readLittle16(data + 14), data[16] == 32 ? 4u : 3u,
                     (data[17] & 0x20) != 0};
    // The pixels follow the image ID field, whose length is byte 0.
    size_t start = headerSize + data[0];
    size_t dataSize = size >= start ? size - start : 0;
    if (!checkLayout(type, layout, dataSize, name))
        return 0;
    const uint8_t* pixelData = data + start;
    size_t bytes = static_cast<size_t>(layout.pixelCount() * layout.bytesPerPixel);
    uint8_t* pixels = static_cast<uint8_t*>(malloc(bytes));
    if (!pixels) {
        Trace("Can't allocate memory (size=%d)", int(bytes));
        return 0;
    }
    PixelCursor cursor(pixels, layout);
    bool complete = type == 2 ? decodeRaw(cursor, pixelData, dataSize, layout.bytesPerPixel)
                              : decodeRunLength(cursor, pixelData, dataSize, layout.bytesPerPixel);
    if (!complete) {
        Trace("Truncated tga image \"%s\"", name);
        free(pixels);
        return 0;
    }
    image.width = int32_t(layout.width);
    image.height = int32_t(layout.height);
    image.bitsPerPixel = uint8_t(layout.bytesPerPixel * 8);
    image.pixels = pixels;
    return 1;
}

#include "GeneratedPack.h"

#include "assets/ImageLoader.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

std::vector<uint8_t> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<uint8_t> readOutput(const std::string& name)
{
    return readFile(std::string(ZANDOR_TOOLS_OUT_DIR) + "/" + name);
}

GeneratedPack& GeneratedPack::instance()
{
    static GeneratedPack pack;
    return pack;
}

GeneratedPack::GeneratedPack() : bytes_(readOutput("Zandor3D.pack"))
{
    open_ = !bytes_.empty() && pack_.openMemory(bytes_.data(), bytes_.size());
}

std::vector<uint8_t> GeneratedPack::member(const char* name)
{
    void* data = nullptr;
    size_t size = pack_.extract(name, &data);
    std::vector<uint8_t> out(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
    std::free(data);
    return out;
}

GeneratedPack::Picture GeneratedPack::picture(const char* name)
{
    Image image;
    Picture out;
    if (!ImageLoader::load(image, name, pack_))
        return out;
    out.width = image.width;
    out.height = image.height;
    out.bitsPerPixel = image.bitsPerPixel;
    out.rgb.assign(image.pixels, image.pixels + static_cast<size_t>(image.width) * image.height * 3);
    std::free(image.pixels);
    return out;
}

JpegFrame readJpegFrame(const std::vector<uint8_t>& jpeg)
{
    JpegFrame frame;
    if (jpeg.size() < 4 || jpeg[0] != 0xFF || jpeg[1] != 0xD8)
        return frame;
    size_t at = 2;
    bool otherFrame = false, sof0 = false;
    while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF) {
        uint8_t marker = jpeg[at + 1];
        size_t length = (static_cast<size_t>(jpeg[at + 2]) << 8) | jpeg[at + 3];
        if (marker == 0xDA)
            break;  // entropy-coded data follows
        if (marker == 0xC0 && at + 10 <= jpeg.size()) {
            sof0 = true;
            frame.precision = jpeg[at + 4];
            frame.height = (jpeg[at + 5] << 8) | jpeg[at + 6];
            frame.width = (jpeg[at + 7] << 8) | jpeg[at + 8];
            frame.components = jpeg[at + 9];
        } else if (marker >= 0xC1 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            otherFrame = true;
        }
        at += 2 + length;
    }
    frame.baseline = sof0 && !otherFrame;
    return frame;
}

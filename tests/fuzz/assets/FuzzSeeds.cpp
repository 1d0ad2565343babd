#include <cstdio>
#include <string>
#include <vector>

#include "TestJpeg.h"
#include "TestZip.h"

// Writes small valid inputs for the three fuzz targets into the folders
// pack/, tga/ and jpeg/ under the given directory.
namespace {

void save(const std::string& path, const std::vector<uint8_t>& bytes)
{
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
}

std::vector<uint8_t> tga(uint8_t type, uint8_t descriptor, const std::vector<uint8_t>& data)
{
    std::vector<uint8_t> bytes = {0, 0, type, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 2, 0, 24, descriptor};
    bytes.insert(bytes.end(), data.begin(), data.end());
    return bytes;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return 1;
    std::string root = argv[1];
    std::vector<uint8_t> jpeg = encodeJpeg(testPicture(24, 16), 24, 16);
    JpegOptions progressive;
    progressive.progressive = true;
    save(root + "/jpeg/baseline.jpg", jpeg);
    save(root + "/jpeg/progressive.jpg", encodeJpeg(testPicture(24, 16), 24, 16, progressive));
    std::vector<uint8_t> pixels(18, 0x40);
    save(root + "/tga/raw.tga", tga(2, 0x20, pixels));
    save(root + "/tga/rle.tga", tga(10, 0, {0x82, 1, 2, 3, 0x02, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    save(root + "/pack/small.zip",
         makeZip({{"a", "alpha"}, {"A.TXT", std::string(300, 'x')}, {"b.bin", "stored", false}, {"Flare1.jpg", ""}}));
    return 0;
}

#pragma once
#include <functional>
#include <string>

// Pictures of the kinds the update checker leaves in its cache, made for the tests.
namespace dialog_test {

// R, G, B of the pixel at x, y.
using PixelColour = std::function<void(int x, int y, unsigned char rgb[3])>;

// A baseline JPEG of best quality.
bool writeJpeg(const std::string& path, int width, int height, const PixelColour& colour);
// An uncompressed 24-bit BMP.
bool writeBmp(const std::string& path, int width, int height, const PixelColour& colour);

}  // namespace dialog_test

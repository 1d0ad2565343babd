#include "ProductFiles.h"

#include <windows.h>

#include <cstdio>
#include <jpeglib.h>
#include <vector>

namespace dialog_test {

bool writeJpeg(const std::string& path, int width, int height, const PixelColour& colour)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    jpeg_compress_struct compressor = {};
    jpeg_error_mgr errors = {};
    compressor.err = jpeg_std_error(&errors);
    jpeg_create_compress(&compressor);
    jpeg_stdio_dest(&compressor, file);
    compressor.image_width = static_cast<JDIMENSION>(width);
    compressor.image_height = static_cast<JDIMENSION>(height);
    compressor.input_components = 3;
    compressor.in_color_space = JCS_RGB;
    jpeg_set_defaults(&compressor);
    jpeg_set_quality(&compressor, 100, TRUE);
    jpeg_start_compress(&compressor, TRUE);
    std::vector<unsigned char> row(static_cast<size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            colour(x, y, &row[static_cast<size_t>(x) * 3]);
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&compressor, rows, 1);
    }
    jpeg_finish_compress(&compressor);
    jpeg_destroy_compress(&compressor);
    return std::fclose(file) == 0;
}

bool writeBmp(const std::string& path, int width, int height, const PixelColour& colour)
{
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER header = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info;
    header.bfSize = header.bfOffBits + static_cast<DWORD>(stride * height);
    std::vector<unsigned char> rows(static_cast<size_t>(stride) * height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            unsigned char rgb[3];
            colour(x, y, rgb);
            unsigned char* pixel = &rows[static_cast<size_t>(height - 1 - y) * stride + x * 3];
            pixel[0] = rgb[2];
            pixel[1] = rgb[1];
            pixel[2] = rgb[0];
        }
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    std::fwrite(&header, sizeof header, 1, file);
    std::fwrite(&info, sizeof info, 1, file);
    std::fwrite(rows.data(), 1, rows.size(), file);
    return std::fclose(file) == 0;
}

}  // namespace dialog_test

#include "TestJpeg.h"

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace {

const J_COLOR_SPACE colourSpaces[] = {JCS_UNKNOWN, JCS_GRAYSCALE, JCS_UNKNOWN, JCS_RGB, JCS_CMYK};
constexpr size_t markerLimit = 65533;

void writeApplicationMarkers(jpeg_compress_struct& info, size_t bytes)
{
    std::vector<JOCTET> filler(markerLimit, 0xA5);
    for (; bytes > 0; bytes -= bytes < markerLimit ? bytes : markerLimit)
        jpeg_write_marker(&info, JPEG_APP0 + 5, filler.data(),
                          static_cast<unsigned>(bytes < markerLimit ? bytes : markerLimit));
}

}  // namespace

std::vector<uint8_t> encodeJpeg(const std::vector<uint8_t>& samples, int width, int height, const JpegOptions& options)
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* output = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &output, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = options.components;
    info.in_color_space = colourSpaces[options.components];
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, options.quality, TRUE);
    if (options.progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    writeApplicationMarkers(info, options.applicationBytes);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(&samples[size_t(info.next_scanline) * width * options.components]);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<uint8_t> bytes(output, output + size);
    free(output);
    return bytes;
}

std::vector<uint8_t> referenceDecode(const std::vector<uint8_t>& jpeg)
{
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    size_t stride = size_t(info.output_width) * info.output_components;
    std::vector<uint8_t> pixels(stride * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = &pixels[info.output_scanline * stride];
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return pixels;
}

std::vector<uint8_t> testPicture(int width, int height, int components)
{
    std::vector<uint8_t> samples;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            samples.push_back(static_cast<uint8_t>(x * 255 / width));
            samples.push_back(static_cast<uint8_t>(y * 255 / height));
            samples.push_back(static_cast<uint8_t>((x * 7 + y * 13) % 256));
            samples.push_back(static_cast<uint8_t>((x ^ y) & 0xFF));
            samples.resize(samples.size() - 4 + components);
        }
    }
    return samples;
}

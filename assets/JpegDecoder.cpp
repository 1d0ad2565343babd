#include "assets/JpegDecoder.h"

#include <csetjmp>
#include <cstdlib>
#include <cstring>

#include "assets/MemoryJpegSource.h"
#include "assets/Trace.h"

namespace {

// The library's own error handler ends the process; this one jumps back
// into the decode so that a bad picture only fails its load.
struct JpegErrorTrap {
    jpeg_error_mgr manager;
    jmp_buf escape;
};

void escapeOnError(j_common_ptr info)
{
    longjmp(reinterpret_cast<JpegErrorTrap*>(info->err)->escape, 1);
}

void discardMessage(j_common_ptr) {}

bool checkPicture(const jpeg_decompress_struct& info, const char* name)
{
    if (info.num_components != 3 || info.out_color_space != JCS_RGB) {
        Trace("Unsupported jpeg image \"%s\" (components=%d)", name, info.num_components);
        return false;
    }
    if (uint64_t(info.image_width) * info.image_height * 3 > maxImageBytes) {
        Trace("Image \"%s\" too large (%dx%d)", name, int(info.image_width), int(info.image_height));
        return false;
    }
    return true;
}

// Decodes row by row into a new malloc'd buffer; *pixels holds it as soon
// as it exists so that the error path can free it.
bool readRows(jpeg_decompress_struct& info, uint8_t* volatile* pixels)
{
    size_t stride = size_t(info.output_width) * info.output_components;
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                               static_cast<JDIMENSION>(stride), 1);
    size_t bytes = stride * info.output_height;
    uint8_t* buffer = static_cast<uint8_t*>(malloc(bytes));
    *pixels = buffer;
    if (!buffer) {
        Trace("Can't allocate memory (size=%d)", int(bytes));
        return false;
    }
    while (info.output_scanline < info.output_height) {
        uint8_t* target = buffer + size_t(info.output_scanline) * stride;
        if (jpeg_read_scanlines(&info, row, 1) != 1)
            return false;
        std::memcpy(target, row[0], stride);
    }
    return true;
}

}  // namespace

int JpegDecoder::decode(Image& image, const uint8_t* data, size_t size, const char* name)
{
    jpeg_decompress_struct info;
    JpegErrorTrap trap;
    uint8_t* volatile pixels = nullptr;
    info.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = escapeOnError;
    trap.manager.output_message = discardMessage;
    if (setjmp(trap.escape)) {
        jpeg_destroy_decompress(&info);
        free(pixels);
        Trace("Can't decompress jpeg image \"%s\"", name);
        return 0;
    }
    jpeg_create_decompress(&info);
    MemoryJpegSource::install(&info, data, size);
    jpeg_read_header(&info, TRUE);
    bool decoded = checkPicture(info, name);
    if (decoded) {
        jpeg_start_decompress(&info);
        decoded = readRows(info, &pixels);
    }
    if (decoded)
        jpeg_finish_decompress(&info);
    int32_t width = int32_t(info.output_width);
    int32_t height = int32_t(info.output_height);
    jpeg_destroy_decompress(&info);
    if (!decoded) {
        free(pixels);
        return 0;
    }
    image.width = width;
    image.height = height;
    image.bitsPerPixel = 24;
    image.pixels = pixels;
    return 1;
}

#include "assets/MemoryJpegSource.h"

#include <cstring>
#include <jerror.h>

namespace {

constexpr size_t blockSize = 65536;
const JOCTET endOfImage[2] = {0xFF, JPEG_EOI};

MemoryJpegSource* sourceOf(j_decompress_ptr info)
{
    return reinterpret_cast<MemoryJpegSource*>(info->src);
}

void initSource(j_decompress_ptr info)
{
    sourceOf(info)->startOfFile = true;
}

boolean fillInputBuffer(j_decompress_ptr info)
{
    MemoryJpegSource* source = sourceOf(info);
    size_t count = source->length - source->offset;
    if (count > blockSize)
        count = blockSize;
    if (count == 0) {
        if (source->startOfFile)
            ERREXIT(info, JERR_INPUT_EMPTY);
        WARNMS(info, JWRN_JPEG_EOF);
        std::memcpy(source->buffer, endOfImage, sizeof endOfImage);
        count = sizeof endOfImage;
    } else {
        std::memcpy(source->buffer, source->data + source->offset, count);
        source->offset += count;
    }
    source->manager.next_input_byte = source->buffer;
    source->manager.bytes_in_buffer = count;
    source->startOfFile = false;
    return TRUE;
}

void skipInputData(j_decompress_ptr info, long count)
{
    if (count <= 0)
        return;
    jpeg_source_mgr& manager = sourceOf(info)->manager;
    while (count > static_cast<long>(manager.bytes_in_buffer)) {
        count -= static_cast<long>(manager.bytes_in_buffer);
        fillInputBuffer(info);
    }
    manager.next_input_byte += count;
    manager.bytes_in_buffer -= static_cast<size_t>(count);
}

void termSource(j_decompress_ptr) {}

}  // namespace

void MemoryJpegSource::install(j_decompress_ptr info, const uint8_t* data, size_t length)
{
    void* memory =
        (*info->mem->alloc_small)(reinterpret_cast<j_common_ptr>(info), JPOOL_PERMANENT, sizeof(MemoryJpegSource));
    MemoryJpegSource* source = static_cast<MemoryJpegSource*>(memory);
    source->buffer = static_cast<JOCTET*>(
        (*info->mem->alloc_small)(reinterpret_cast<j_common_ptr>(info), JPOOL_PERMANENT, blockSize));
    source->data = data;
    source->length = length;
    source->offset = 0;
    source->startOfFile = true;
    source->manager.init_source = initSource;
    source->manager.fill_input_buffer = fillInputBuffer;
    source->manager.skip_input_data = skipInputData;
    source->manager.resync_to_restart = jpeg_resync_to_restart;
    source->manager.term_source = termSource;
    source->manager.bytes_in_buffer = 0;
    source->manager.next_input_byte = nullptr;
    info->src = &source->manager;
}

#include "platform/gdi/jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <new>

#include <jpeglib.h>

#include "platform/gdi/picturelimits.h"

namespace plat {
namespace {

// libjpeg reports fatal errors through error_exit, which must not return: it
// jumps back to the decoder below.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void ErrorExit(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    std::longjmp(manager->jump, 1);
}

void OutputMessage(j_common_ptr) {}  // corrupt-data warnings stay quiet

// Only trivially destructible locals live in this frame, so the jump back is
// safe. Returns false on any libjpeg error and when the pixels cannot be
// allocated; no exception leaves it.
bool Decode(const unsigned char* data, std::size_t size, DecodedPicture& out) {
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = ErrorExit;
    errors.base.output_message = OutputMessage;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    // The size comes from the header: a picture too large is refused before
    // the decoder allocates anything for it.
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK || !PictureSizeAccepted(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    const int width = static_cast<int>(info.output_width);
    const int height = static_cast<int>(info.output_height);
    if (width <= 0 || height <= 0 || info.output_components != 3) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    out.Width = width;
    out.Height = height;
    try {
        out.Pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    } catch (const std::bad_alloc&) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                               static_cast<JDIMENSION>(width * 3), 1);
    while (info.output_scanline < info.output_height) {
        const int y = static_cast<int>(info.output_scanline);
        if (jpeg_read_scanlines(&info, row, 1) != 1) break;
        std::uint32_t* dst = out.Pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        const JSAMPLE* src = row[0];
        for (int x = 0; x < width; ++x, src += 3)
            dst[x] = (std::uint32_t{src[0]} << 16) | (std::uint32_t{src[1]} << 8) | std::uint32_t{src[2]};
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

bool DecodeJpeg(const unsigned char* data, std::size_t size, DecodedPicture& out) {
    out = DecodedPicture{};
    if (!data || size < 4) return false;
    if (!Decode(data, size, out)) {
        out = DecodedPicture{};
        return false;
    }
    return true;
}

}  // namespace plat

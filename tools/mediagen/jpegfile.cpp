#include "tools/mediagen/jpegfile.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include <jpeglib.h>

namespace mediagen {

namespace {

// libjpeg reports errors through a callback that must not return; turn them
// into an exception so the encoder's resources are still released.
[[noreturn]] void ThrowOnError(j_common_ptr info) {
    char message[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, message);
    throw std::runtime_error(message);
}

struct Compressor {
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    Compressor() {
        info.err = jpeg_std_error(&error);
        error.error_exit = ThrowOnError;
        jpeg_create_compress(&info);
    }
    ~Compressor() {
        jpeg_destroy_compress(&info);
        std::free(buffer);
    }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;
};

}  // namespace

Bytes EncodeJpeg(const Image& img, int quality) {
    Compressor c;
    jpeg_mem_dest(&c.info, &c.buffer, &c.size);
    c.info.image_width = static_cast<JDIMENSION>(img.width);
    c.info.image_height = static_cast<JDIMENSION>(img.height);
    c.info.input_components = 3;
    c.info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c.info);  // baseline, Huffman, 4:2:0
    jpeg_set_quality(&c.info, quality, TRUE);
    jpeg_start_compress(&c.info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(img.width) * 3);
    while (c.info.next_scanline < c.info.image_height) {
        const int y = static_cast<int>(c.info.next_scanline);
        for (int x = 0; x < img.width; ++x) {
            const Rgb& p = img.At(x, y);
            row[static_cast<std::size_t>(x) * 3] = p.r;
            row[static_cast<std::size_t>(x) * 3 + 1] = p.g;
            row[static_cast<std::size_t>(x) * 3 + 2] = p.b;
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&c.info, rows, 1);
    }
    jpeg_finish_compress(&c.info);
    return Bytes(c.buffer, c.buffer + c.size);
}

std::string BytesAsInitializer(const Bytes& bytes) {
    std::string out;
    out.reserve(bytes.size() * 6 + bytes.size() / 16 + 1);
    char item[8];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(item, sizeof item, "0x%02x", bytes[i]);
        out += item;
        if (i + 1 < bytes.size()) out += (i % 16 == 15) ? ",\n" : ", ";
    }
    out += '\n';
    return out;
}

}  // namespace mediagen

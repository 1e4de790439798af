#include "tools/mediagen/bmpfile.h"

namespace mediagen {

static std::size_t RowSize(int width) { return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3}; }

Bytes EncodeBmp(const Image& img) {
    const std::size_t row = RowSize(img.width);
    const std::size_t data = row * static_cast<std::size_t>(img.height);
    Bytes out;
    out.reserve(kBmpHeaderSize + data);
    // BITMAPFILEHEADER
    out.push_back('B');
    out.push_back('M');
    PutU32(out, static_cast<std::uint32_t>(kBmpHeaderSize + data));
    PutU32(out, 0);
    PutU32(out, kBmpHeaderSize);
    // BITMAPINFOHEADER
    PutU32(out, 40);
    PutU32(out, static_cast<std::uint32_t>(img.width));
    PutU32(out, static_cast<std::uint32_t>(img.height));  // positive: bottom-up
    PutU16(out, 1);                                       // planes
    PutU16(out, 24);                                      // bits per pixel
    PutU32(out, 0);                                       // BI_RGB
    PutU32(out, static_cast<std::uint32_t>(data));
    PutU32(out, 2835);  // 72 dpi
    PutU32(out, 2835);
    PutU32(out, 0);
    PutU32(out, 0);
    for (int y = img.height - 1; y >= 0; --y) {
        for (int x = 0; x < img.width; ++x) {
            const Rgb& p = img.At(x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
        }
        for (std::size_t pad = static_cast<std::size_t>(img.width) * 3; pad < row; ++pad) out.push_back(0);
    }
    return out;
}

std::optional<Image> DecodeBmp(const Bytes& file) {
    if (file.size() < kBmpHeaderSize || file[0] != 'B' || file[1] != 'M') return std::nullopt;
    const std::uint32_t offset = GetU32(file, 10);
    const auto width = static_cast<std::int32_t>(GetU32(file, 18));
    const auto rawHeight = static_cast<std::int32_t>(GetU32(file, 22));
    if (GetU16(file, 28) != 24 || GetU32(file, 30) != 0) return std::nullopt;
    if (width <= 0 || rawHeight == 0 || width > 1 << 14 || rawHeight > 1 << 14 || rawHeight < -(1 << 14))
        return std::nullopt;
    const bool bottomUp = rawHeight > 0;
    const int height = bottomUp ? rawHeight : -rawHeight;
    const std::size_t row = RowSize(width);
    if (offset > file.size() || file.size() - offset < row * static_cast<std::size_t>(height)) return std::nullopt;
    Image img(width, height);
    for (int r = 0; r < height; ++r) {
        const int y = bottomUp ? height - 1 - r : r;
        const std::size_t base = offset + row * static_cast<std::size_t>(r);
        for (int x = 0; x < width; ++x) {
            const std::size_t at = base + static_cast<std::size_t>(x) * 3;
            img.At(x, y) = {file[at + 2], file[at + 1], file[at]};
        }
    }
    return img;
}

}  // namespace mediagen

// BMP files into GDI bitmaps. The forms a picture file has in practice -
// 1, 2, 4 and 8 bits with a palette, 8 and 4 bits run-length coded, 16 bits
// (5-5-5 and 5-6-5), 24 and 32 bits - are decoded here, a row at a time,
// with everything a row needs (palette, channel expansion) found once per
// file. They give the pixels SDL's reader and SDL's conversion give. Any
// other form, and a file whose contents are not regular (an index past the
// palette, a run past its row's padding, a move in a coded picture, a file
// that ends early), goes to SDL's reader, which decides it as it always did.
#include "platform/gdi/bmpfile.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/picturelimits.h"
#include "platform/gdi/pixelrows.h"

namespace plat {
namespace {

using u8 = std::uint8_t;
using u16 = std::uint16_t;
using u32 = std::uint32_t;

constexpr u32 kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;

u32 Le16(const u8* p) { return static_cast<u32>(p[0] | p[1] << 8); }
u32 Le32(const u8* p) { return Le16(p) | Le16(p + 2) << 16; }

// Whether the BMP at the stream's position states a size we decode. SDL's
// reader allocates whatever the header claims, so a file gets to SDL only
// after this; the stream is left where it was.
bool BmpSizeAccepted(SDL_RWops* rw) {
    const Sint64 start = SDL_RWtell(rw);
    u8 h[26];
    const bool read = start >= 0 && SDL_RWread(rw, h, 1, sizeof h) == sizeof h;
    if (start >= 0) SDL_RWseek(rw, start, RW_SEEK_SET);
    if (!read || h[0] != 'B' || h[1] != 'M') return false;
    const u32 infoSize = Le32(h + 14);
    std::int64_t width = 0, height = 0;
    if (infoSize == 12) {  // the old core header: 16-bit sizes
        width = Le16(h + 18);
        height = Le16(h + 20);
    } else if (infoSize >= 40) {
        width = static_cast<std::int32_t>(Le32(h + 18));
        height = static_cast<std::int32_t>(Le32(h + 22));
        if (height < 0) height = -height;  // rows stored top-down
    }
    return width > 0 && PictureSizeAccepted(static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height));
}

// The stream read forward from a position, in blocks; a small file is read
// in one block of its own size.
class StreamReader {
public:
    StreamReader(SDL_RWops* rw, Sint64 at, Sint64 size) : rw_(rw), buffer_(BlockFor(size - at)) {
        ok_ = SDL_RWseek(rw, at, RW_SEEK_SET) == at;
    }
    // The next n bytes, valid until the next call; none when the stream
    // ends first.
    const u8* Take(std::size_t n) {
        if (end_ - at_ < n && !Fill(n)) return nullptr;
        const u8* p = buffer_.data() + at_;
        at_ += n;
        return p;
    }
    bool Byte(u8& b) {
        const u8* p = Take(1);
        if (!p) return false;
        b = *p;
        return true;
    }

private:
    static constexpr std::size_t kBlock = 256 * 1024;
    static std::size_t BlockFor(Sint64 left) {
        return left <= 0 ? 1 : std::min(kBlock, static_cast<std::size_t>(left));
    }
    // Keeps what is left and reads on until at least n bytes are there.
    bool Fill(std::size_t n) {
        if (!ok_) return false;
        std::memmove(buffer_.data(), buffer_.data() + at_, end_ - at_);
        end_ -= at_;
        at_ = 0;
        if (buffer_.size() < n) buffer_.resize(n);
        while (end_ < n) {
            const std::size_t got = SDL_RWread(rw_, buffer_.data() + end_, 1, buffer_.size() - end_);
            if (got == 0) return false;
            end_ += got;
        }
        return true;
    }
    SDL_RWops* rw_;
    std::vector<u8> buffer_;
    std::size_t at_ = 0, end_ = 0;
    bool ok_ = false;
};

// What a file's headers say, for the forms decoded here.
struct BmpForm {
    u32 offset = 0;  // of the pixels, from the start of the file
    int width = 0, rows = 0;
    bool topDown = false;
    int bits = 0;
    u32 compression = kRgb;
    u32 masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha, for bit fields
    // The palette as 0x00RRGGBB, and the first index past it: an index
    // there or above is not regular.
    std::array<u32, 256> palette{};
    u32 colours = 0;
};

// The 65536 16-bit pixels of an SDL format as SDL converts them, so that a
// 16-bit file gets SDL's own expansion of 5 and 6 bits to 8. Made once.
const u32* Expansion16(bool sixBitGreen) {
    struct Table {
        explicit Table(Uint32 format) : values(65536) {
            std::vector<u16> all(65536);
            for (std::size_t v = 0; v < all.size(); ++v) all[v] = static_cast<u16>(v);
            made = SDL_ConvertPixels(65536, 1, format, all.data(), 65536 * 2, SDL_PIXELFORMAT_XRGB8888, values.data(),
                                     65536 * 4) == 0;
            for (u32& v : values) v &= 0x00FFFFFFu;
        }
        std::vector<u32> values;
        bool made = false;
    };
    static const Table rgb555(SDL_PIXELFORMAT_RGB555), rgb565(SDL_PIXELFORMAT_RGB565);
    const Table& t = sixBitGreen ? rgb565 : rgb555;
    return t.made ? t.values.data() : nullptr;
}

// The form of the file at `start` when it is one decoded here, with its
// palette read; false otherwise.
bool ReadForm(SDL_RWops* rw, Sint64 start, Sint64 size, BmpForm& f) {
    u8 h[70] = {};
    const Sint64 have = std::min<Sint64>(size - start, sizeof h);
    if (have < 26 || SDL_RWseek(rw, start, RW_SEEK_SET) != start ||
        SDL_RWread(rw, h, 1, static_cast<std::size_t>(have)) != static_cast<std::size_t>(have))
        return false;
    if (h[0] != 'B' || h[1] != 'M') return false;
    f.offset = Le32(h + 10);
    const u32 infoSize = Le32(h + 14);
    u32 planes = 0, used = 0;
    int entryBytes = 4;
    std::int64_t height = 0;
    if (infoSize == 12) {
        f.width = static_cast<int>(Le16(h + 18));
        height = Le16(h + 20);
        planes = Le16(h + 22);
        f.bits = static_cast<int>(Le16(h + 24));
        entryBytes = 3;
    } else if (infoSize == 40 || infoSize == 52 || infoSize == 56 || infoSize == 108 || infoSize == 124) {
        if (have < 54) return false;
        f.width = static_cast<std::int32_t>(Le32(h + 18));
        height = static_cast<std::int32_t>(Le32(h + 22));
        planes = Le16(h + 26);
        f.bits = static_cast<int>(Le16(h + 28));
        f.compression = Le32(h + 30);
        used = Le32(h + 46);
        if (f.compression == kBitFields) {
            // The masks follow the 40-byte header, or are its next fields.
            if (have < (infoSize >= 56 ? 70 : 66)) return false;
            for (int i = 0; i < 3; ++i) f.masks[i] = Le32(h + 54 + 4 * i);
            if (infoSize >= 56) f.masks[3] = Le32(h + 66);
        }
    } else {
        return false;
    }
    f.topDown = height < 0;
    const std::int64_t rows = height < 0 ? -height : height;
    if (planes != 1 || f.width <= 0 ||
        !PictureSizeAccepted(static_cast<std::uint64_t>(f.width), static_cast<std::uint64_t>(rows)) ||
        f.offset < 14 + infoSize)
        return false;
    f.rows = static_cast<int>(rows);
    auto masks = [&](u32 r, u32 g, u32 b, u32 a) {
        return f.masks[0] == r && f.masks[1] == g && f.masks[2] == b && f.masks[3] == a;
    };
    bool known = false;
    switch (f.compression) {
        case kRgb:
            known = f.bits == 1 || f.bits == 2 || f.bits == 4 || f.bits == 8 || f.bits == 16 || f.bits == 24 ||
                    f.bits == 32;
            break;
        case kRle8: known = f.bits == 8 && !f.topDown; break;
        case kRle4: known = f.bits == 4 && !f.topDown; break;
        case kBitFields:
            known = (f.bits == 16 && (masks(0xF800, 0x07E0, 0x001F, 0) || masks(0x7C00, 0x03E0, 0x001F, 0))) ||
                    (f.bits == 32 && (masks(0xFF0000, 0xFF00, 0xFF, 0) || masks(0xFF0000, 0xFF00, 0xFF, 0xFF000000u)));
            break;
        default: break;
    }
    if (!known) return false;
    if (f.bits > 8) return true;
    // The palette: as many entries as the header says, 256 when it says 0
    // or more than 256; only those an index of this depth can name are
    // needed, and they must all be in the file.
    f.colours = used == 0 || used > 256 ? 256 : used;
    const u32 needed = std::min<u32>(f.colours, 1u << f.bits);
    const Sint64 at = start + 14 + infoSize;
    std::vector<u8> entries(static_cast<std::size_t>(needed) * static_cast<std::size_t>(entryBytes));
    if (at + static_cast<Sint64>(entries.size()) > size || SDL_RWseek(rw, at, RW_SEEK_SET) != at ||
        SDL_RWread(rw, entries.data(), 1, entries.size()) != entries.size())
        return false;
    for (u32 i = 0; i < needed; ++i) {
        const u8* e = entries.data() + static_cast<std::size_t>(i) * static_cast<std::size_t>(entryBytes);
        f.palette[i] = static_cast<u32>(e[2]) << 16 | static_cast<u32>(e[1]) << 8 | e[0];
    }
    return true;
}

// ---- Decoders ---------------------------------------------------------------

// The rows of an uncoded picture, read in storage order. False when the
// picture is not regular.
bool DecodeRows(StreamReader& in, const BmpForm& f, GdiBitmap& bmp) {
    const std::size_t stride = ((static_cast<std::size_t>(f.width) * static_cast<std::size_t>(f.bits) + 31) / 32) * 4;
    const std::size_t used = (static_cast<std::size_t>(f.width) * static_cast<std::size_t>(f.bits) + 7) / 8;
    const u32* expansion = nullptr;
    if (f.bits == 16) {
        expansion = Expansion16(f.compression == kBitFields && f.masks[1] == 0x07E0);
        if (!expansion) return false;
    }
    u32 worst = 0;
    for (int i = 0; i < f.rows; ++i) {
        // The last row of a picture of fewer than 8 bits a pixel may lack
        // its padding.
        const u8* row = in.Take(f.bits < 8 && i == f.rows - 1 ? used : stride);
        if (!row) return false;
        const int y = f.topDown ? i : f.rows - 1 - i;
        u32* to = bmp.pixels.get() + static_cast<std::size_t>(y) * static_cast<std::size_t>(f.width);
        if (f.bits <= 8)
            worst = std::max(worst, rows::IndexedToColours(f.bits, row, f.width, f.palette.data(), to));
        else if (f.bits == 16)
            rows::Expand16(row, f.width, expansion, to);
        else if (f.bits == 24)
            rows::Bgr24ToColours(row, f.width, to);
        else
            rows::Bgrx32ToColours(row, f.width, to);
        if (f.bits <= 8 && worst >= f.colours) return false;  // an index past the palette
    }
    return true;
}

// A run-length coded picture, rows bottom-up, each decoded into a row of
// indices and then put through the palette. Pixels a row's codes do not
// reach, and rows after the end code, are index 0. SDL's reader decodes both
// depths into rows of one byte a pixel padded to a whole number of 32-bit
// words, and takes a run into that padding: tools write such runs to fill a
// row whose width is not a multiple of four. A run may end anywhere up to
// the padded width; its pixels past the width are not part of the picture
// and are dropped. False
// when the codes are not regular: a run past the padded width or above the
// top row, a move, an index past the palette in the picture, or the end of
// the file before the end code.
bool DecodeRle(StreamReader& in, const BmpForm& f, GdiBitmap& bmp) {
    const bool rle8 = f.compression == kRle8;
    const int padded = (f.width + 3) / 4 * 4;
    std::vector<u8> indices(static_cast<std::size_t>(f.width), 0);
    int y = f.rows - 1, x = 0;
    u32 worst = 0;
    auto put = [&](int row) {
        rows::BytesToColours(indices.data(), f.width, f.palette.data(),
                             bmp.pixels.get() + static_cast<std::size_t>(row) * static_cast<std::size_t>(f.width));
        std::fill(indices.begin(), indices.end(), 0);
    };
    // Where a run from x on goes in the row, and how many of its n pixels
    // lie inside the width.
    auto at = [&]() { return indices.data() + std::min(x, f.width); };
    auto kept = [&](int n) { return std::clamp(f.width - x, 0, n); };
    for (;;) {
        u8 count = 0, value = 0;
        if (!in.Byte(count) || !in.Byte(value)) return false;
        if (count != 0) {
            // A run of `count` pixels: one index, or two alternating.
            if (y < 0 || x + count > padded) return false;
            const u8 first = rle8 ? value : static_cast<u8>(value >> 4);
            const u8 second = rle8 ? value : static_cast<u8>(value & 15);
            const int k = kept(count);
            rows::FillPair(at(), k, first, second);
            if (k > 0) worst = std::max<u32>(worst, k > 1 ? std::max(first, second) : first);
            x += count;
        } else if (value == 0) {  // end of the row
            if (y >= 0) put(y);
            --y;
            x = 0;
        } else if (value == 1) {  // end of the picture
            if (y >= 0) put(y);
            for (int row = y - 1; row >= 0; --row) put(row);
            return worst < f.colours;
        } else if (value == 2) {  // a move
            return false;
        } else {
            // `value` indices as they are, padded to a whole number of words.
            const int n = value;
            const std::size_t bytes = rle8 ? static_cast<std::size_t>(n) : static_cast<std::size_t>(n + 1) / 2;
            const u8* from = in.Take(bytes + bytes % 2);
            if (!from) return false;
            if (y < 0 || x + n > padded) return false;
            worst = std::max(worst, rows::UnpackIndices(at(), kept(n), from, rle8));
            x += n;
        }
    }
}

// The picture decoded here when it is of a form and of contents decoded
// here; `handled` false (and the stream back at its start) otherwise.
std::unique_ptr<GdiBitmap> DecodeOwn(SDL_RWops* rw, bool& handled) {
    handled = false;
    const Sint64 start = SDL_RWtell(rw);
    const Sint64 size = SDL_RWsize(rw);
    BmpForm f;
    auto giveUp = [&]() -> std::unique_ptr<GdiBitmap> {
        SDL_RWseek(rw, start, RW_SEEK_SET);
        return nullptr;
    };
    if (start < 0 || size < start || !ReadForm(rw, start, size, f)) return giveUp();
    if (f.compression == kRgb || f.compression == kBitFields) {
        // Every row must be in the file.
        const std::uint64_t stride = ((static_cast<std::uint64_t>(f.width) * f.bits + 31) / 32) * 4;
        const std::uint64_t last = f.bits < 8 ? (static_cast<std::uint64_t>(f.width) * f.bits + 7) / 8 : stride;
        if (static_cast<std::uint64_t>(start) + f.offset + stride * (static_cast<std::uint64_t>(f.rows) - 1) + last >
            static_cast<std::uint64_t>(size))
            return giveUp();
    }
    auto bmp = NewBitmap(f.width, f.rows);
    if (!bmp) return giveUp();
    StreamReader in(rw, start + f.offset, size);
    const bool regular =
        f.compression == kRle8 || f.compression == kRle4 ? DecodeRle(in, f, *bmp) : DecodeRows(in, f, *bmp);
    if (!regular) return giveUp();
    handled = true;
    return bmp;
}

// SDL's reader, its pixels converted by SDL straight into a new bitmap.
std::unique_ptr<GdiBitmap> DecodeBySdl(SDL_RWops* rw) {
    SDL_Surface* loaded = SDL_LoadBMP_RW(rw, 1);
    if (!loaded) return nullptr;
    auto bmp = NewBitmap(loaded->w, loaded->h);
    SDL_Surface* into = bmp ? SDL_CreateRGBSurfaceWithFormatFrom(bmp->pixels.get(), bmp->width, bmp->height, 32,
                                                                 bmp->width * 4, SDL_PIXELFORMAT_XRGB8888)
                            : nullptr;
    // A plain copy, as a conversion of the surface makes.
    bool copied = into && SDL_SetSurfaceBlendMode(loaded, SDL_BLENDMODE_NONE) == 0;
    if (copied) {
        SDL_Rect whole{0, 0, loaded->w, loaded->h};
        copied = SDL_LowerBlit(loaded, &whole, into, &whole) == 0;
    }
    if (into) SDL_FreeSurface(into);
    SDL_FreeSurface(loaded);
    if (!copied) return nullptr;
    rows::DropTopBytes(bmp->pixels.get(), static_cast<std::size_t>(bmp->width) * static_cast<std::size_t>(bmp->height));
    return bmp;
}

}  // namespace

std::unique_ptr<GdiBitmap> NewBitmap(int width, int height) {
    try {
        auto bmp = std::make_unique<GdiBitmap>();
        bmp->pixels =
            std::make_unique_for_overwrite<u32[]>(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        bmp->width = width;
        bmp->height = height;
        return bmp;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::unique_ptr<GdiBitmap> BitmapFromRW(SDL_RWops* rw, BmpReader* decidedBy) {
    auto decided = [decidedBy](BmpReader reader) {
        if (decidedBy) *decidedBy = reader;
    };
    decided(BmpReader::None);
    if (!rw) return nullptr;
    if (!BmpSizeAccepted(rw)) {
        SDL_RWclose(rw);
        return nullptr;
    }
    bool handled = false;
    if (auto bmp = DecodeOwn(rw, handled); handled) {
        decided(BmpReader::Own);
        SDL_RWclose(rw);
        return bmp;
    }
    decided(BmpReader::Sdl);
    return DecodeBySdl(rw);
}

}  // namespace plat

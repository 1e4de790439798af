// Inside the GDI stand-in: BMP files decoded into bitmaps. The forms a
// picture file has in practice are decoded here a row at a time; SDL's reader
// decides every other file, and every file whose contents are not regular.
#pragma once

#include <memory>

struct SDL_RWops;
struct GdiBitmap;

namespace plat {

// A new bitmap of width x height pixels whose contents are yet to be
// written, or none when memory runs out.
std::unique_ptr<GdiBitmap> NewBitmap(int width, int height);

// Which reader decided a BMP stream: none (no stream, or a file refused
// before either reader: no BMP signature, a header cut short or of a size
// not known, or a picture size outside what is decoded), the decoder here,
// or SDL's reader.
enum class BmpReader { None, Own, Sdl };

// The bitmap of a BMP stream, as 32-bit 0x00RRGGBB pixels with the rows
// top-down; none for a file SDL's reader refuses and for a picture too large
// to decode. The stream is closed. `decidedBy`, when given, is set to the
// reader that decided the file.
std::unique_ptr<GdiBitmap> BitmapFromRW(SDL_RWops* rw, BmpReader* decidedBy = nullptr);

}  // namespace plat

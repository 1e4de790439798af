// The pixel loops of the display surfaces' Blt and BltFast: colour fills and
// copies, plain, colour-keyed, stretched (nearest pixel) and mirrored.
//
// The caller has checked the rectangles against both surfaces; these loops
// test nothing per pixel but the colour key. Pixels are 1, 2, 3 or 4 bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace plat {

// Sets w x h pixels from `first` on (rows `pitch` bytes apart) to `value`,
// whose low bytesPerPixel bytes are written. With wholeRows the rectangle
// spans whole rows of its surface, so the bytes between rows carry no pixels
// and may be filled too: the rows then go as one block.
void FillPixels(std::uint8_t* first, std::ptrdiff_t pitch, int bytesPerPixel, int w, int h, std::uint32_t value,
                bool wholeRows = false);

struct PixelBlit {
    const std::uint8_t* src = nullptr;  // first pixel of the source rectangle
    std::ptrdiff_t srcPitch = 0;
    int srcWidth = 0, srcHeight = 0;
    std::uint8_t* dst = nullptr;  // first pixel of the destination rectangle
    std::ptrdiff_t dstPitch = 0;
    int dstWidth = 0, dstHeight = 0;
    int bytesPerPixel = 0;
    // Source pixels inside [keyLow, keyHigh] are skipped.
    bool keyed = false;
    std::uint32_t keyLow = 0, keyHigh = 0;
    bool mirrorLeftRight = false, mirrorUpDown = false;
    // Set when both rectangles span whole rows of their surfaces: the bytes
    // between rows (the pitch padding) then carry no pixels on either side,
    // and a plain copy may move the rows as one block.
    bool wholeRows = false;
};

// The pixels of a keyed picture that are not the key, row by row, as runs:
// a keyed copy of a picture that does not change then moves whole runs and
// never looks at a key pixel.
struct KeyedRuns {
    struct Run {
        std::int32_t x, y, count;
    };
    int width = 0, height = 0;
    std::vector<Run> runs;
    std::vector<std::uint32_t> rowStart;  // height + 1 entries into runs
    // False when the picture had more runs than asked for: it is then left
    // without runs, and its keyed copies go pixel by pixel.
    bool usable = true;
};

// The runs of the w x h pixels from `first` on whose values lie outside
// [keyLow, keyHigh]; none, and not usable, when there are more than maxRuns.
KeyedRuns FindKeyedRuns(const std::uint8_t* first, std::ptrdiff_t pitch, int bytesPerPixel, int w, int h,
                        std::uint32_t keyLow, std::uint32_t keyHigh, std::size_t maxRuns = SIZE_MAX);

// The keyed copy of the w x h rectangle at (left, top) of the picture whose
// runs these are (`origin` its first pixel) to `dst`: the same pixels as
// BlitPixels with the key range the runs were found with.
void BlitKeyedRuns(const KeyedRuns& runs, const std::uint8_t* origin, std::ptrdiff_t srcPitch, int bytesPerPixel,
                   int left, int top, int w, int h, std::uint8_t* dst, std::ptrdiff_t dstPitch);

// Destination pixel (i, j) takes source column floor(c * srcWidth / dstWidth)
// and row floor(r * srcHeight / dstHeight), where c is i (or dstWidth-1-i
// when mirrored left-right) and r is j (or dstHeight-1-j when mirrored up-
// down). Source and destination must not overlap.
void BlitPixels(const PixelBlit& blit);

}  // namespace plat

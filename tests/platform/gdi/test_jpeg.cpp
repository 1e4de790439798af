#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include <jpeglib.h>

#include "platform/gdi/jpeg.h"

namespace {

// A baseline JPEG of w x h: the left half red, the right half blue.
std::vector<unsigned char> EncodeHalves(int w, int h) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(w);
    info.image_height = static_cast<JDIMENSION>(h);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<std::size_t>(w) * 3);
    for (int x = 0; x < w; ++x) {
        const bool left = x < w / 2;
        row[static_cast<std::size_t>(x) * 3 + 0] = left ? 255 : 0;
        row[static_cast<std::size_t>(x) * 3 + 1] = 0;
        row[static_cast<std::size_t>(x) * 3 + 2] = left ? 0 : 255;
    }
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<unsigned char> out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

int Channel(std::uint32_t pixel, int shift) { return static_cast<int>(pixel >> shift & 0xFF); }

TEST(Jpeg, DecodesSizeAndColours) {
    const auto data = EncodeHalves(64, 32);
    plat::DecodedPicture picture;
    ASSERT_TRUE(plat::DecodeJpeg(data.data(), data.size(), picture));
    EXPECT_EQ(picture.Width, 64);
    EXPECT_EQ(picture.Height, 32);
    ASSERT_EQ(picture.Pixels.size(), 64u * 32u);
    const std::uint32_t left = picture.Pixels[10 * 64 + 8];
    const std::uint32_t right = picture.Pixels[10 * 64 + 56];
    EXPECT_GT(Channel(left, 16), 200);
    EXPECT_LT(Channel(left, 0), 60);
    EXPECT_GT(Channel(right, 0), 200);
    EXPECT_LT(Channel(right, 16), 60);
}

TEST(Jpeg, BadDataIsRefusedWithoutReadingPastIt) {
    const auto data = EncodeHalves(64, 32);
    plat::DecodedPicture picture;
    const unsigned char garbage[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    EXPECT_FALSE(plat::DecodeJpeg(garbage, sizeof garbage, picture));
    EXPECT_EQ(picture.Width, 0);
    EXPECT_TRUE(picture.Pixels.empty());
    EXPECT_FALSE(plat::DecodeJpeg(nullptr, 0, picture));
    // Only the header: not enough for the picture's header to be read.
    EXPECT_FALSE(plat::DecodeJpeg(data.data(), 20, picture));
    // Cut in the middle of the picture data: decoded as far as it goes (the
    // rest is filled in) or refused, but never read beyond the bytes given.
    std::vector<unsigned char> cut(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(data.size() / 2));
    if (plat::DecodeJpeg(cut.data(), cut.size(), picture)) {
        EXPECT_EQ(picture.Width, 64);
        EXPECT_EQ(picture.Pixels.size(), 64u * 32u);
    }
}

TEST(Jpeg, HeadersClaimingHugePicturesAreRefusedBeforeDecoding) {
    const auto small = EncodeHalves(16, 8);
    std::size_t frame = 0;  // the start-of-frame marker holds the size
    for (std::size_t i = 0; i + 9 < small.size() && !frame; ++i)
        if (small[i] == 0xFF && small[i + 1] == 0xC0) frame = i;
    ASSERT_NE(frame, 0u);
    const struct { unsigned width, height; } sizes[] = {{60000, 60000}, {16384, 16384}, {65500, 1}};
    for (const auto& size : sizes) {
        std::vector<unsigned char> data = small;
        data[frame + 5] = static_cast<unsigned char>(size.height >> 8);
        data[frame + 6] = static_cast<unsigned char>(size.height);
        data[frame + 7] = static_cast<unsigned char>(size.width >> 8);
        data[frame + 8] = static_cast<unsigned char>(size.width);
        plat::DecodedPicture picture;
        EXPECT_FALSE(plat::DecodeJpeg(data.data(), data.size(), picture)) << size.width << " x " << size.height;
        EXPECT_TRUE(picture.Pixels.empty());
    }
}

TEST(Jpeg, TheTitlePictureDecodes) {
    std::ifstream file(VANTORRA_GEN_DIR "/title.jpg", std::ios::binary);
    if (!file) GTEST_SKIP() << "the media generator has not written title.jpg";
    std::vector<unsigned char> data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    plat::DecodedPicture picture;
    ASSERT_TRUE(plat::DecodeJpeg(data.data(), data.size(), picture));
    EXPECT_EQ(picture.Width, 640);
    EXPECT_EQ(picture.Height, 480);
}

}  // namespace

// The file writers and the readers the tests use.
#include <gtest/gtest.h>

#include "tools/mediagen/bmpfile.h"
#include "tools/mediagen/jpegfile.h"
#include "tools/mediagen/wavfile.h"

using namespace mediagen;

TEST(Codecs, BmpRowsArePaddedAndStoredBottomUp) {
    Image img(3, 2);  // 9 bytes a row, padded to 12
    img.At(0, 0) = {255, 0, 0};
    img.At(2, 1) = {1, 2, 3};
    const Bytes b = EncodeBmp(img);
    ASSERT_EQ(b.size(), 54u + 2 * 12);
    // The first stored row is the bottom one, pixels as blue, green, red.
    EXPECT_EQ(b[54 + 6], 3);
    EXPECT_EQ(b[54 + 7], 2);
    EXPECT_EQ(b[54 + 8], 1);
    EXPECT_EQ(b[54 + 12 + 2], 255);
    const auto back = DecodeBmp(b);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->pixels, img.pixels);
}

TEST(Codecs, BmpReaderRefusesShortOrForeignFiles) {
    Image img(5, 5);
    Bytes b = EncodeBmp(img);
    Bytes cut(b.begin(), b.end() - 3);
    EXPECT_FALSE(DecodeBmp(cut));
    Bytes eight = b;
    eight[28] = 8;
    EXPECT_FALSE(DecodeBmp(eight));
    EXPECT_FALSE(DecodeBmp(Bytes(20, 0)));
}

TEST(Codecs, WavHeaderIsCanonicalAndRoundTrips) {
    const std::vector<std::int16_t> samples = {0, 1, -1, 32767, -32768};
    const Bytes b = EncodeWav(samples);
    ASSERT_EQ(b.size(), 44u + 10);
    EXPECT_EQ(GetU32(b, 40), 10u);
    EXPECT_EQ(GetU32(b, 4), b.size() - 8);
    const auto back = DecodeWav(b);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->channels, 1);
    EXPECT_EQ(back->sampleRate, 22050);
    EXPECT_EQ(back->samples, samples);
    // A data size larger than the bytes present is refused.
    Bytes cut(b.begin(), b.end() - 2);
    EXPECT_FALSE(DecodeWav(cut));
}

TEST(Codecs, InitializerListsEveryByteInHex) {
    EXPECT_EQ(BytesAsInitializer({0xff, 0xd8, 0x00}), "0xff, 0xd8, 0x00\n");
    Bytes seventeen(17, 0xab);
    const std::string text = BytesAsInitializer(seventeen);
    EXPECT_NE(text.find("0xab,\n0xab\n"), std::string::npos) << "sixteen to a line";
}

TEST(Codecs, JpegOfASmallPictureIsBaseline) {
    Image img(16, 8);
    for (Rgb& p : img.pixels) p = {10, 200, 30};
    const Bytes j = EncodeJpeg(img, 90);
    ASSERT_GT(j.size(), 100u);
    EXPECT_EQ(j[0], 0xFF);
    EXPECT_EQ(j[1], 0xD8);
    bool sof0 = false;
    for (std::size_t i = 0; i + 1 < j.size(); ++i) {
        if (j[i] == 0xFF && j[i + 1] == 0xC0) sof0 = true;
        EXPECT_FALSE(j[i] == 0xFF && j[i + 1] == 0xC2);
    }
    EXPECT_TRUE(sof0);
}

#include "tests/mediagen/support_media.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tools/mediagen/bmpfile.h"

namespace mediatest {

std::filesystem::path GameDir() { return VANTORRA_GAME_DIR; }
std::filesystem::path GenDir() { return VANTORRA_GEN_DIR; }

std::optional<mediagen::Bytes> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return std::nullopt;
    const std::streamoff size = in.tellg();
    if (size < 0) return std::nullopt;
    mediagen::Bytes bytes(static_cast<std::size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) return std::nullopt;
    return bytes;
}

std::optional<mediagen::Image> LoadBmpAt(const std::filesystem::path& path) {
    const auto bytes = ReadFile(path);
    if (!bytes) {
        ADD_FAILURE() << "missing " << path;
        return std::nullopt;
    }
    const mediagen::Bytes& b = *bytes;
    if (b.size() < 54) {
        ADD_FAILURE() << path << " is too short";
        return std::nullopt;
    }
    using mediagen::GetU16;
    using mediagen::GetU32;
    const auto w = static_cast<std::int32_t>(GetU32(b, 18));
    const auto h = static_cast<std::int32_t>(GetU32(b, 22));
    EXPECT_EQ(b[0], 'B') << path;
    EXPECT_EQ(b[1], 'M') << path;
    EXPECT_EQ(GetU32(b, 2), b.size()) << path << ": size field";
    EXPECT_EQ(GetU32(b, 10), 54u) << path << ": pixel offset";
    EXPECT_EQ(GetU32(b, 14), 40u) << path << ": info header size";
    EXPECT_GT(h, 0) << path << ": rows must be stored bottom-up";
    EXPECT_EQ(GetU16(b, 26), 1u) << path;
    EXPECT_EQ(GetU16(b, 28), 24u) << path << ": bits per pixel";
    EXPECT_EQ(GetU32(b, 30), 0u) << path << ": BI_RGB";
    const std::size_t row = (static_cast<std::size_t>(w) * 3 + 3) / 4 * 4;
    EXPECT_EQ(b.size(), 54 + row * static_cast<std::size_t>(h)) << path << ": padded rows";
    auto img = mediagen::DecodeBmp(b);
    if (!img) ADD_FAILURE() << path << " does not decode";
    return img;
}

std::optional<mediagen::Image> LoadGameBmp(const std::string& relative) { return LoadBmpAt(GameDir() / relative); }

const std::vector<std::string>& FramePatterns() {
    static const std::vector<std::string> patterns = {
        "img/xwing/xwing00%02d.bmp", "img/ywing/ywink00%02d.bmp",   "img/awing/awing00%02d.bmp",
        "img/bwing/bwing00%02d.bmp", "img/kwing/kwing00%02d.bmp",   "img/ewing/ewing00%02d.bmp",
        "img/twing/twing00%02d.bmp", "img/hhunt/hh00%02d.bmp",      "img/tiefig/tief00%02d.bmp",
        "img/tiebom/tieb00%02d.bmp", "img/tieint/tiei00%02d.bmp",   "img/tieadv/tiea00%02d.bmp",
        "img/tiedef/tied00%02d.bmp", "img/skipray/skip00%02d.bmp",  "img/asgun/asgun00%02d.bmp",
        "img/mboat/mboat00%02d.bmp", "img/viper/viper00%02d.bmp",   "img/raider/raider00%02d.bmp",
        "img/sfury/sfury00%02d.bmp", "img/mfig/mfig00%02d.bmp",     "img/type9/type900%02d.bmp",
        "img/maqu/maqu00%02d.bmp",   "img/tacfig/tacfig00%02d.bmp", "img/runa/runa00%02d.bmp"};
    return patterns;
}

std::string FramePath(int cls, int frame) {
    char buf[64];
    std::snprintf(buf, sizeof buf, FramePatterns()[static_cast<std::size_t>(cls)].c_str(), frame);
    return buf;
}

std::string AsteroidFramePath(int frame) {
    char name[48];
    std::snprintf(name, sizeof name, "img/asteroid/aster00%02d.bmp", frame);
    return name;
}

std::string ThumbnailPath(int cls) {
    char name[32];
    std::snprintf(name, sizeof name, "thumbs/ship%02d.bmp", cls);
    return name;
}

std::vector<bool> OpaqueMask(const std::string& relative, int size) {
    std::vector<bool> on(static_cast<std::size_t>(size) * size);
    const auto img = LoadGameBmp(relative);
    if (!img || img->width != size || img->height != size) {
        ADD_FAILURE() << relative;
        return on;
    }
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) on[static_cast<std::size_t>(y) * size + x] = !img->At(x, y).IsBlack();
    }
    return on;
}

std::filesystem::path ScratchDir(const std::string& testName) {
    const std::filesystem::path dir =
        std::filesystem::path(VANTORRA_TEST_TMP) / (testName + "_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

}  // namespace mediatest

// Shared helpers of the media tests: the generated folders and file access.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tools/mediagen/bytes.h"
#include "tools/mediagen/image.h"

namespace mediatest {

std::filesystem::path GameDir();
std::filesystem::path GenDir();

// The whole file, or nothing when it cannot be read.
std::optional<mediagen::Bytes> ReadFile(const std::filesystem::path& path);

// A picture, checked to be an uncompressed 24-bit bottom-up BMP whose size
// field and length agree; failures are reported through gtest.
std::optional<mediagen::Image> LoadGameBmp(const std::string& relative);
std::optional<mediagen::Image> LoadBmpAt(const std::filesystem::path& path);

// The 24 frame patterns of the built-in classes, with '/' for '\'.
const std::vector<std::string>& FramePatterns();
std::string FramePath(int cls, int frame);

// "img/asteroid/aster00NN.bmp" for frame 1..30, and the editor's thumbnail
// of class `cls` relative to the generated folder.
std::string AsteroidFramePath(int frame);
std::string ThumbnailPath(int cls);

// Which pixels of a square game picture of side `size` are opaque (not the
// black key), row by row; all clear, with a failure, when it does not load
// at that size.
std::vector<bool> OpaqueMask(const std::string& relative, int size);

// A folder of its own for a test that writes files.
std::filesystem::path ScratchDir(const std::string& testName);

}  // namespace mediatest

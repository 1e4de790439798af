// Replays every input kept in fuzz/regressions/<target>/ through its fuzz
// target's body: each once crashed a loader or is a crafted case of bad
// input, and none may crash, leak or break a loader's promise again.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "fuzz/targets.h"

namespace fs = std::filesystem;

namespace fuzz {
// Test names and messages show a target by its name.
void PrintTo(const Target& target, std::ostream* out) { *out << target.Name; }
}  // namespace fuzz

namespace {

std::vector<fs::path> KeptInputs(const char* target) {
    std::vector<fs::path> files;
    const fs::path folder = fs::path(VANTORRA_FUZZ_REGRESSIONS) / target;
    if (!fs::is_directory(folder)) return files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::uint8_t> Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class Regressions : public ::testing::TestWithParam<fuzz::Target> {};

TEST_P(Regressions, EveryKeptInputLoadsSafely) {
    const fuzz::Target& target = GetParam();
    const std::vector<fs::path> inputs = KeptInputs(target.Name);
    // Each target keeps at least one crafted input, so a folder lost or
    // misnamed shows up here.
    ASSERT_FALSE(inputs.empty()) << "no inputs in fuzz/regressions/" << target.Name;
    for (const fs::path& input : inputs) {
        SCOPED_TRACE(input.filename().string());
        const std::vector<std::uint8_t> bytes = Bytes(input);
        ASSERT_FALSE(bytes.empty() && fs::file_size(input) != 0);
        // A broken promise aborts inside the body; otherwise it returns 0.
        EXPECT_EQ(target.Run(bytes.data(), bytes.size()), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Fuzz, Regressions, ::testing::ValuesIn(fuzz::kTargets),
                         [](const ::testing::TestParamInfo<fuzz::Target>& info) {
                             return std::string(info.param.Name);
                         });

}  // namespace

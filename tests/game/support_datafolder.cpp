#include "tests/game/support_datafolder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "game/data/builtinclasses.h"

namespace fs = std::filesystem;

namespace {

std::string TestName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "data";
    for (char& c : name)
        if (c == '/') c = '_';
    return name;
}

// "img\\xwing\\xwing00%02d.bmp" filled in, with '/' separators.
std::string LocalName(std::string winName) {
    for (char& c : winName)
        if (c == '\\') c = '/';
    return winName;
}

}  // namespace

DataFolder::DataFolder()
    : path_(fs::path(VANTORRA_TEST_TMP) / (TestName() + "_" + std::to_string(getpid()))),
      previous_(fs::current_path()) {
    fs::remove_all(path_);
    fs::create_directories(path_);
    fs::current_path(path_);
}

DataFolder::~DataFolder() {
    std::error_code ec;
    fs::current_path(previous_, ec);
    fs::remove_all(path_, ec);
}

void DataFolder::Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    if (InLinkedSet(name)) return;
    const fs::path p = path_ / name;
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> DataFolder::Read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

bool DataFolder::Exists(const std::string& name) const { return fs::exists(path_ / name); }

void DataFolder::Remove(const std::string& name) const {
    if (InLinkedSet(name)) return;
    fs::remove(path_ / name);
}

bool DataFolder::InLinkedSet(const std::string& name) const {
    for (fs::path dir = (path_ / name).parent_path(); dir != path_ && dir.has_relative_path();
         dir = dir.parent_path()) {
        if (fs::is_symlink(dir)) {
            ADD_FAILURE() << name << " lies in a linked frame set: it would change the build's own files";
            return true;
        }
    }
    return false;
}

void DataFolder::MakeBuiltInFrames(int set, int count) const {
    for (int f = 1; f <= count; ++f) Write(LocalName(builtin::BuiltInFrameName(set, f)), {});
}

void DataFolder::MakeCustomFrames(const std::string& folder, const std::string& stem, int count) const {
    for (int f = 1; f <= count; ++f) Write(LocalName(builtin::CustomFrameName(folder.c_str(), stem.c_str(), f)), {});
}

void DataFolder::MakeAllBuiltInFrames(int ownSet) const {
    for (int s = 0; s < builtin::kBuiltInClassCount; ++s) {
        // "img/xwing/xwing0001.bmp": the set's folder is "img/xwing".
        const fs::path setFolder = fs::path(LocalName(builtin::BuiltInFrameName(s, 1))).parent_path();
        const fs::path generated = fs::path(VANTORRA_GAME_DIR) / setFolder;
        bool complete = s != ownSet;
        for (int f = 1; complete && f <= builtin::kBuiltInFrameCount; ++f)
            complete = fs::is_regular_file(fs::path(VANTORRA_GAME_DIR) / LocalName(builtin::BuiltInFrameName(s, f)));
        if (!complete) {
            MakeBuiltInFrames(s);
            continue;
        }
        fs::create_directories((path_ / setFolder).parent_path());
        fs::create_directory_symlink(generated, path_ / setFolder);
    }
}

void PutLE32(std::vector<std::uint8_t>& bytes, std::size_t at, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int b = 0; b < 4; ++b) bytes.at(at + b) = static_cast<std::uint8_t>(u >> (8 * b));
}

void PutFloat(std::vector<std::uint8_t>& bytes, std::size_t at, float v) {
    std::uint32_t u;
    std::memcpy(&u, &v, 4);
    PutLE32(bytes, at, static_cast<std::int32_t>(u));
}

std::int32_t GetLE32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    std::uint32_t u = 0;
    for (int b = 0; b < 4; ++b) u |= std::uint32_t{bytes.at(at + b)} << (8 * b);
    return static_cast<std::int32_t>(u);
}

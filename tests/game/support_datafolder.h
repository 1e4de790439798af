// A scratch game folder for tests of the data files: created under the test
// scratch area, named after the running test and the process, made the
// working directory while it lives, removed afterwards.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class DataFolder {
public:
    DataFolder();
    ~DataFolder();
    DataFolder(const DataFolder&) = delete;
    DataFolder& operator=(const DataFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

    // Writes a file (a relative path with '/' separators), creating folders.
    void Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
    // The whole file, or nothing when it is missing.
    std::vector<std::uint8_t> Read(const std::string& name) const;
    bool Exists(const std::string& name) const;
    void Remove(const std::string& name) const;

    // Empty frame files 1..count of built-in set `set`, or of a custom set.
    void MakeBuiltInFrames(int set, int count = 60) const;
    void MakeCustomFrames(const std::string& folder, const std::string& stem, int count) const;
    // All 60 frames of every built-in set. Writing 1440 files for each test
    // is slow, so each set's folder is a link to the frames the build
    // generated into the game folder (read only: Remove refuses to go through
    // it); a set the build lacks is written as empty files. Set `ownSet` is
    // always written as real files, for a test that removes some of them.
    void MakeAllBuiltInFrames(int ownSet = -1) const;

private:
    // Fails the test for a name inside a linked set.
    bool InLinkedSet(const std::string& name) const;

    std::filesystem::path path_;
    std::filesystem::path previous_;
};

// Little-endian helpers for building files by hand.
void PutLE32(std::vector<std::uint8_t>& bytes, std::size_t at, std::int32_t v);
void PutFloat(std::vector<std::uint8_t>& bytes, std::size_t at, float v);
std::int32_t GetLE32(const std::vector<std::uint8_t>& bytes, std::size_t at);

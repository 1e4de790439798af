// File access for paths written the Windows way ("img\\asteroid\\aster0001.bmp").
//
// Every path the programs use is relative to the working directory (the game
// folder). Backslashes are taken as separators, and when a path does not exist
// with its exact spelling, each component is looked up without regard to case,
// as the file system the data was made for did.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace plat {

// The path as it should be opened here: '\\' becomes '/', and when the exact
// name is absent each component is matched case-insensitively. A path that
// matches nothing comes back with its separators mapped and its case unchanged
// (so a new file is created under the name as written).
std::string ResolvePath(const char* winPath);
std::string ResolvePath(const std::string& winPath);

// fopen on the resolved path.
std::FILE* OpenFile(const char* winPath, const char* mode);

// True when the path names an existing regular file.
bool FileExists(const char* winPath);

// Length of the file in bytes, or -1 when it cannot be opened.
long long FileLength(const char* winPath);

struct FileCloser {
    void operator()(std::FILE* f) const noexcept {
        if (f) std::fclose(f);
    }
};
// An open stream, closed exactly once when it goes out of scope.
using File = std::unique_ptr<std::FILE, FileCloser>;

inline File Open(const char* winPath, const char* mode) { return File(OpenFile(winPath, mode)); }

// The whole file's bytes; empty when it cannot be opened.
std::vector<std::uint8_t> ReadWholeFile(const char* winPath);

// Writes `size` bytes to a temporary file beside `winPath`, flushes it and
// renames it over `winPath`, so the old file stays whole until the new one is
// complete. Returns false (and leaves the old file untouched) on any failure.
bool WriteFileAtomically(const char* winPath, const void* data, std::size_t size);

}  // namespace plat

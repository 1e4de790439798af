#include "fuzz/scratch.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/system/files.h"

namespace fuzz {

namespace fs = std::filesystem;

namespace {

// The scratch root of this process, removed again at exit when it was made
// here.
class ScratchRoot {
public:
    ScratchRoot() {
        if (const char* given = std::getenv("VANTORRA_FUZZ_SCRATCH"); given && *given) {
            path_ = given;
        } else {
            path_ = fs::temp_directory_path() / ("vantorra-fuzz-" + std::to_string(::getpid()));
            owned_ = true;
        }
        std::error_code ec;
        fs::create_directories(path_, ec);
    }
    ~ScratchRoot() {
        if (!owned_) return;
        std::error_code ec;
        fs::current_path(path_.parent_path(), ec);
        fs::remove_all(path_, ec);
    }
    ScratchRoot(const ScratchRoot&) = delete;
    ScratchRoot& operator=(const ScratchRoot&) = delete;

    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
    bool owned_ = false;
};

ScratchRoot& Root() {
    static ScratchRoot root;
    return root;
}

}  // namespace

std::string ScratchPath(const char* name) { return (Root().Path() / name).string(); }

void EnterScratch(const char* name) {
    const fs::path folder = Root().Path() / name;
    std::error_code ec;
    fs::create_directories(folder, ec);
    fs::current_path(folder, ec);
    if (ec) {
        std::fprintf(stderr, "cannot enter the scratch folder %s\n", folder.c_str());
        std::abort();
    }
}

void WriteInput(const char* path, const std::uint8_t* data, std::size_t size) {
    plat::File f(std::fopen(path, "wb"));
    if (!f || (size > 0 && std::fwrite(data, 1, size, f.get()) != size)) {
        std::fprintf(stderr, "cannot write the input file %s\n", path);
        std::abort();
    }
}

std::vector<std::uint8_t> ReadBack(const char* path) { return plat::ReadWholeFile(path); }

void RemoveFile(const char* path) { std::remove(path); }

}  // namespace fuzz

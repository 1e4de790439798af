// Runs every job on a pool of threads and writes the files.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace mediagen {

struct GenerateResult {
    int files = 0;      // files the jobs made
    int written = 0;    // of those, files that were new or changed
    std::string error;  // empty on success
};

// Writes everything under gameDir and genDir. A file whose bytes are already
// on disk is left alone, so its time stamp (and what depends on it) holds.
// `only`, when given, picks the jobs to run by name. The first failure stops
// the jobs not yet started.
GenerateResult Generate(const std::filesystem::path& gameDir, const std::filesystem::path& genDir, int threads,
                        const std::function<bool(const std::string&)>& only = {});

}  // namespace mediagen

// Everything the generator writes, as independent jobs: each job makes the
// bytes of one or more files from fixed seeds, so jobs can run in any order
// on any thread and still give the same files.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tools/mediagen/bytes.h"

namespace mediagen {

// Where a file goes: the game folder (every picture and sound the programs
// read) or the generated folder (files compiled into the programs).
enum class Root { Game, Generated };

struct Output {
    Root root;
    std::string path;  // relative, with '/'
    Bytes bytes;
};

struct Job {
    std::string name;
    int cost;  // rough relative run time, to start the long jobs first
    std::function<std::vector<Output>()> make;
};

std::vector<Job> AllJobs();

inline constexpr const char* kContactSheetPath = "contactsheet.bmp";

Bytes MakeContactSheet();

}  // namespace mediagen

// A scratch working folder for the fuzz bodies. The programs open their files
// by name, relative to the working directory, so each body writes its input
// into a folder of its own and makes that folder the working directory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fuzz {

// Makes <scratch>/<name> the working directory, creating it on first use.
// <scratch> is $VANTORRA_FUZZ_SCRATCH when set, else a folder of this
// process under the system's temporary folder; a folder made here is removed
// when the process ends.
void EnterScratch(const char* name);
// The folder EnterScratch(name) uses.
std::string ScratchPath(const char* name);

// Writes the bytes as the file `path` (relative, '/' separated) of the
// working directory, replacing it.
void WriteInput(const char* path, const std::uint8_t* data, std::size_t size);
// The file's bytes; empty when it cannot be read.
std::vector<std::uint8_t> ReadBack(const char* path);
// Removes the file when it exists.
void RemoveFile(const char* path);

}  // namespace fuzz

#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace torvane::ui {

// A file the build embedded into the program (cmake/Assets.cmake runs
// tools/embed over the files of assets/ that the program shows).
struct EmbeddedFile {
    const char* name;  // the file's name in assets/, e.g. "Welcome.jpg"
    const std::uint8_t* data;
    std::size_t size;          // of `data`, as stored
    std::size_t inflatedSize;  // 0: `data` is the file; else the file's size, and `data`
                               // holds it as one zlib stream (tools/embed decides)
};

// All embedded files, in the order cmake/Assets.cmake lists them (the source
// defining them is generated).
extern const EmbeddedFile kEmbeddedFiles[];
extern const std::size_t kEmbeddedFileCount;

// The embedded file of that name, or nullptr when the build embedded none.
const EmbeddedFile* FindEmbeddedFile(const std::string& name);

// The file's own bytes, inflated when it is stored compressed. Throws
// Exception when a stored stream does not inflate to exactly its size.
std::vector<std::uint8_t> EmbeddedBytes(const EmbeddedFile& file);

}  // namespace torvane::ui

#pragma once
// Opening the game's data files safely. Only regular files are read: a directory, a device
// (which may never end) or a named pipe (which may never deliver) in place of a data file
// is refused at once, as a missing file, and a file larger than its reader's cap as a
// broken one. Opening never blocks.
#include <cstddef>
#include <cstdio>
#include <string>

namespace platform {

// Reads the whole of a regular file of at most maxBytes; false (text untouched) otherwise.
bool ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& text);

// Reads at most the first maxBytes of a regular file of any size (a record at the head of
// a file that something made larger); false (bytes untouched) when it is not one.
bool ReadRegularFileStart(const std::string& path, std::size_t maxBytes, std::string& bytes);

// Opens a regular file for binary reading (blocking reads, like fopen); null otherwise.
std::FILE* OpenRegularFile(const std::string& path);

}  // namespace platform

#pragma once
// Where the save record lives and how it reaches the disk.
//
// The folder is $APPDATA/Harrowvale when APPDATA is set and not empty, else
// $XDG_DATA_HOME/Harrowvale, else ~/.local/share/Harrowvale; the file is GlobalSav.dat
// in it. A new record is written to "GlobalSav.dattemp" beside it, flushed to disk and
// closed, and only then renamed over the old file: the good file is never removed first,
// and a failed write leaves it as it was (the temporary file is removed).
//
// Nothing at either path is trusted. Reading takes only a regular file, never waits on a
// pipe or device, and reads no more than a record. The temporary file is always created
// new, exclusively and never through a link: whatever stale entry is at its path is
// removed first (a link itself, not what it points to), and what cannot be removed makes
// the save fail. A write the system refuses (no space, a file-size limit, a read-only
// folder) keeps the old file, leaves no temporary file, never ends the process, and is
// reported once on stderr.
#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

#include "save/SaveRecord.h"

namespace savefile {

struct Paths {
    std::string folder;
    std::string file;  // empty: no place to save (settings stay in memory)
};

// The paths from the environment; both empty when no variable gives a folder.
Paths Locate();

// The file operations the writer uses (POSIX by default; tests make them fail).
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // A new file for writing, created exclusively and not through a link; -1 on failure.
    virtual int OpenForWrite(const std::string& path);
    virtual ssize_t Write(int fd, const void* data, std::size_t size);
    virtual int Sync(int fd);
    virtual int Close(int fd);
    virtual int Rename(const std::string& from, const std::string& to);
    // Removes whatever entry is at the path (a link itself, an empty folder too).
    virtual void Remove(const std::string& path);
    // Creates the folder and its parents; false when it does not exist afterwards.
    virtual bool MakeFolders(const std::string& path);
};

// Replaces the operations (null: the real ones again).
void SetFileSystem(FileSystem* fileSystem);

// Reads the start of the file (at most a record's worth); false when it cannot be opened.
bool Read(const std::string& file, std::vector<uint8_t>& bytes);

// Writes the image as described above, creating the folder when it is missing.
// False when nothing could be written (the old file, if any, is untouched).
bool Write(const Paths& paths, const SaveImage& image);

}  // namespace savefile

#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace platform {
namespace {

// A descriptor of a regular file, or -1. O_NONBLOCK keeps the open itself from waiting for
// a writer when the path is a named pipe; it is cleared again for the reads.
int OpenRegular(const std::string& path, off_t* size) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return -1;
    }
    if (size) *size = info.st_size;
    return fd;
}

// Reads up to `wanted` bytes from the descriptor's start, retrying interrupted reads;
// false on a read error. A file that shrinks meanwhile gives what it still held.
bool ReadUpTo(int fd, std::size_t wanted, std::string& out) {
    std::string buffer(wanted, '\0');
    std::size_t done = 0;
    while (done < buffer.size()) {
        const ssize_t got = ::read(fd, buffer.data() + done, buffer.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    buffer.resize(done);
    out = std::move(buffer);
    return true;
}

}  // namespace

bool ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& text) {
    off_t size = 0;
    const int fd = OpenRegular(path, &size);
    if (fd < 0) return false;
    // The file may grow while it is read: never past the cap, and never past what it held.
    const bool fits = size >= 0 && static_cast<unsigned long long>(size) <= maxBytes;
    const bool read = fits && ReadUpTo(fd, static_cast<std::size_t>(size), text);
    ::close(fd);
    return read;
}

bool ReadRegularFileStart(const std::string& path, std::size_t maxBytes, std::string& bytes) {
    const int fd = OpenRegular(path, nullptr);
    if (fd < 0) return false;
    const bool read = ReadUpTo(fd, maxBytes, bytes);
    ::close(fd);
    return read;
}

std::FILE* OpenRegularFile(const std::string& path) {
    const int fd = OpenRegular(path, nullptr);
    if (fd < 0) return nullptr;
    std::FILE* file = ::fdopen(fd, "rb");
    if (!file) ::close(fd);
    return file;
}

}  // namespace platform

#include "save/SaveFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/Files.h"

namespace savefile {
namespace {

FileSystem gRealFileSystem;
FileSystem* gFileSystem = &gRealFileSystem;

std::string FromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string BaseFolder() {
    if (std::string appData = FromEnvironment("APPDATA"); !appData.empty()) return appData;
    if (std::string dataHome = FromEnvironment("XDG_DATA_HOME"); !dataHome.empty()) return dataHome;
    if (std::string home = FromEnvironment("HOME"); !home.empty()) return home + "/.local/share";
    return std::string();
}

bool WriteAll(FileSystem& fs, int fd, const SaveImage& image) {
    std::size_t done = 0;
    while (done < image.size()) {
        const ssize_t n = fs.Write(fd, image.data() + done, image.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;  // a full disk writes nothing (or fails)
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// A write past a file-size limit raises SIGXFSZ, whose default action ends the process;
// ignored, the write fails with EFBIG instead and the game goes on with its old record.
void KeepFileSizeLimitFromKilling() {
    static const bool ignored = [] {
        struct sigaction action {};
        action.sa_handler = SIG_IGN;
        sigemptyset(&action.sa_mask);
        return sigaction(SIGXFSZ, &action, nullptr) == 0;
    }();
    (void)ignored;
}

// One line on stderr per kind of refusal: a full disk at every scene change says so once.
// A save that succeeds again lets the next refusal speak.
int gLastReported = 0;

bool Refused(const char* step, const std::string& path, int error) {
    if (error != gLastReported) {
        std::fprintf(stderr, "harrowvale: the settings were not saved (%s %s: %s)\n", step, path.c_str(),
                     std::strerror(error));
        std::fflush(stderr);
        gLastReported = error;
    }
    return false;
}

// Makes the rename itself durable; a folder that cannot be flushed costs nothing more.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

Paths Locate() {
    const std::string base = BaseFolder();
    if (base.empty()) return {};
    const std::string folder = base + "/Harrowvale";
    return {folder, folder + "/GlobalSav.dat"};
}

int FileSystem::OpenForWrite(const std::string& path) {
    // Always a new file: never an existing one, never through a link, never a pipe or device.
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0644);
}

ssize_t FileSystem::Write(int fd, const void* data, std::size_t size) { return ::write(fd, data, size); }

int FileSystem::Sync(int fd) { return ::fsync(fd); }

int FileSystem::Close(int fd) { return ::close(fd); }

int FileSystem::Rename(const std::string& from, const std::string& to) { return std::rename(from.c_str(), to.c_str()); }

void FileSystem::Remove(const std::string& path) {
    // Whatever the entry is: a file, a link (not what it points to), a pipe, an empty folder.
    if (::unlink(path.c_str()) != 0 && (errno == EISDIR || errno == EPERM)) ::rmdir(path.c_str());
}

bool FileSystem::MakeFolders(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return std::filesystem::is_directory(path, error);
}

void SetFileSystem(FileSystem* fileSystem) { gFileSystem = fileSystem ? fileSystem : &gRealFileSystem; }

bool Read(const std::string& file, std::vector<uint8_t>& bytes) {
    bytes.clear();
    if (file.empty()) return false;
    // Only a regular file, opened without waiting; only the record's worth of its head.
    std::string head;
    if (!platform::ReadRegularFileStart(file, SaveData::kBytes, head)) return false;
    bytes.assign(head.begin(), head.end());
    return true;
}

bool Write(const Paths& paths, const SaveImage& image) {
    if (paths.file.empty()) return false;
    KeepFileSizeLimitFromKilling();
    FileSystem& fs = *gFileSystem;
    const std::string temp = paths.file + "temp";
    // A stale entry (an interrupted save, or anything else) goes first; what cannot be
    // removed makes the exclusive open below fail.
    fs.Remove(temp);
    int fd = fs.OpenForWrite(temp);
    if (fd < 0 && errno == ENOENT) {
        // The first save of a machine: make the folder and try once more.
        errno = 0;
        if (!fs.MakeFolders(paths.folder)) return Refused("making", paths.folder, errno ? errno : ENOTDIR);
        fd = fs.OpenForWrite(temp);
    }
    if (fd < 0) return Refused("creating", temp, errno);
    int error = 0;
    errno = 0;
    if (!WriteAll(fs, fd, image) || fs.Sync(fd) != 0) error = errno ? errno : EIO;
    if (fs.Close(fd) != 0 && error == 0) error = errno ? errno : EIO;
    if (error == 0 && fs.Rename(temp, paths.file) != 0) error = errno ? errno : EIO;
    if (error != 0) {
        fs.Remove(temp);
        return Refused("writing", paths.file, error);
    }
    SyncFolder(paths.folder);
    gLastReported = 0;
    return true;
}

}  // namespace savefile

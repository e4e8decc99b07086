#include "ui/SaveFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

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
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
}

ssize_t FileSystem::Write(int fd, const void* data, std::size_t size) { return ::write(fd, data, size); }

int FileSystem::Sync(int fd) { return ::fsync(fd); }

int FileSystem::Close(int fd) { return ::close(fd); }

int FileSystem::Rename(const std::string& from, const std::string& to) { return std::rename(from.c_str(), to.c_str()); }

void FileSystem::Remove(const std::string& path) { ::unlink(path.c_str()); }

bool FileSystem::MakeFolders(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return std::filesystem::is_directory(path, error);
}

void SetFileSystem(FileSystem* fileSystem) { gFileSystem = fileSystem ? fileSystem : &gRealFileSystem; }

bool Read(const std::string& file, std::vector<uint8_t>& bytes) {
    bytes.clear();
    if (file.empty()) return false;
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    uint8_t buffer[SaveData::kBytes];
    std::size_t got = 0;
    while (got < sizeof buffer) {
        const ssize_t n = ::read(fd, buffer + got, sizeof buffer - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.assign(buffer, buffer + got);
    return true;
}

bool Write(const Paths& paths, const SaveImage& image) {
    if (paths.file.empty()) return false;
    FileSystem& fs = *gFileSystem;
    const std::string temp = paths.file + "temp";
    int fd = fs.OpenForWrite(temp);
    if (fd < 0) {
        // The first save of a machine: make the folder and try once more.
        if (!fs.MakeFolders(paths.folder)) return false;
        fd = fs.OpenForWrite(temp);
        if (fd < 0) return false;
    }
    const bool written = WriteAll(fs, fd, image) && fs.Sync(fd) == 0;
    const bool closed = fs.Close(fd) == 0;
    if (!written || !closed || fs.Rename(temp, paths.file) != 0) {
        fs.Remove(temp);
        return false;
    }
    SyncFolder(paths.folder);
    return true;
}

}  // namespace savefile

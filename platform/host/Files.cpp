#include "platform/host/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace host {

bool SyncFile(std::FILE* file) { return file && ::fsync(fileno(file)) == 0; }

void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool PathExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

bool ListFolder(const std::string& folder, std::vector<std::string>& names) {
    names.clear();
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return false;
    while (dirent* d = ::readdir(dir)) names.emplace_back(d->d_name);
    ::closedir(dir);
    return true;
}

FileRead ReadRegularFile(const std::string& path, std::vector<uint8_t>& out, size_t limit, std::string* reason) {
    out.clear();
    auto damaged = [&](const char* why) {
        if (reason) *reason = why;
        out.clear();
        return FileRead::Damaged;
    };
    // Non-blocking, so a FIFO under the name cannot hold the open up.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        // No entry, or a path running through a file: nothing can be there.
        if (errno == ENOENT || errno == ENOTDIR) {
            struct stat st;
            // A dangling link is something there all the same.
            if (::lstat(path.c_str(), &st) != 0) return FileRead::Missing;
        }
        return damaged(std::strerror(errno));
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return damaged("not a regular file");
    }
    out.resize(limit);
    size_t got = 0;
    while (got < limit) {
        const ssize_t n = ::read(fd, out.data() + got, limit - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int e = errno;
            ::close(fd);
            return damaged(std::strerror(e));
        }
        if (n == 0) break;
        got += size_t(n);
    }
    ::close(fd);
    out.resize(got);
    return FileRead::Ok;
}

std::string DescribeEntry(const std::string& path) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) return "";
    if (S_ISREG(st.st_mode)) return "a file";
    if (S_ISLNK(st.st_mode)) return "a link";
    if (S_ISFIFO(st.st_mode)) return "a named pipe";
    if (S_ISSOCK(st.st_mode)) return "a socket";
    if (!S_ISDIR(st.st_mode)) return "a device";
    std::vector<std::string> names;
    if (!ListFolder(path, names)) return "a folder that cannot be read";
    const size_t entries = names.size() >= 2 ? names.size() - 2 : 0;  // less "." and ".."
    if (entries == 0) return "an empty folder";
    return "a folder holding " + std::to_string(entries) + (entries == 1 ? " entry" : " entries");
}

namespace {

// What stands in the save's way, named with its path, and that it stays.
std::string InTheWay(const std::string& path, const char* role, int error) {
    return path + " is " + DescribeEntry(path) + ", in the way of " + role + " (" + std::strerror(error) +
           "); it is left as it is";
}

const char* const kTemporaryRole = "the save's temporary file";
const char* const kTargetRole = "the save file";

// Nothing stands in the way: the folder itself takes no new file (read-only,
// or not this user's to write or enter).
std::string FolderRefuses(const std::string& path, int error) {
    return "the folder " + path.substr(0, path.find_last_of('/') + 1) + " cannot be written (" + std::strerror(error) +
           ")";
}
bool RefusedByFolder(int error) { return error == EROFS || error == EACCES || error == EPERM; }

}  // namespace

bool ReplaceBlocked(const std::string& path, std::string& reason) {
    const std::string temp = path + ".tmp";
    struct stat st;
    // ReplaceFile clears away anything at the temporary name but a folder with something in it.
    if (::lstat(temp.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && DescribeEntry(temp) != "an empty folder") {
        reason = InTheWay(temp, kTemporaryRole, ENOTEMPTY);
        return true;
    }
    // A file cannot be renamed over a folder, empty or not.
    if (::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        reason = InTheWay(path, kTargetRole, EISDIR);
        return true;
    }
    return false;
}

bool ReplaceFile(const std::string& path, const uint8_t* data, size_t size, std::string& reason) {
    const std::string temp = path + ".tmp";
    auto fail = [&](int e) {
        reason = std::strerror(e);
        return false;
    };
    // A stale temporary goes first; an empty folder left under its name too.
    if (::unlink(temp.c_str()) != 0 && errno != ENOENT) {
        const int error = errno;
        if (!(error == EISDIR && ::rmdir(temp.c_str()) == 0)) {
            const int why = error == EISDIR ? errno : error;
            reason = DescribeEntry(temp).empty() ? FolderRefuses(path, why) : InTheWay(temp, kTemporaryRole, why);
            return false;
        }
    }
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) {
        const int error = errno;
        if (!RefusedByFolder(error)) return fail(error);
        reason = FolderRefuses(path, error);
        return false;
    }
    size_t done = 0;
    int error = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = n < 0 ? errno : EIO;
            break;
        }
        done += size_t(n);
    }
    if (!error && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && !error) error = errno;
    bool renaming = false;
    if (!error && ::rename(temp.c_str(), path.c_str()) != 0) error = errno, renaming = true;
    if (error) {
        ::unlink(temp.c_str());
        if (renaming && (error == EISDIR || error == ENOTEMPTY || error == EEXIST)) {
            reason = InTheWay(path, kTargetRole, error);
            return false;
        }
        return fail(error);
    }
    SyncFolder(path.substr(0, path.find_last_of('/') + 1));
    return true;
}

void RemoveFile(const std::string& path) { ::unlink(path.c_str()); }

}  // namespace host

#include "platform/host/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
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

bool NameTaken(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
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
        const int error = errno;
        struct stat st;
        const bool there = ::lstat(path.c_str(), &st) == 0;
        // A dangling link is something there all the same.
        if (!there && (error == ENOENT || error == ENOTDIR)) return FileRead::Missing;
        // A link to such a file is one too, and so is a link into a folder
        // we may not enter: what it leads to may be that file.
        bool file = there && S_ISREG(st.st_mode);
        struct stat target;
        if (there && S_ISLNK(st.st_mode))
            file = ::stat(path.c_str(), &target) == 0 ? S_ISREG(target.st_mode) : errno == EACCES;
        if (file) {
            // A file the system keeps from us (its permissions): its data may be good.
            if (reason) *reason = std::strerror(error);
            return FileRead::Unreadable;
        }
        return damaged(std::strerror(error));
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
            if (reason) *reason = std::strerror(e);
            out.clear();
            return FileRead::Unreadable;
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
std::string InTheWay(const std::string& path, const std::string& role, int error) {
    return path + " is " + DescribeEntry(path) + ", in the way of " + role + " (" + std::strerror(error) +
           "); it is left as it is";
}

std::string TemporaryRole(const char* what) { return std::string("the ") + what + "'s temporary file"; }
std::string TargetRole(const char* what) { return std::string("the ") + what + " file"; }

// Nothing stands in the way: the folder itself takes no new file (read-only,
// or not this user's to write or enter).
std::string FolderRefuses(const std::string& path, int error) {
    return "the folder " + path.substr(0, path.find_last_of('/') + 1) + " cannot be written (" + std::strerror(error) +
           ")";
}
bool RefusedByFolder(int error) { return error == EROFS || error == EACCES || error == EPERM; }

}  // namespace

bool ReplaceBlocked(const std::string& path, const char* what, std::string& reason) {
    const std::string temp = path + ".tmp";
    struct stat st;
    // ReplaceFile clears away anything at the temporary name but a folder with something in it.
    if (::lstat(temp.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && DescribeEntry(temp) != "an empty folder") {
        reason = InTheWay(temp, TemporaryRole(what), ENOTEMPTY);
        return true;
    }
    // A file cannot be renamed over a folder, empty or not.
    if (::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        reason = InTheWay(path, TargetRole(what), EISDIR);
        return true;
    }
    return false;
}

bool ReplaceFile(const std::string& path, const uint8_t* data, size_t size, const char* what, std::string& reason) {
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
            reason = DescribeEntry(temp).empty() ? FolderRefuses(path, why) : InTheWay(temp, TemporaryRole(what), why);
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
            reason = InTheWay(path, TargetRole(what), error);
            return false;
        }
        return fail(error);
    }
    SyncFolder(path.substr(0, path.find_last_of('/') + 1));
    return true;
}

void RemoveFile(const std::string& path) { ::unlink(path.c_str()); }

std::string NumberedName(const std::string& stem, int n) { return n == 1 ? stem : stem + "-" + std::to_string(n); }

std::string FreeName(const std::string& stem) {
    struct stat st;
    for (int n = 1; n <= kNumberedNames; ++n) {
        const std::string name = NumberedName(stem, n);
        if (::lstat(name.c_str(), &st) != 0 && errno == ENOENT) return name;
    }
    return "";
}

bool MoveWithoutReplacing(const std::string& from, const std::string& to, std::string& reason) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    int error = errno;
    // A file system that cannot rename that way: a second name, then the first goes.
    if (error == EINVAL || error == ENOSYS) {
        if (::link(from.c_str(), to.c_str()) == 0) {
            ::unlink(from.c_str());
            return true;
        }
        error = errno;
    }
    reason = std::strerror(error);
    return false;
}

int FolderFault(const std::string& folder, size_t longestName) {
    // The system itself answers for a name of that length in the folder.
    const std::string probe = folder + std::string(longestName, '_');
    struct stat st;
    if (::lstat(probe.c_str(), &st) == 0 || errno == ENOENT) return 0;
    return errno;
}

}  // namespace host

#include "platform/host/UserFolders.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace host {

std::string UserDataRoot() {
    auto absolute = [](const char* name, std::string& out) {
        const char* value = std::getenv(name);
        if (!value || value[0] != '/') return false;
        out = value;
        if (out.back() != '/') out += '/';
        return true;
    };
    std::string root;
    if (absolute("APPDATA", root) || absolute("XDG_DATA_HOME", root)) return root;
    if (absolute("HOME", root)) return root + ".local/share/";
    return std::string();
}

bool CreateFolders(const std::string& path, std::string* reason) {
    auto fail = [&](int error) {
        if (reason) *reason = std::strerror(error);
        return false;
    };
    if (path.empty()) return fail(ENOENT);
    struct stat st {};
    // Nearly always there already: one look instead of a failing mkdir a level.
    if (stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode) || fail(ENOTDIR);
    std::string partial;
    for (size_t i = 0; i < path.size(); ++i) {
        partial += path[i];
        if (path[i] == '/' || i + 1 == path.size()) {
            if (partial == "/") continue;
            if (mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST) return fail(errno);
        }
    }
    if (stat(path.c_str(), &st) != 0) return fail(errno);
    return S_ISDIR(st.st_mode) || fail(ENOTDIR);
}

}  // namespace host

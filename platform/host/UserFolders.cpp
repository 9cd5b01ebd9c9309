#include "platform/host/UserFolders.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>

namespace host {

std::string UserDataRoot() {
    auto withSlash = [](std::string s) {
        if (!s.empty() && s.back() != '/') s += '/';
        return s;
    };
    if (const char* app = std::getenv("APPDATA"); app && *app) return withSlash(app);
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) return withSlash(xdg);
    if (const char* home = std::getenv("HOME"); home && *home) return withSlash(home) + ".local/share/";
    return std::string();
}

bool CreateFolders(const std::string& path) {
    if (path.empty()) return false;
    struct stat st {};
    // Nearly always there already: one look instead of a failing mkdir a level.
    if (stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    std::string partial;
    for (size_t i = 0; i < path.size(); ++i) {
        partial += path[i];
        if (path[i] == '/' || i + 1 == path.size()) {
            if (partial == "/") continue;
            if (mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST) return false;
        }
    }
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace host

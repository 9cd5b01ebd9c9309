#include "platform/LooseFile.h"

#include <vector>

#include "platform/host/Files.h"

namespace {

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameIgnoringCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (Upper(a[i]) != Upper(b[i])) return false;
    return i == a.size() && b[i] == '\0';
}

bool Exists(const std::string& path) { return host::PathExists(path); }

// Finds the entry of folder whose name equals part apart from letter case.
std::string MatchInFolder(const std::string& folder, const std::string& part) {
    std::vector<std::string> names;
    if (!host::ListFolder(folder, names)) return {};
    for (const std::string& name : names)
        if (SameIgnoringCase(part, name.c_str())) return name;
    return {};
}

}  // namespace

std::string ResolveLoosePath(const std::string& name) {
    std::string path = name;
    for (char& c : path)
        if (c == '\\') c = '/';
    if (path.empty()) return {};
    if (Exists(path)) return path;

    std::string resolved = path[0] == '/' ? "/" : "";
    size_t at = resolved.size();
    while (at <= path.size()) {
        size_t slash = path.find('/', at);
        if (slash == std::string::npos) slash = path.size();
        std::string part = path.substr(at, slash - at);
        at = slash + 1;
        if (part.empty() || part == ".") continue;
        std::string folder = resolved.empty() ? std::string() : resolved;
        std::string candidate = folder + part;
        if (!Exists(candidate) && part != "..") {
            std::string match = MatchInFolder(folder, part);
            if (match.empty()) return {};
            candidate = folder + match;
        }
        resolved = candidate;
        if (slash < path.size()) resolved += '/';
    }
    return Exists(resolved) ? resolved : std::string();
}

std::FILE* OpenLooseFile(const std::string& name, const char* mode) {
    std::string path = ResolveLoosePath(name);
    if (path.empty()) return nullptr;
    return std::fopen(path.c_str(), mode);
}

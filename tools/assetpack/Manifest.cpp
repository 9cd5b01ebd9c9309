#include "tools/assetpack/Manifest.h"

#include <cstdio>
#include <fstream>
#include <sstream>

const char* const kButtonStates[4] = {"NORMAL", "OVER", "PRESS", "DISABLE"};

namespace {

bool ParsePair(const std::string& field, char separator, int* a, int* b) {
    size_t at = field.find(separator);
    if (at == std::string::npos) return false;
    try {
        size_t used = 0;
        *a = std::stoi(field.substr(0, at), &used);
        if (used != at) return false;
        std::string rest = field.substr(at + 1);
        *b = std::stoi(rest, &used);
        return used == rest.size();
    } catch (...) {
        return false;
    }
}

bool ParseList(const std::string& field, std::vector<int>* out) {
    std::stringstream in(field);
    std::string part;
    while (std::getline(in, part, ',')) {
        try {
            size_t used = 0;
            int v = std::stoi(part, &used);
            if (used != part.size() || v < 0) return false;
            out->push_back(v);
        } catch (...) {
            return false;
        }
    }
    return !out->empty();
}

const char* const kKinds[] = {"picture", "button", "digits", "font",   "unit",
                              "sound",   "music",  "effect", "cursor", "rotor"};

}  // namespace

std::vector<ManifestItem> ParseManifest(const std::string& text, std::vector<std::string>* errors) {
    std::vector<ManifestItem> items;
    std::stringstream in(text);
    std::string line;
    int number = 0;
    auto fail = [&](const std::string& why) {
        if (errors) errors->push_back("manifest line " + std::to_string(number) + ": " + why);
    };
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        std::stringstream fields(line);
        ManifestItem item;
        item.line = number;
        std::string size, grid, frames, colour;
        if (!(fields >> item.kind >> item.path >> size >> grid >> frames >> colour)) {
            fail("expected kind, path, size, grid, frames, colour and label");
            continue;
        }
        std::getline(fields, item.label);
        size_t labelStart = item.label.find_first_not_of(" \t");
        item.label = labelStart == std::string::npos ? std::string() : item.label.substr(labelStart);
        if (item.label.rfind("art:", 0) == 0 || item.label.rfind("sfx:", 0) == 0) {
            size_t end = item.label.find_first_of(" \t");
            item.style = item.label.substr(4, end == std::string::npos ? std::string::npos : end - 4);
            size_t rest = end == std::string::npos ? std::string::npos : item.label.find_first_not_of(" \t", end);
            item.label = rest == std::string::npos ? std::string() : item.label.substr(rest);
        }
        for (size_t at = item.label.find("\\n"); at != std::string::npos; at = item.label.find("\\n", at))
            item.label.replace(at, 2, "\n");

        bool known = false;
        for (const char* k : kKinds) known = known || item.kind == k;
        if (!known) {
            fail("unknown kind " + item.kind);
            continue;
        }
        if (size != "-") {
            if (size.size() > 2 && size.compare(size.size() - 2, 2, "ms") == 0) {
                try {
                    item.width = std::stoi(size);
                } catch (...) {
                    item.width = 0;
                }
            } else if (!ParsePair(size, 'x', &item.width, &item.height)) {
                item.width = 0;
            }
            if (item.width <= 0 || (item.kind != "sound" && item.kind != "music" && item.height <= 0)) {
                fail("bad size " + size);
                continue;
            }
        }
        if (grid != "-" && (!ParsePair(grid, 'x', &item.cols, &item.rows) || item.cols <= 0 || item.rows <= 0)) {
            fail("bad grid " + grid);
            continue;
        }
        if (frames != "-" && !ParseList(frames, &item.frames)) {
            fail("bad frames " + frames);
            continue;
        }
        if (colour != "-") {
            if (colour.size() != 7 || colour[0] != '#') {
                fail("bad colour " + colour);
                continue;
            }
            try {
                item.colour = static_cast<uint32_t>(std::stoul(colour.substr(1), nullptr, 16));
            } catch (...) {
                fail("bad colour " + colour);
                continue;
            }
        }
        bool needsSize = item.kind != "effect" && item.kind != "cursor" && item.kind != "rotor";
        if (needsSize && item.width == 0) {
            fail("a " + item.kind + " needs a size");
            continue;
        }
        if ((item.kind == "unit" || item.path.find("%02d") != std::string::npos) && item.frames.empty()) {
            fail("frame counts missing");
            continue;
        }
        if (item.kind == "font" && item.label.empty()) {
            fail("a font needs its picture name as label");
            continue;
        }
        items.push_back(item);
    }
    return items;
}

bool ReadManifestFile(const std::string& path, std::vector<ManifestItem>* items, std::vector<std::string>* errors) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (errors) errors->push_back("cannot read " + path);
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    size_t before = errors ? errors->size() : 0;
    *items = ParseManifest(text.str(), errors);
    return !errors || errors->size() == before;
}

std::vector<PackFile> ExpandManifest(const std::vector<ManifestItem>& items) {
    std::vector<PackFile> files;
    char name[64];
    for (size_t i = 0; i < items.size(); ++i) {
        const ManifestItem& it = items[i];
        PackFile f;
        f.item = i;
        if (it.kind == "button") {
            for (int s = 0; s < 4; ++s) {
                f.path = it.path + kButtonStates[s] + ".png";
                f.variant = s;
                files.push_back(f);
            }
        } else if (it.kind == "music") {
            f.path = it.path + "Intro.ogg";
            files.push_back(f);
            f.path = it.path + "Loop.ogg";
            f.variant = 1;
            files.push_back(f);
        } else if (it.kind == "unit") {
            for (size_t a = 0; a < it.frames.size(); ++a) {
                for (int k = 1; k <= it.frames[a]; ++k) {
                    std::snprintf(name, sizeof name, "Act%d_%02d.png", static_cast<int>(a + 1), k);
                    f.path = it.path + name;
                    f.act = static_cast<int>(a + 1);
                    f.frame = k;
                    files.push_back(f);
                }
            }
        } else if (it.kind == "font") {
            f.path = it.path;
            files.push_back(f);
            size_t slash = it.path.rfind('/');
            f.path = it.path.substr(0, slash == std::string::npos ? 0 : slash + 1) + it.label;
            f.variant = 1;
            files.push_back(f);
        } else if (it.path.find("%02d") != std::string::npos) {
            size_t at = it.path.find("%02d");
            for (int k = 1; k <= it.frames[0]; ++k) {
                std::snprintf(name, sizeof name, "%02d", k);
                f.path = it.path.substr(0, at) + name + it.path.substr(at + 4);
                f.frame = k;
                files.push_back(f);
            }
        } else {
            f.path = it.path;
            f.inArchive = it.kind != "cursor";
            files.push_back(f);
        }
    }
    return files;
}

namespace {

struct Folder {
    std::string name;
    std::vector<std::string> files;
    std::vector<size_t> children;
};

void Emit(const std::vector<Folder>& folders, size_t at, std::vector<std::string>* out) {
    if (!folders[at].name.empty()) out->push_back(folders[at].name);
    out->insert(out->end(), folders[at].files.begin(), folders[at].files.end());
    for (size_t child : folders[at].children) Emit(folders, child, out);
}

}  // namespace

std::vector<std::string> ArchiveLayout(const std::vector<std::string>& files) {
    std::vector<Folder> folders(1);  // [0] is the root, which has no entry
    auto folderIndex = [&folders](const std::string& name) {
        size_t parent = 0;
        size_t at = 0;
        while (at < name.size()) {
            size_t slash = name.find('/', at);
            std::string prefix = name.substr(0, slash + 1);
            size_t found = 0;
            for (size_t c : folders[parent].children)
                if (folders[c].name == prefix) found = c;
            if (!found) {
                folders.push_back(Folder{prefix, {}, {}});
                found = folders.size() - 1;
                folders[parent].children.push_back(found);
            }
            parent = found;
            at = slash + 1;
        }
        return parent;
    };
    for (const std::string& f : files) {
        size_t slash = f.rfind('/');
        size_t folder = slash == std::string::npos ? 0 : folderIndex(f.substr(0, slash + 1));
        folders[folder].files.push_back(f);
    }
    std::vector<std::string> out;
    Emit(folders, 0, &out);
    return out;
}

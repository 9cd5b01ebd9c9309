#pragma once
// The few file-system calls the save layer and the loose-file lookup need
// beyond the C library.
#include <cstdio>
#include <string>
#include <vector>

namespace host {

// Pushes what was written to an open file down to the disk; true on success.
bool SyncFile(std::FILE* file);
// Pushes a folder's entries (a rename into it) down to the disk; quiet when
// the folder cannot be opened.
void SyncFolder(const std::string& folder);
// Something (file or folder) is there under path.
bool PathExists(const std::string& path);
// The names in folder ("" for the current one), in the order the system
// lists them; false when the folder cannot be read.
bool ListFolder(const std::string& folder, std::vector<std::string>& names);

}  // namespace host

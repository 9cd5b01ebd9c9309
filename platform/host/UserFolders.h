#pragma once
// Where the player's files live.
#include <string>

namespace host {

// "$APPDATA/" when APPDATA is set, else "$XDG_DATA_HOME/", else "~/.local/share/";
// always ends with '/'. Empty when none of them can be found.
std::string UserDataRoot();

// Creates every missing folder of path; true when it exists afterwards.
bool CreateFolders(const std::string& path);

}  // namespace host

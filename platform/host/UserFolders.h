#pragma once
// Where the player's files live.
#include <string>

namespace host {

// "$APPDATA/" when APPDATA is set, else "$XDG_DATA_HOME/", else "~/.local/share/";
// always absolute and ending with '/': a relative value is passed over, as
// it would put the saves wherever the game happens to be started. Empty when
// none of them names an absolute folder.
std::string UserDataRoot();

// Creates every missing folder of path; true when it exists afterwards.
// reason gets the system's words for a failure.
bool CreateFolders(const std::string& path, std::string* reason = nullptr);

}  // namespace host

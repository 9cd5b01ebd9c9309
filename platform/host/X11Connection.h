#pragma once
// The X connection under the windows. Xlib's own handlers end the process
// with exit() from wherever the trouble is noticed (mid-frame, inside the GL
// swap), with no save and with static objects torn down under live ones.
// Ours close the game as a confirmed exit does.
#include <cstdint>
#include <string>

struct SDL_Window;

namespace host {

// Watches the connection the window lives on. The main window's X id is
// remembered: an error naming it means the window was destroyed under us,
// and the game closes through its loop. Errors about any other
// window (a box already gone) are reported on stderr and play goes on.
void X11WatchConnection(SDL_Window* window, bool mainWindow);
// The main window is being destroyed by us: errors naming it are no loss.
void X11ForgetWindow(SDL_Window* window);

// What a start the display ends says: the fatal words, the display's reason
// going between before and after. Made beforehand (nothing can be put
// together once the connection has broken). From here until the main window
// stands, a broken connection ends the process with them and status 1.
void SetStartFailureWords(const std::string& before, const std::string& after);
// The game's display is being opened or its window made (true), or no longer
// (false). Watching begins before the first connection is made; while making,
// a request the display refuses, or a fault in a library reading a reply the
// server hung up before sending (on its local socket or its TCP port), ends
// the start as a broken connection does.
void X11Making(bool making);

// What a broken connection leaves to do. Xlib cannot be called again once
// it has broken (a request under way when it broke writes past its buffer),
// so nothing unwinds: the handler calls this (the exit save; true when it
// saved), says what was done, and the process ends at once with status 0.
void SetConnectionLostSave(bool (*save)());

// The connection broke or the main window went; from then on no box is shown.
bool DisplayLost();

// X errors reported since the start (each also on stderr).
int X11ErrorCount();

}  // namespace host

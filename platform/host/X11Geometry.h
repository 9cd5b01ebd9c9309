#pragma once
// The size the X server really gave a window, which SDL may not know: with no
// window manager a full-screen request is taken as done while the window
// keeps its old size.
struct SDL_Window;

namespace host {

// The window's size on the X server; false when the window is not on X.
bool X11WindowSize(SDL_Window* window, int& width, int& height);

// True when the X display has no window manager that names itself (none to
// carry out a full-screen request); false off X.
bool X11HasNoWindowManager(SDL_Window* window);

// Waits (up to `milliseconds`, not at all with no window manager) until the X
// window has the size SDL believes it has; true at once when the window is not on X.
bool X11SizeSettles(SDL_Window* window, int milliseconds);

}  // namespace host

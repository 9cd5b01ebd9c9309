#pragma once
// A message box the program draws itself, in a small window of its own, for
// when the system's box cannot be shown (no usable fonts on the X server, no
// room for another client): the question still reaches the player and can be
// answered with the mouse, Return or Escape. Main thread only: other threads'
// boxes are handed to it (MessageBox.h).
#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace host {

// One character cell of the box's font: width in pixels and 4-bit coverage,
// one hex digit a pixel, rows top first.
struct BoxGlyph {
    int width;
    const char* coverage;
};
// The cells of the characters 32 to 126, each cellHeight rows; until it is
// set, no box window can be drawn.
void SetBoxFont(const BoxGlyph* glyphs95, int cellHeight);
bool HasBoxFont();

struct BoxButton {
    int id;
    std::string label;
    bool onReturn;  // Return presses it
    bool onEscape;  // Escape and the window's close press it
};

// Shows the box and waits for a button: its id. 0 when a set flag (quit
// request, quit signal) closes it unanswered, -1 when no window can be made.
int ShowBoxWindow(const std::string& text, const std::string& caption, const std::vector<BoxButton>& buttons,
                  const std::atomic<bool>* quit, const std::atomic<bool>* signalled);

// The box's picture, as drawn into its window: ARGB pixels, rows top first,
// and where each button lies (x, y, w, h). For the window and for tests.
struct BoxPicture {
    int width = 0, height = 0;
    std::vector<uint32_t> argb;
    std::vector<std::array<int, 4>> buttonRects;
};
BoxPicture DrawBoxPicture(const std::string& text, const std::vector<BoxButton>& buttons, int pressed = -1);

}  // namespace host

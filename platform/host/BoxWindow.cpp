#include "platform/host/BoxWindow.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/host/X11Connection.h"

namespace host {

namespace {

const BoxGlyph* g_glyphs = nullptr;
int g_cellHeight = 0;

constexpr int kMargin = 16;
constexpr int kWrapWidth = 560;
constexpr int kLineGap = 3;
constexpr int kButtonWidth = 96, kButtonHeight = 30, kButtonGap = 10;
constexpr uint32_t kBackground = 0xFFE8E8E8u, kInk = 0xFF101010u, kButtonFace = 0xFFCCCCCCu, kButtonEdge = 0xFF606060u,
                   kButtonPressed = 0xFFAAAAAAu;

const BoxGlyph* Glyph(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return g_glyphs + (u >= 32 && u <= 126 ? u - 32 : '?' - 32);
}

int TextWidth(const std::string& s) {
    int w = 0;
    for (char c : s) w += Glyph(c)->width;
    return w;
}

// The text's lines: its own line breaks, then words wrapped at kWrapWidth.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line, word;
        auto flush = [&] {
            const std::string joined = line.empty() ? word : line + " " + word;
            if (!line.empty() && TextWidth(joined) > kWrapWidth) {
                lines.push_back(line);
                line = word;
            } else {
                line = joined;
            }
            word.clear();
        };
        for (size_t i = start; i < end; ++i) {
            if (text[i] == ' ') flush();
            else word += text[i];
        }
        flush();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

uint32_t Blend(uint32_t under, uint32_t ink, int coverage) {
    uint32_t out = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const int a = int(under >> shift & 0xFF), b = int(ink >> shift & 0xFF);
        out |= uint32_t(a + (b - a) * coverage / 15) << shift;
    }
    return out;
}

void Fill(BoxPicture& p, int x, int y, int w, int h, uint32_t colour) {
    for (int j = std::max(0, y); j < std::min(p.height, y + h); ++j)
        for (int i = std::max(0, x); i < std::min(p.width, x + w); ++i)
            p.argb[size_t(j) * size_t(p.width) + size_t(i)] = colour;
}

void Write(BoxPicture& p, int x, int y, const std::string& s) {
    for (char c : s) {
        const BoxGlyph* g = Glyph(c);
        for (int row = 0; row < g_cellHeight; ++row)
            for (int col = 0; col < g->width; ++col) {
                const char digit = g->coverage[row * g->width + col];
                const int coverage = digit <= '9' ? digit - '0' : digit - 'A' + 10;
                const int px = x + col, py = y + row;
                if (coverage <= 0 || px < 0 || py < 0 || px >= p.width || py >= p.height) continue;
                uint32_t& dst = p.argb[size_t(py) * size_t(p.width) + size_t(px)];
                dst = Blend(dst, kInk, coverage);
            }
        x += g->width;
    }
}

}  // namespace

void SetBoxFont(const BoxGlyph* glyphs95, int cellHeight) {
    g_glyphs = glyphs95;
    g_cellHeight = cellHeight;
}

bool HasBoxFont() { return g_glyphs != nullptr; }

BoxPicture DrawBoxPicture(const std::string& text, const std::vector<BoxButton>& buttons, int pressed) {
    BoxPicture p;
    if (!g_glyphs) return p;
    const std::vector<std::string> lines = Lines(text);
    int textWidth = 0;
    for (const std::string& line : lines) textWidth = std::max(textWidth, TextWidth(line));
    const int row = g_cellHeight + kLineGap;
    const int buttonsWidth = int(buttons.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
    p.width = std::max(textWidth, buttonsWidth) + 2 * kMargin;
    p.height = kMargin + int(lines.size()) * row + kMargin + kButtonHeight + kMargin;
    p.argb.assign(size_t(p.width) * size_t(p.height), kBackground);
    for (size_t i = 0; i < lines.size(); ++i) Write(p, kMargin, kMargin + int(i) * row, lines[i]);
    int x = p.width - kMargin - buttonsWidth;
    const int y = p.height - kMargin - kButtonHeight;
    for (size_t i = 0; i < buttons.size(); ++i, x += kButtonWidth + kButtonGap) {
        Fill(p, x, y, kButtonWidth, kButtonHeight, kButtonEdge);
        Fill(p, x + 1, y + 1, kButtonWidth - 2, kButtonHeight - 2, int(i) == pressed ? kButtonPressed : kButtonFace);
        const std::string& label = buttons[i].label;
        Write(p, x + (kButtonWidth - TextWidth(label)) / 2, y + (kButtonHeight - g_cellHeight) / 2, label);
        p.buttonRects.push_back({x, y, kButtonWidth, kButtonHeight});
    }
    return p;
}

int ShowBoxWindow(const std::string& text, const std::string& caption, const std::vector<BoxButton>& buttons,
                  const std::atomic<bool>* quit, const std::atomic<bool>* signalled) {
    // Only on a display someone looks at: SDL's off-screen and console
    // drivers would make a window nobody can answer.
    if (!g_glyphs || buttons.empty() || !(std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY"))) return -1;
    const bool started = !SDL_WasInit(SDL_INIT_VIDEO);
    if (started && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return -1;
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool seen = driver && (std::strcmp(driver, "x11") == 0 || std::strcmp(driver, "wayland") == 0);
    BoxPicture picture = DrawBoxPicture(text, buttons);
    // The game's drawing goes on after the box, on its own window and context.
    SDL_Window* const glWindow = SDL_GL_GetCurrentWindow();
    const SDL_GLContext glContext = SDL_GL_GetCurrentContext();
    // On X the box's pixels go straight to its window: a GL renderer behind
    // the window surface would make (and drop) a context of its own and
    // build the window again under a new X id. (Wayland has no other way.)
    if (driver && std::strcmp(driver, "x11") == 0) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_Window* window = seen ? SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                                 picture.width, picture.height, SDL_WINDOW_SHOWN)
                              : nullptr;
    int answer = window ? 0 : -1;
    if (window) {
        X11WatchConnection(window, false);
        const Uint32 id = SDL_GetWindowID(window);
        SDL_RaiseWindow(window);
        int held = -1;  // the button under a pressed mouse
        auto show = [&] {
            picture = DrawBoxPicture(text, buttons, held);
            SDL_Surface* drawn = SDL_CreateRGBSurfaceWithFormatFrom(picture.argb.data(), picture.width, picture.height,
                                                                    32, picture.width * 4, SDL_PIXELFORMAT_ARGB8888);
            SDL_Surface* target = SDL_GetWindowSurface(window);
            if (drawn && target) {
                SDL_BlitSurface(drawn, nullptr, target, nullptr);
                SDL_UpdateWindowSurface(window);
            }
            SDL_FreeSurface(drawn);
        };
        auto buttonAt = [&](int x, int y) {
            for (size_t i = 0; i < picture.buttonRects.size(); ++i) {
                const auto& r = picture.buttonRects[i];
                if (x >= r[0] && y >= r[1] && x < r[0] + r[2] && y < r[1] + r[3]) return int(i);
            }
            return -1;
        };
        auto pressedBy = [&](bool escape) {
            for (const BoxButton& b : buttons)
                if (escape ? b.onEscape : b.onReturn) return b.id;
            return 0;
        };
        show();
        while (answer == 0) {
            if ((quit && quit->load()) || (signalled && signalled->load())) break;
            // Polled, not waited for: while SDL waits it wakes itself with a
            // message to the newest window, the box, sent on a second X
            // connection, which can reach the server after the box is gone
            // (BadWindow, and Xlib's default handler ends the program).
            SDL_Event e;
            if (!SDL_PollEvent(&e)) {
                SDL_Delay(10);
                continue;
            }
            // Keys count from whichever window has them: the box is the one question.
            if (e.type == SDL_KEYDOWN) {
                const SDL_Keycode key = e.key.keysym.sym;
                if (key == SDLK_RETURN || key == SDLK_KP_ENTER) answer = pressedBy(false);
                else if (key == SDLK_ESCAPE) answer = pressedBy(true);
            } else if (e.type == SDL_MOUSEBUTTONDOWN && e.button.windowID == id) {
                held = buttonAt(e.button.x, e.button.y);
                show();
            } else if (e.type == SDL_MOUSEBUTTONUP && e.button.windowID == id) {
                const int at = buttonAt(e.button.x, e.button.y);
                if (at >= 0 && at == held) answer = buttons[size_t(at)].id;
                held = -1;
                show();
            } else if (e.type == SDL_WINDOWEVENT && e.window.windowID == id) {
                if (e.window.event == SDL_WINDOWEVENT_CLOSE) answer = pressedBy(true);
                else if (e.window.event == SDL_WINDOWEVENT_EXPOSED) show();
            }
        }
        SDL_DestroyWindow(window);
    }
    if (glWindow && glContext) SDL_GL_MakeCurrent(glWindow, glContext);
    if (started) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return answer;
}

}  // namespace host

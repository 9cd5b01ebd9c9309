// The box the program draws itself when the system's box cannot be shown:
// each key answers as the system's box would, a quit request closes it
// unanswered, and its picture holds its text and buttons inside a margin.
// Over the game's window, box after box leaves the game's GL context
// current and raises no X error.
#include <SDL.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/FrameworkFontGlyphs.h"
#include "platform/host/BoxWindow.h"
#include "platform/host/MessageBox.h"
#include "platform/host/X11Connection.h"
#include "tests/gl/GoldenPicture.h"
#include "tests/gl/XClient.h"

namespace {

void InstallFont() {
    static host::BoxGlyph glyphs[95];
    for (int i = 0; i < 95; ++i) glyphs[i] = {kGlyphCells[i].width, kGlyphCells[i].coverage};
    host::SetBoxFont(glyphs, kGlyphCellHeight);
}

const std::vector<host::BoxButton> kYesNo = {{host::IDYES, "Yes", true, false}, {host::IDNO, "No", false, true}};
const std::vector<host::BoxButton> kOk = {{host::IDOK, "OK", true, true}};

}  // namespace

TEST(BoxWindow, KeysAnswerAsTheSystemsBoxAndAQuitClosesItUnanswered) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    // Video stays up for the whole program, as in the game: taken down, SDL
    // unloads the X libraries with buffers the leak checker can no longer name.
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    InstallFont();
    const struct {
        const char* rule;
        const std::vector<host::BoxButton>* buttons;
        SDL_Keycode key;  // 0: the quit flag is set instead
        int answer;
    } kCases[] = {
        {"Return presses Yes", &kYesNo, SDLK_RETURN, host::IDYES},
        {"Escape presses No", &kYesNo, SDLK_ESCAPE, host::IDNO},
        {"Return presses OK", &kOk, SDLK_RETURN, host::IDOK},
        {"Escape presses OK too", &kOk, SDLK_ESCAPE, host::IDOK},
        {"a quit request closes it unanswered", &kYesNo, 0, 0},
    };
    for (const auto& c : kCases) {
        std::atomic<bool> quit{false}, done{false};
        std::thread player([&] {
            // Pressed until the box has taken it: the window may take a while to come.
            while (!done) {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                if (c.key == 0) {
                    quit = true;
                    continue;
                }
                if (!SDL_WasInit(SDL_INIT_VIDEO)) continue;
                SDL_Event e{};
                e.type = SDL_KEYDOWN;
                e.key.keysym.sym = c.key;
                SDL_PushEvent(&e);
            }
        });
        const int answer = host::ShowBoxWindow("Do you want to create new save data?", "Recreate save data.",
                                               *c.buttons, &quit, nullptr);
        done = true;
        player.join();
        // Keys the player pushed after the answer are not the next box's.
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        EXPECT_EQ(answer, c.answer) << c.rule;
    }
}

TEST(BoxWindow, ThePictureHoldsItsWrappedTextAndButtonsInsideAMargin) {
    InstallFont();
    const std::string text =
        "The game could not be saved.\n/home/player/.local/share/Orvendale/Cogsquall/"
        "SaveData.dat\nthe leftover SaveData.dat.tmp is in the way and cannot be removed: "
        "Directory not empty, and this sentence runs on well past the width of one line";
    const host::BoxPicture p = host::DrawBoxPicture(text, kYesNo);
    ASSERT_GT(p.width, 0);
    EXPECT_LE(p.width, 560 + 2 * 16) << "long lines wrap";
    ASSERT_EQ(p.buttonRects.size(), 2u);
    const uint32_t background = p.argb[0];
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const bool inside = x >= 16 && y >= 16 && x < p.width - 16 && y < p.height - 16;
            if (inside) continue;
            ASSERT_EQ(p.argb[size_t(y) * size_t(p.width) + size_t(x)], background) << x << "," << y;
        }
    // The buttons sit below the last line of text, side by side, Yes first.
    EXPECT_LT(p.buttonRects[0][0], p.buttonRects[1][0]);
    EXPECT_EQ(p.buttonRects[0][1] + p.buttonRects[0][3], p.height - 16);
}

TEST(BoxWindow, BoxAfterBoxOverTheGameWindowLeavesItDrawingAndRaisesNoXError) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    InstallFont();
    golden::GlWindow game;
    ASSERT_TRUE(game.Open("Box over the game", 320, 240));
    SDL_Window* const window = SDL_GL_GetCurrentWindow();
    const SDL_GLContext context = SDL_GL_GetCurrentContext();
    ASSERT_NE(context, nullptr);
    const int errorsBefore = host::X11ErrorCount();
    const std::vector<uint8_t> white(16 * 16 * 4, 0xFF);
    constexpr int kTries = 30;
    for (int i = 0; i < kTries; ++i) {
        std::atomic<bool> done{false};
        // The answer comes as a user's would: Return, sent by another client to the box.
        std::thread player([&] {
            xclient::Connection x;
            Window box = 0;
            for (int wait = 0; !done && box == 0 && wait < 200; ++wait)
                box = x.WaitForWindow(
                    getpid(), [](const std::string& t) { return t == "Save data write error!"; },
                    std::chrono::milliseconds(50));
            if (box) x.PressReturn(box);
        });
        const int answer =
            host::ShowBoxWindow("The game could not be saved.", "Save data write error!", kOk, nullptr, nullptr);
        done = true;
        player.join();
        ASSERT_EQ(answer, host::IDOK) << "box " << i << " was not answered";
        ASSERT_EQ(SDL_GL_GetCurrentContext(), context) << "box " << i << " left another context current";
        ASSERT_EQ(SDL_GL_GetCurrentWindow(), window) << "box " << i;
        // The game draws on: a texture, a cleared frame, the picture read back.
        const host::TextureHandle t = game.device->CreateTexture(16, 16, white.data());
        EXPECT_NE(t, 0u) << "box " << i;
        game.device->ReleaseTexture(t);
        game.device->Clear(host::CLEAR_TARGET, 0xFF204060u, 1.0f);
        std::vector<uint8_t> rgba;
        int w = 0, h = 0;
        ASSERT_TRUE(game.device->ReadBackBuffer(rgba, w, h)) << "box " << i;
        ASSERT_EQ(rgba.size(), size_t(w) * size_t(h) * 4);
        EXPECT_EQ(rgba[0], 0x20) << "box " << i;
        EXPECT_EQ(rgba[2], 0x60) << "box " << i;
        game.device->Present();
        // Whatever the server still has to say about the box arrives now.
        for (int k = 0; k < 5; ++k) {
            SDL_Event e;
            while (SDL_PollEvent(&e)) {}
            SDL_Delay(10);
        }
    }
    EXPECT_EQ(host::X11ErrorCount(), errorsBefore) << "X errors over " << kTries << " boxes (see stderr)";
}

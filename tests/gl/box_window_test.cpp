// The box the program draws itself when the system's box cannot be shown:
// each key answers as the system's box would, a quit request closes it
// unanswered, and its picture holds its text and buttons inside a margin.
#include <SDL.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/FrameworkFontGlyphs.h"
#include "platform/host/BoxWindow.h"
#include "platform/host/MessageBox.h"

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

// Taps shorter than a frame through SDL's own event queue: the down and the
// up are queued together, the window turns both into messages before one
// frame, and the game must still see a click or a key. Each row is one rule
// of the new player's road; a row that fails names the tap that was lost.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "frontend/PageMenu.h"
#include "game/Effect_MsgBox.h"
#include "game/GameApplication.h"
#include "platform/host/Headless.h"
#include "platform/host/MessageBox.h"
#include "tests/Harness.h"

namespace {

using frontroad::Point;

class SdlTaps : public frontroad::WindowRoadTest {
protected:
    // Every waiting event through the window's translation into the game,
    // as the program's loop hands them over between frames. Focus changes
    // of the test display are left out: the road plays as if it kept it.
    void Pump() {
        host::Window* window = road.framework->Window();
        host::WindowMessage msg;
        while (window && window->PeekMessage(msg)) {
            const uint32_t m = msg.message;
            if (m == host::WM_NULL || m == host::WM_ACTIVATE || m == host::WM_ACTIVATEAPP || m == host::WM_KILLFOCUS ||
                m == host::WM_SETFOCUS)
                continue;
            road.framework->HandleMessage(window, m, msg.wParam, msg.lParam);
        }
    }
    static void Push(SDL_Event e) { ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError(); }

    // Key down and up queued together, then one frame.
    void TapKey(SDL_Scancode code) {
        for (Uint32 type : {Uint32(SDL_KEYDOWN), Uint32(SDL_KEYUP)}) {
            SDL_Event e;
            std::memset(&e, 0, sizeof e);
            e.type = type;
            e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
            e.key.keysym.scancode = code;
            e.key.keysym.sym = SDL_GetKeyFromScancode(code);
            Push(e);
        }
        Pump();
        road.Frame();
    }
    // Left button down and up at the point queued together, then one frame.
    void TapAt(Point p) {
        road.MoveTo(p);
        road.Frame();
        const int x = int(p.x + float(g_iScreenWidth) / 2.0f), y = int(float(g_iScreenHeight) / 2.0f - p.y);
        for (Uint32 type : {Uint32(SDL_MOUSEBUTTONDOWN), Uint32(SDL_MOUSEBUTTONUP)}) {
            SDL_Event e;
            std::memset(&e, 0, sizeof e);
            e.type = type;
            e.button.button = SDL_BUTTON_LEFT;
            e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
            e.button.clicks = 1;
            e.button.x = x;
            e.button.y = y;
            Push(e);
        }
        Pump();
        road.Frame();
    }
    bool MenuReady(int screen) { return road.At(MENU_PAGE_INDEX, screen) && road.MenuIdle(); }
};

struct TapRow {
    const char* rule;
    std::function<void()> tap;
    std::function<bool()> reached;
    int frames;  // after the tap, for the screen to arrive
};

TEST_F(SdlTaps, AClickOrKeyWithinOneFrameIsNeverLost) {
    road.Start();
    road.Frame(60);
    const Point kPlay = frontroad::kMenuEntry;
    const Point kProfileButton{-375.0f, 120.0f};
    const Point kOptionButton{-375.0f, -52.5f};
    // The options box at rest: its switches and OK in a row under the sliders.
    const Point kSoundSwitch{-150.0f, -130.0f}, kOptionsOk{150.0f, -130.0f};
    const auto box = [] { return g_pGameAppInstance->m_pEffectMsgBox; };
    const TapRow rows[] = {
        {"a tap on the logo shows the title", [&] { TapAt(frontroad::kScreenCentre); },
         [&] { return road.At(MENU_PAGE_INDEX, MENU_TITLE); }, 30},
        {"a tap on the settled title opens the name entry",
         [&] {
             road.Frame(80);
             TapAt(frontroad::kScreenCentre);
         },
         [&] { return MenuReady(MENU_NAME_ENTRY); }, 60},
        {"a letter tapped within a frame is typed", [&] { TapKey(SDL_SCANCODE_A); },
         [&] { return std::string(road.Menu().m_szEntryName) == "a"; }, 0},
        {"a second letter within a frame is typed", [&] { TapKey(SDL_SCANCODE_D); },
         [&] { return std::string(road.Menu().m_szEntryName) == "ad"; }, 0},
        {"the same letter again within a frame is typed", [&] { TapKey(SDL_SCANCODE_A); },
         [&] { return std::string(road.Menu().m_szEntryName) == "ada"; }, 0},
        {"Return within a frame takes the name", [&] { TapKey(SDL_SCANCODE_RETURN); },
         [&] { return MenuReady(MENU_MAIN); }, 90},
        {"a tap on a button within a frame presses it", [&] { TapAt(kProfileButton); },
         [&] { return MenuReady(MENU_PROFILES); }, 90},
        {"a tap on the side button within a frame goes back", [&] { TapAt(frontroad::kBackButton); },
         [&] { return MenuReady(MENU_MAIN); }, 90},
        {"a tap on the options button within a frame opens the options box", [&] { TapAt(kOptionButton); },
         [&] { return box()->IsOpen() && box()->m_aInstances[0].kind == MSGBOX_OPTIONS && box()->SlideY() == 0.0f; },
         90},
        {"a tap on the box's sound switch within a frame turns the sound off", [&] { TapAt(kSoundSwitch); },
         [&] { return g_pGameAppInstance->m_pSaveData->Header().m_bMuted == 1; }, 0},
        {"a tap on the box's OK within a frame closes it", [&] { TapAt(kOptionsOk); },
         [&] { return !box()->IsOpen() && MenuReady(MENU_MAIN); }, 60},
        {"a tap on a list entry within a frame chooses it", [&] { TapAt(kPlay); },
         [&] { return road.Page() == STORY_PAGE_INDEX; }, 60},
    };
    for (const TapRow& row : rows) {
        row.tap();
        EXPECT_TRUE(road.WaitFor(row.reached, row.frames)) << row.rule;
        if (HasFailure()) return;
    }
    EXPECT_EQ(boxes.Count(), 0u) << (boxes.Count() ? boxes.Boxes().front().text : "");
}

}  // namespace

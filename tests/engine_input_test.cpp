

#include "tests/Harness.h"

namespace engine_input_test {

using harness::Harness;
using host::FMT_X8R8G8B8, host::HeadlessWindow, host::VK_MENU, host::VK_SHIFT, host::WM_ACTIVATEAPP, host::WM_CLOSE,
    host::WM_INPUTLANGCHANGEREQUEST, host::WM_KILLFOCUS, host::WM_LBUTTONDBLCLK, host::WM_LBUTTONDOWN,
    host::WM_LBUTTONUP, host::WM_MBUTTONDOWN, host::WM_MBUTTONUP, host::WM_MOUSEMOVE, host::WM_MOUSEWHEEL,
    host::WM_PAINT, host::WM_POWERBROADCAST, host::WM_RBUTTONDOWN, host::WM_SETFOCUS, host::WM_SYSKEYDOWN,
    host::WM_SYSKEYUP;

namespace {

// Remembers what the page saw of one key at each input step, and the whole
// record it saw last.
class WatchingPage : public harness::FakePage {
public:
    WatchingPage(std::vector<std::string>* log, int key) : FakePage("w", log), m_key(key) {}
    int HandleScreenInput(int) override {
        const InputRecord& in = g_pApp->m_aInput[0];
        seen.push_back(in.m_aiKey[m_key]);
        repeats.push_back(in.m_aiRepeat[m_key]);
        last = in;
        return 0;
    }
    std::vector<uint32_t> seen;
    std::vector<int> repeats;
    InputRecord last;

private:
    int m_key;
};

// A harness past the ten quiet frames, with a page watching one key.
struct InputFixture {
    explicit InputFixture(int key) {
        page = new WatchingPage(&h.pageLog, key);
        h.pages.emplace_back(page);
        h.Start();
        h.Steps(10);
    }
    Harness h;
    WatchingPage* page;
};

}  // namespace

TEST(KeyInput, HeldKeyIsPressedOnceAndATapWithinOneStepIsSeenPressedAndReleased) {
    InputFixture f('A');
    f.h.KeyDown('A');
    f.h.Step();
    f.h.KeyDown('A');  // auto-repeat only raises the count
    f.h.KeyDown('A');
    f.h.Step();
    f.h.KeyUp('A');
    f.h.Step();
    f.h.Step();
    // Down and up between two steps: the page still sees the press, with the release.
    f.h.KeyDown('A');
    f.h.KeyUp('A');
    f.h.Step();
    f.h.Step();
    EXPECT_EQ(f.page->seen, (std::vector<uint32_t>{KEY_HELD | KEY_PRESSED, KEY_HELD, KEY_RELEASED, 0,
                                                   KEY_PRESSED | KEY_RELEASED, 0}));
    EXPECT_EQ(f.page->repeats, (std::vector<int>{1, 3, 0, 0, 0, 0}));
}

TEST(KeyInput, SystemKeyUpAndLanguageChangeReleaseButSystemKeyDownIsIgnored) {
    Harness h;
    h.Send(WM_SYSKEYDOWN, VK_MENU);
    EXPECT_EQ(h.app.m_aInput[0].m_aiKey[VK_MENU], 0u);
    h.KeyDown(VK_MENU);
    h.Send(WM_SYSKEYUP, VK_MENU);
    EXPECT_EQ(h.app.m_aInput[0].m_aiKey[VK_MENU], uint32_t(KEY_PRESSED | KEY_RELEASED));
    h.KeyDown(VK_SHIFT);
    h.Send(WM_INPUTLANGCHANGEREQUEST, VK_SHIFT);
    EXPECT_EQ(h.app.m_aInput[0].m_aiKey[VK_SHIFT], uint32_t(KEY_PRESSED | KEY_RELEASED));
    EXPECT_EQ(h.app.m_aInput[0].m_aiRepeat[VK_SHIFT], 0);
}

TEST(KeyInput, KeysReachEveryDeviceButtonsOnlyTheCurrentOne) {
    Harness h;
    h.app.m_nDevices = 2;
    h.app.m_iCurrentDevice = 1;
    h.KeyDown('Q');
    h.Send(WM_RBUTTONDOWN);
    h.Send(WM_MBUTTONDOWN);
    h.Send(WM_MBUTTONUP);
    EXPECT_EQ(h.app.m_aInput[0].m_aiKey['Q'], uint32_t(KEY_HELD | KEY_PRESSED));
    EXPECT_EQ(h.app.m_aInput[0].m_aiKey[MOUSE_RIGHT], 0u);
    EXPECT_EQ(h.app.m_aInput[1].m_aiKey[MOUSE_MIDDLE], uint32_t(KEY_PRESSED | KEY_RELEASED));
    h.app.ProcessInput();  // both records end their one-step bits
    EXPECT_EQ(h.app.m_aInput[1].m_aiKey['Q'], uint32_t(KEY_HELD));
    EXPECT_EQ(h.app.m_aInput[1].m_aiKey[MOUSE_RIGHT], uint32_t(KEY_HELD));
    EXPECT_EQ(h.app.m_aInput[1].m_aiKey[MOUSE_MIDDLE], 0u);
}

TEST(MouseInput, DoubleClickPressesWithoutHoldingAndTheUpReleases) {
    InputFixture f(MOUSE_LEFT);
    f.h.Send(WM_LBUTTONDOWN);
    f.h.Send(WM_LBUTTONUP);
    f.h.Send(WM_LBUTTONDBLCLK);
    f.h.Step();
    f.h.Send(WM_LBUTTONUP);
    f.h.Step();
    f.h.Step();
    EXPECT_EQ(f.page->seen, (std::vector<uint32_t>{KEY_PRESSED, KEY_RELEASED, 0}));
}

TEST(InputStep, PageGetsNothingInItsFirstTenFrames) {
    Harness h;
    WatchingPage* page = new WatchingPage(&h.pageLog, 'A');
    h.pages.emplace_back(page);
    h.Start();
    for (int frame = 1; frame <= 10; ++frame) {
        h.KeyDown('A');
        h.Step();
        ASSERT_EQ(h.app.m_nFrame, frame);
        ASSERT_EQ(h.app.m_aInput[0].m_aiKey['A'], uint32_t(KEY_HELD)) << "press cleared at frame " << frame;
    }
    EXPECT_TRUE(page->seen.empty());
    h.Step();
    EXPECT_EQ(page->seen, std::vector<uint32_t>{KEY_HELD});
    // While a switch is carried out the input step does nothing at all.
    h.KeyDown('B');
    h.app.m_iCurrentPage = -1;
    h.app.ProcessInput();
    EXPECT_EQ(h.app.m_aInput[0].m_aiKey['B'], uint32_t(KEY_HELD | KEY_PRESSED));
}

TEST(InputStep, ClickTakenByAButtonHidesCursorAndPressesFromThePage) {
    Harness h;
    WatchingPage* page = new WatchingPage(&h.pageLog, 'B');
    h.pages.emplace_back(page);
    h.Start();
    h.Steps(10);
    InputRecord& in = h.app.m_aInput[0];
    h.KeyDown('A');
    h.app.ProcessInput();  // 'A' now held without its press
    h.Click(300, 200);
    h.KeyDown('B');
    h.KeyDown('C');
    h.KeyUp('C');
    h.app.m_aPointer[0].m_iState = POINTER_CLICK_TAKEN;
    h.app.m_aPointer[1].m_iState = POINTER_CLICK_TAKEN;  // device 1 is not in use
    h.app.m_aInput[1].m_iCursorX = 5;
    h.app.m_nFrame = 11;
    h.app.ProcessInput();
    ASSERT_EQ(page->seen.size(), 1u);
    EXPECT_EQ(page->seen[0], uint32_t(KEY_HELD)) << "held key keeps only its held bit";
    EXPECT_EQ(page->last.m_iCursorX, CURSOR_OFF_SCREEN);
    EXPECT_EQ(page->last.m_iCursorY, CURSOR_OFF_SCREEN);
    EXPECT_EQ(page->last.m_aiKey[MOUSE_LEFT], uint32_t(KEY_HELD));
    EXPECT_EQ(page->last.m_aiKey['C'], 0u) << "entries not held are cleared";
    EXPECT_EQ(in.m_aiKey['A'], uint32_t(KEY_HELD));
    EXPECT_EQ(h.app.m_aInput[1].m_iCursorX, 5);
    EXPECT_EQ(h.app.m_aPointer[0].m_iState, POINTER_CLICK_TAKEN);
}

TEST(InputStep, EveryMessageFreesPointersThatHaveNotTakenAClick) {
    Harness h;
    h.app.m_aPointer[0].m_iState = POINTER_OVER_BUTTON;
    h.app.m_aPointer[1].m_iState = POINTER_CLICK_TAKEN;
    h.Send(WM_PAINT);
    EXPECT_EQ(h.app.m_aPointer[0].m_iState, POINTER_FREE);
    EXPECT_EQ(h.app.m_aPointer[1].m_iState, POINTER_CLICK_TAKEN);
    // A key code beyond the table is ignored.
    h.KeyDown(256);
    h.KeyUp(1000);
    for (const InputRecord& in : h.app.m_aInput)
        for (uint32_t w : in.m_aiKey) ASSERT_EQ(w, 0u);
    // With input off, messages record nothing and leave the pointers alone.
    h.app.m_aPointer[0].m_iState = POINTER_OVER_BUTTON;
    h.app.m_bInputEnabled = false;
    h.KeyDown('A');
    EXPECT_EQ(h.app.m_aInput[0].m_aiKey['A'], 0u);
    EXPECT_EQ(h.app.m_aPointer[0].m_iState, POINTER_OVER_BUTTON);
}

// ---- Cursor position ----

namespace {

struct CursorFixture {
    CursorFixture() : window(800, 600) {
        h.app.m_iWindowWidth = 800;
        h.app.m_iWindowHeight = 600;
        h.app.m_iScreenWidth = 880;
        h.app.m_iScreenHeight = 640;
    }
    std::pair<int, int> MoveTo(int x, int y) {
        window.cursorX = x;
        window.cursorY = y;
        // The message's own coordinates are not used.
        h.app.HandleWindowInput(WM_MOUSEMOVE, 0, &window);
        return {h.app.m_aInput[0].m_iCursorX, h.app.m_aInput[0].m_iCursorY};
    }
    Harness h;
    HeadlessWindow window;
};

}  // namespace

// Each row: the window at a size, the cursor at a client pixel, and the
// logical pixel the picture shows there (stretched across screens narrower
// than 4:3, between bars on wider ones).
TEST(Cursor, LandsOnTheLogicalPixelDrawnUnderIt) {
    const struct {
        const char* mode;
        bool fullscreen;
        int width, height, clientX, clientY, x, y;
    } kRows[] = {
        {"window", false, 800, 600, 401, 301, 441, 321},
        {"window wider than 4:3, left edge of the picture", false, 1280, 720, 161, 361, 0, 320},
        {"4:3", true, 1024, 768, 513, 385, 440, 320},
        {"16:9, middle", true, 1280, 720, 641, 361, 440, 320},
        {"5:4, left edge", true, 1280, 1024, 0, 0, 0, 0},
        {"5:4, an eighth in", true, 1280, 1024, 161, 513, 110, 320},
        {"5:4, middle", true, 1280, 1024, 645, 513, 443, 320},
        {"5:4, right edge", true, 1280, 1024, 1279, 1023, 879, 639},
        {"5:4, the menu's Back button", true, 1280, 1024, 95, 872, 65, 545},
        // Bars of 213.5 pixels: 216 - 213.5 truncates to 2, under a logical pixel.
        {"16:10 with odd bars", true, 2560, 1600, 216, 0, 0, 0},
    };
    for (const auto& r : kRows) {
        CursorFixture f;
        if (r.fullscreen)
            f.window.SetFullscreen(true, DisplayMode{uint32_t(r.width), uint32_t(r.height), 60, FMT_X8R8G8B8});
        else f.window.SetWindowRect(0, 0, r.width, r.height);
        EXPECT_EQ(f.MoveTo(r.clientX, r.clientY), std::make_pair(r.x, r.y)) << r.mode;
    }
}

// ---- Event hooks ----

namespace {

class HookApplication : public harness::TestApplication {
public:
    void OnActivate() override { calls.push_back("activate"); }
    void OnDeactivate() override { calls.push_back("deactivate"); }
    void OnClose() override { calls.push_back("close"); }
    void OnSystemSuspend() override { calls.push_back("suspend"); }
    void OnSystemResume() override { calls.push_back("resume"); }
    std::vector<std::string> calls;
};

}  // namespace

TEST(Hooks, WindowEventsReachTheHooksOnlyOnceInitialised) {
    host::HeadlessHost hostScope;
    HookApplication app;
    HeadlessWindow window(800, 600);
    auto sendAll = [&] {
        app.HandleWindowInput(WM_SETFOCUS, 0, &window);
        app.HandleWindowInput(WM_KILLFOCUS, 0, &window);
        app.HandleWindowInput(WM_CLOSE, 0, &window);
        app.HandleWindowInput(WM_POWERBROADCAST, 4, &window);
        app.HandleWindowInput(WM_POWERBROADCAST, 7, &window);
        app.HandleWindowInput(WM_POWERBROADCAST, 10, &window);
        app.HandleWindowInput(WM_ACTIVATEAPP, 0, &window);  // windowed: nothing
    };
    sendAll();
    EXPECT_TRUE(app.calls.empty());
    app.m_bInitialised = true;
    sendAll();
    EXPECT_EQ(app.calls, (std::vector<std::string>{"activate", "deactivate", "close", "suspend", "resume"}));
    // Losing the application in full screen deactivates even before initialisation.
    app.calls.clear();
    app.m_bInitialised = false;
    window.SetFullscreen(true, DisplayMode{1024, 768, 60, FMT_X8R8G8B8});
    app.HandleWindowInput(WM_ACTIVATEAPP, 1, &window);
    EXPECT_TRUE(app.calls.empty());
    app.HandleWindowInput(WM_ACTIVATEAPP, 0, &window);
    EXPECT_EQ(app.calls, (std::vector<std::string>{"deactivate"}));
}

// ---- The wheel: a real wheel message, its turn in the high word of wParam.

TEST(WheelInput, ForwardTurnPressesEntryThreeAndBackwardEntryFour) {
    const struct {
        const char* rule;
        int delta;  // signed high word, one notch = 120
        uint32_t forward, backward;
    } kCases[] = {
        {"one notch forward (away from the player)", 120, KEY_PRESSED, 0},
        {"one notch backward (towards the player)", -120, 0, KEY_PRESSED},
        {"the smallest forward turn", 1, KEY_PRESSED, 0},
        {"the smallest backward turn", -1, 0, KEY_PRESSED},
        {"three notches forward at once are one step", 360, KEY_PRESSED, 0},
    };
    for (const auto& c : kCases) {
        InputFixture f(MOUSE_WHEEL_FORWARD);
        // The low word holds the buttons held; it does not decide the direction.
        const uintptr_t wParam = (uintptr_t(uint16_t(int16_t(c.delta))) << 16) | 0x0008u;
        f.h.Send(WM_MOUSEWHEEL, wParam);
        f.h.Step();
        EXPECT_EQ(f.page->last.m_aiKey[MOUSE_WHEEL_FORWARD], c.forward) << c.rule;
        EXPECT_EQ(f.page->last.m_aiKey[MOUSE_WHEEL_BACKWARD], c.backward) << c.rule;
        EXPECT_EQ(f.page->last.m_aiRepeat[c.delta > 0 ? MOUSE_WHEEL_FORWARD : MOUSE_WHEEL_BACKWARD], 0) << c.rule;
        f.h.Step();
        EXPECT_EQ(f.page->last.m_aiKey[MOUSE_WHEEL_FORWARD] | f.page->last.m_aiKey[MOUSE_WHEEL_BACKWARD], 0u)
            << c.rule << ": the press lasts one step";
    }
}

}  // namespace engine_input_test



#include "tests/Harness.h"
#include "tests/OggClip.h"

namespace {

// A button at the centre of a page showing sub-screen 1, with a sound for
// each of its three moments, and input driven one frame at a time.
class ButtonBench {
public:
    ButtonBench() : page("menu", &log), button(1) {
        page.m_iSubScreen = 1;
        button.SetPosition(0, 0, 0);
        press = MakeSound();
        over = MakeSound();
        disabled = MakeSound();
        button.m_pPressSound = press.get();
        button.m_pOverSound = over.get();
        button.m_pDisabledSound = disabled.get();
        Faced(button);
        button.Render();  // drawn on the frame before the first
    }

    // A face for every status, as the pages give their buttons.
    void Faced(CVxButton& b) { CVxButton::SetStateTextures(&b, &face, &face, &face, &face); }

    std::unique_ptr<CVxSound> MakeSound() {
        auto s = std::make_unique<CVxSound>();
        auto wave = testclip::MakeWav(1, 22050, std::vector<int16_t>(20000, 4000));
        EXPECT_TRUE(s->DecodeAndCreate(wave.data(), uint32_t(wave.size()), false));
        return s;
    }

    InputRecord& In() { return w.app.m_aInput[0]; }
    void Cursor(int x, int y) {
        In().m_iCursorX = x;
        In().m_iCursorY = y;
    }
    void Down() { In().m_aiKey[MOUSE_LEFT] = KEY_HELD | KEY_PRESSED; }
    void Up() { In().m_aiKey[MOUSE_LEFT] = KEY_RELEASED; }
    // One frame: the input step for the buttons, the per-frame bits end,
    // then the buttons are drawn (all, or none when not drawn).
    void Step(std::initializer_list<CVxButton*> buttons, bool drawn = true) {
        ++w.app.m_nFrameSerial;
        for (CVxButton* b : buttons) b->ProcessInput();
        for (uint32_t& k : In().m_aiKey) {
            k &= ~KEY_PRESSED;
            if (k & KEY_RELEASED) k = 0;
        }
        if (drawn)
            for (CVxButton* b : buttons) b->Render();
    }
    void Step() { Step({&button}); }

    harness::World w;
    std::vector<std::string> log;
    harness::FakePage page;
    CVxBillboard face{nullptr, nullptr, nullptr};
    CVxButton button;
    std::unique_ptr<CVxSound> press, over, disabled;
};

TEST(Button, HoverPressAndClickInside) {
    ButtonBench t;
    t.Cursor(440, 320);
    t.Step();
    EXPECT_EQ(t.button.m_iStatus, BUTTON_OVER);
    EXPECT_TRUE(t.over->IsPlaying());
    EXPECT_EQ(t.w.app.m_aPointer[0].m_iState, POINTER_OVER_BUTTON);
    EXPECT_EQ(t.button.m_iOwnerDevice, 0);
    t.Down();
    t.Step();
    EXPECT_EQ(t.button.m_iStatus, BUTTON_PRESS);
    EXPECT_TRUE(t.press->IsPlaying());
    t.Step();
    t.Step();
    EXPECT_EQ(t.button.m_iPressFrames, 2);
    EXPECT_FALSE(t.button.TakeClick());  // nothing released yet
    t.Up();
    t.Step();
    EXPECT_EQ(t.button.m_iStatus, BUTTON_OVER);
    EXPECT_EQ(t.button.m_iClickCooldown, 10);
    EXPECT_FALSE(t.button.m_bClickTaken);
    EXPECT_EQ(t.In().m_aiKey[MOUSE_LEFT], 0u);
    EXPECT_TRUE(t.button.TakeClick());
    EXPECT_FALSE(t.button.TakeClick());
}

TEST(Button, PressInsideLeaveAndReleaseOutsideIsNoClick) {
    ButtonBench t;
    t.Cursor(440, 320);
    t.Down();
    t.Step();
    EXPECT_EQ(t.button.m_iStatus, BUTTON_PRESS);  // over and pressed in one step
    t.Cursor(100, 100);
    t.Step();
    EXPECT_EQ(t.button.m_iStatus, BUTTON_NORMAL);
    EXPECT_EQ(t.button.m_iOwnerDevice, -1);
    t.Up();
    t.Step();
    EXPECT_EQ(t.button.m_iStatus, BUTTON_NORMAL);
    EXPECT_FALSE(t.button.TakeClick());

    // Pressing outside, moving in and releasing inside is a click.
    t.Down();
    t.Step();
    t.Cursor(440, 320);
    t.Step();
    EXPECT_EQ(t.button.m_iStatus, BUTTON_PRESS);
    t.Up();
    t.Step();
    EXPECT_TRUE(t.button.TakeClick());
    EXPECT_EQ(t.button.m_iStatus, BUTTON_OVER);
}

TEST(Button, AReleaseAndAPressInOneInputStepIsAPressNotAClick) {
    ButtonBench t;
    t.Cursor(440, 320);
    t.Down();
    t.Step();
    ASSERT_EQ(t.button.m_iStatus, BUTTON_PRESS);
    t.In().m_aiKey[MOUSE_LEFT] = KEY_HELD;
    t.w.app.HandleWindowInput(host::WM_LBUTTONUP, 0, nullptr);
    t.w.app.HandleWindowInput(host::WM_LBUTTONDOWN, 0, nullptr);
    t.Step();
    EXPECT_EQ(t.button.m_iStatus, BUTTON_PRESS);
    EXPECT_FALSE(t.button.TakeClick());
    EXPECT_EQ(t.button.m_iClickCooldown, 0);
    // The release that follows is the click.
    t.Up();
    t.Step();
    EXPECT_TRUE(t.button.TakeClick());
}

TEST(Button, OverlappingButtonsOnlyTheFirstGetsTheRelease) {
    ButtonBench t;
    CVxButton second(1);
    t.Faced(second);
    second.SetPosition(20, 0, 0);
    second.Render();
    t.Cursor(450, 320);
    t.Down();
    t.Step({&t.button, &second});
    t.Up();
    t.Step({&t.button, &second});
    EXPECT_TRUE(t.button.TakeClick());
    EXPECT_FALSE(second.TakeClick());
}

TEST(Button, ButtonOfAnotherSubScreenNeitherReactsNorHits) {
    ButtonBench t;
    CVxButton other(2), everywhere(-1);
    t.Faced(other);
    t.Faced(everywhere);
    other.SetPosition(0, 0, 0);
    everywhere.SetPosition(0, 0, 0);
    other.Render();
    everywhere.Render();
    t.Cursor(440, 320);
    EXPECT_FALSE(other.HitTest());
    EXPECT_TRUE(everywhere.HitTest());
    t.Up();
    t.Step({&other, &everywhere});
    EXPECT_EQ(other.m_iStatus, BUTTON_NORMAL);
    EXPECT_FALSE(other.TakeClick());
    EXPECT_TRUE(everywhere.TakeClick());
    t.page.m_iSubScreen = 2;
    EXPECT_TRUE(other.HitTest());
    // Neither with the input switch off nor for a device claimed elsewhere.
    t.w.app.m_bInputEnabled = false;
    t.Step();
    EXPECT_EQ(t.button.m_iStatus, BUTTON_NORMAL);
    t.w.app.m_bInputEnabled = true;
    t.w.app.m_aPointer[0].m_iState = POINTER_CLICK_TAKEN;
    t.Up();
    t.Step();
    EXPECT_EQ(t.button.m_iStatus, BUTTON_NORMAL);
    EXPECT_FALSE(t.button.TakeClick());
}

TEST(Button, DisabledButtonPlaysItsSoundAndNeverClicks) {
    ButtonBench t;
    t.button.m_iStatus = BUTTON_DISABLE;
    t.Cursor(440, 320);
    t.Step();
    EXPECT_FALSE(t.over->IsPlaying());
    for (int i = 0; i < 2; ++i) {
        t.disabled->Stop();
        t.Down();
        t.Step();
        EXPECT_TRUE(t.disabled->IsPlaying()) << i;
        t.Up();
        t.Step();
        EXPECT_EQ(t.button.m_iStatus, BUTTON_DISABLE);
        EXPECT_FALSE(t.button.TakeClick());
    }
    EXPECT_FALSE(t.press->IsPlaying());
    t.Down();
    EXPECT_FALSE(t.button.TakePress());
    // An enabled button takes the press and uses it up.
    t.button.m_iStatus = BUTTON_NORMAL;
    EXPECT_TRUE(t.button.TakePress());
    EXPECT_EQ(t.In().m_aiKey[MOUSE_LEFT], uint32_t(KEY_HELD));
    EXPECT_FALSE(t.button.TakePress());
}

// A button takes the mouse on the frame after one it was drawn on; one left
// undrawn lets go of its press and of a click nobody took.
TEST(Button, TakesTheMouseOnlyTheFrameAfterItWasDrawn) {
    ButtonBench t;
    t.Cursor(440, 320);
    t.Down();
    t.Step();
    ASSERT_EQ(t.button.m_iStatus, BUTTON_PRESS);
    t.Step({&t.button}, false);  // the screen stops drawing it
    EXPECT_EQ(t.button.m_iStatus, BUTTON_PRESS);
    t.Up();
    t.Step();
    EXPECT_EQ(t.button.m_iStatus, BUTTON_NORMAL);
    EXPECT_FALSE(t.button.TakeClick());
    EXPECT_TRUE(t.button.HitTest()) << "drawn again in that frame";

    t.Down();
    t.Step();
    t.Up();
    t.Step({&t.button}, false);
    ++t.w.app.m_nFrameSerial;
    EXPECT_FALSE(t.button.HitTest());
    EXPECT_FALSE(t.button.TakeClick()) << "a click is dropped once its button is no longer drawn";
    t.button.Render();
    ++t.w.app.m_nFrameSerial;
    EXPECT_FALSE(t.button.TakeClick());

    // A disabled button stays disabled through a frame it was not drawn on.
    t.button.m_iStatus = BUTTON_DISABLE;
    t.Step({&t.button}, false);
    t.Step();
    EXPECT_EQ(t.button.m_iStatus, BUTTON_DISABLE);
    // Without a face its Render draws nothing: only its screen's mark shows it.
    CVxButton faceless(1);
    faceless.SetPosition(0, 0, 0);
    faceless.Render();
    EXPECT_FALSE(faceless.HitTest());
    faceless.MarkDrawn();
    EXPECT_TRUE(faceless.HitTest());
}

}  // namespace

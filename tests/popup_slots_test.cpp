// The pop-ups keep their still content in render-target slots on a
// recording device: drawn once per opening, shown from the slot every frame.

#include "game/Effect_RobotInfo.h"
#include "game/RobopediaParts.h"
#include "tests/Harness.h"

class PopupSlotTest : public SlotPopupTest {
protected:
    size_t DrawsInto(int slot) const {
        size_t n = 0;
        for (const host::DrawRecord& d : device.draws)
            if (d.target == g_apRenderSurface[slot]) ++n;
        return n;
    }
    std::vector<const host::DrawRecord*> DrawsOf(int slot) const {
        std::vector<const host::DrawRecord*> out;
        for (const host::DrawRecord& d : device.draws)
            if (d.state.texture == g_apRenderTexture[slot]) out.push_back(&d);
        return out;
    }
};

TEST_F(PopupSlotTest, TheMessageBoxDrawsItsPictureOncePerOpening) {
    for (int opening = 0; opening < 2; ++opening) {
        device.draws.clear();
        box->Clear(0);
        box->Add(opening == 0 ? 0 : 17);
        TickBox();
        EXPECT_GT(DrawsInto(MSGBOX_PICTURE_SLOT), 2u) << "panel, title and text go into the slot";
        EXPECT_TRUE(box->m_bPictureCached);
        device.draws.clear();
        TickBox(3);
        EXPECT_EQ(DrawsInto(MSGBOX_PICTURE_SLOT), 0u);
        EXPECT_EQ(DrawsOf(MSGBOX_PICTURE_SLOT).size(), 3u) << "shown from the slot each tick";
    }
    // Lost pictures are made again, and that tick shows nothing else.
    box->m_bPictureCached = false;
    device.draws.clear();
    TickBox();
    EXPECT_GT(DrawsInto(MSGBOX_PICTURE_SLOT), 0u);
    EXPECT_EQ(DrawsOf(MSGBOX_PICTURE_SLOT).size(), 0u);
}

TEST_F(PopupSlotTest, TheAchievementBoardKeepsItsPictureInSlotOne) {
    m_App->m_pEffectNewAchievement->Announce(0);
    Tick(m_App->m_pEffectNewAchievement);
    EXPECT_GT(DrawsInto(ACHIEVEMENT_PICTURE_SLOT), 2u);
    device.draws.clear();
    Tick(m_App->m_pEffectNewAchievement, 2);
    EXPECT_EQ(DrawsInto(ACHIEVEMENT_PICTURE_SLOT), 0u);
    EXPECT_EQ(DrawsOf(ACHIEVEMENT_PICTURE_SLOT).size(), 2u);
}

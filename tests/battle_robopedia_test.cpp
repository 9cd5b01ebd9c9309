// The encyclopedia opened from a battle: the fade into sub-screen 1, cards
// open or locked by the profile, the slide to the Machines by wheel or page
// arrow, the board for an open card and its flip to the next unit, and the
// back button's fade home, with the battle's stage clock standing still
// meanwhile.
#include "content/SaveProfile.h"
#include "engine/VxBillboard.h"
#include "engine/VxTexture.h"
#include "game/Effect_BlackScreen.h"
#include "game/Effect_RobotInfo.h"
#include "game/PopupDrawing.h"
#include "tests/HandInputSupport.h"
#include "tests/PackPicture.h"

namespace {

struct Visit {
    const char* name;
    int machines;  // to the Machine half first: 0 no, 1 by the wheel, 2 by a click on the page arrow's face
    int entry;     // robot or Machine index clicked
    bool known;    // unlocked or met in the profile, and the next one too
    bool boardOpens;
    bool tapped = false;  // the entry pressed and released within one frame
};

const Visit kVisits[] = {
    {"UnlockedRobotOpensBoard", 0, 3, true, true},
    {"LockedRobotStaysShut", 0, 12, false, false},
    {"MetMachineOpensBoard", 1, 5, true, true},
    {"UnmetMachineStaysShut", 2, 9, false, false},
    {"UnlockedRobotOpensBoardOnATap", 0, 3, true, true, true},
};

class RobopediaCase : public HandInputTest, public ::testing::WithParamInterface<Visit> {
protected:
    bool StepUntilSubScreen(int want, int limit = 90) {
        for (int n = 0; n < limit && Page().m_iSubScreen != want; ++n) run->Step();
        return Page().m_iSubScreen == want;
    }
    void Wheel(int key) {
        run->App().m_aInput[0].m_aiKey[key] = KEY_PRESSED;
        run->Step();
    }
};

}  // namespace

TEST_P(RobopediaCase, OpensPagesAndCloses) {
    const Visit v = GetParam();
    Begin(3, 1, 77, {0});
    ASSERT_TRUE(run->RunUntilState(BATTLE_PLAYING, 5000));
    SaveProfile& profile = g_CurrentProfile;
    for (int i = 0; i < ROBOT_TYPES; ++i) profile.m_abRobotUnlocked[i] = 0;
    for (int j = 0; j < PROFILE_ENEMY_TYPES; ++j) profile.m_aEnemySeen[j].met = 0;
    for (int k : {v.entry, v.entry + 1})
        if (v.known) (v.machines ? profile.m_aEnemySeen[k].met : profile.m_abRobotUnlocked[k]) = 1;

    // The battle's Robopedia button starts exactly this fade.
    CGameApplication& app = run->App();
    ASSERT_NE(app.m_pEffectBlackScreen, nullptr);
    app.m_pEffectBlackScreen->m_bSubScreenSwitch = true;
    app.m_pEffectBlackScreen->Add(0);
    ASSERT_TRUE(StepUntilSubScreen(1));
    const int timeLeft = Page().m_Battle.State().m_iTimeLeft;
    EXPECT_NE(Page().m_pRpBackground, nullptr);
    Frames(20);
    // The backdrop, frame and heading are drawn at their size, not as the
    // unit quad a billboard is before it is placed.
    for (const CVxBillboard* b : {Page().m_pRpBackground, Page().m_pRpFrame, Page().m_pRpHeader}) {
        ASSERT_NE(b, nullptr);
        EXPECT_FLOAT_EQ(b->m_matWorld.m[0][0], b->m_vSize.x * b->m_vScale.x) << b->m_pTexture->m_pszName;
        EXPECT_FLOAT_EQ(b->m_matWorld.m[1][1], b->m_vSize.y * b->m_vScale.y) << b->m_pTexture->m_pszName;
    }

    if (v.machines == 1) Wheel(MOUSE_WHEEL_BACKWARD);
    if (v.machines == 2) {
        // The page arrow shows the scroll icon at 0.8 of its size: a click on its word.
        const float shown = app.m_apBbdLight[3]->m_vSize.x * 0.8f;
        const ScreenPoint word = PointOnFace("Resource/Button/Btn_LightSwap.tga", 393.0f, 287.0f, shown, 0.92f);
        Click(word.x, word.y);
        Frames(1);  // the page takes the button's click a frame after its release
    }
    if (v.machines) {
        EXPECT_EQ(Page().m_iRpScrollDir, 1);
        Frames(60);
        EXPECT_EQ(Page().m_iRpScroll, 620);
        EXPECT_EQ(Page().m_iRpScrollDir, 0);
        EXPECT_EQ(Page().m_iRpHeading, 1);
        // At the far end the wheel the same way does nothing.
        Wheel(MOUSE_WHEEL_BACKWARD);
        EXPECT_EQ(Page().m_iRpScrollDir, 0);
    }
    CVxButton* card = (v.machines ? Page().m_apRpMachineButtons : Page().m_apRpRobotButtons)[v.entry];
    ASSERT_NE(card, nullptr);
    Move(card->m_vPosition.x, card->m_vPosition.y, 2);
    EXPECT_EQ(card->m_iStatus == BUTTON_DISABLE, !v.known);
    if (v.tapped) Key(MOUSE_LEFT);  // down and up within one frame, where the cursor stands
    else Click(card->m_vPosition.x, card->m_vPosition.y);
    Frames(5);
    const bool open = Page().m_pRobotInfo && Page().m_pRobotInfo->m_aInstances[0].life > 0;
    EXPECT_EQ(open, v.boardOpens);
    if (open) {
        // The board's title strip for the unit's side is that side's half of
        // the header sheet's last row: robots left, Machines right.
        const CVxBillboard* strip = Page().m_Robopedia.titleStrip[v.machines ? 1 : 0];
        ASSERT_NE(strip, nullptr);
        EXPECT_STREQ(strip->m_pTexture->m_pszName, "Bbd_Lg_MenuHeader.png");
        EXPECT_FLOAT_EQ(strip->m_fU0, v.machines ? 0.5f : 0.0f);
        EXPECT_FLOAT_EQ(strip->m_fU1 - strip->m_fU0, 0.5f);
        EXPECT_FLOAT_EQ(strip->m_fV0, 11.0f / 12.0f);
        EXPECT_FLOAT_EQ(strip->m_fV1, 1.0f);
        // The dimming behind it steps once a frame.
        const int age = app.m_pEffectBlackScreen->m_aInstances[0].age;
        Frames(4);
        EXPECT_EQ(app.m_pEffectBlackScreen->m_aInstances[0].age - age, 4);
        // At rest, the board's right arrow clicked where the player clicks
        // flips to the next known unit.
        Frames(26);
        // The entries and the page arrow under the open board take no mouse.
        const CVxButton* entry = (v.machines ? Page().m_apRpMachineButtons : Page().m_apRpRobotButtons)[v.entry + 1];
        for (const CVxButton* under : {entry, static_cast<const CVxButton*>(Page().m_pButtonAllScreens)}) {
            Move(under->m_vPosition.x, under->m_vPosition.y, 2);
            EXPECT_EQ(under->m_iStatus, BUTTON_NORMAL) << "under the board at " << under->m_vPosition.x;
        }
        const VxVec3 next = Page().m_Robopedia.nextButton->m_vPosition;
        Click(next.x, next.y);
        Frames(INFO_FLIP_FRAMES + 2);
        EXPECT_EQ(Page().m_pRobotInfo->m_aInstances[0].kind, (v.machines ? 1000 : 0) + v.entry + 1);
        // Its upper part, where the page arrow under the board would reach,
        // flips on round to the first known unit: the board's buttons alone take the mouse.
        Click(next.x, next.y + 20.0f);
        Frames(INFO_FLIP_FRAMES + 2);
        EXPECT_EQ(Page().m_pRobotInfo->m_aInstances[0].kind, (v.machines ? 1000 : 0) + v.entry);
        Key(VK_ENTER);  // closed as the player closes it, the dimming lifted
        Frames(INFO_SLIDE_START / INFO_SLIDE_STEP + 2);
        EXPECT_LE(Page().m_pRobotInfo->m_aInstances[0].life, 0);
    }
    Frames(2);

    EXPECT_EQ(Page().m_Battle.State().m_iTimeLeft, timeLeft);
    const VxVec3 back = Page().m_pRpBackButton->m_vPosition;
    Click(back.x, back.y);
    ASSERT_TRUE(StepUntilSubScreen(0));
    EXPECT_EQ(Page().m_pRpBackground, nullptr);
    EXPECT_EQ(Page().m_apRpMachineCards[0], nullptr);
    // The scroll stays where it was for the next opening.
    EXPECT_EQ(Page().m_iRpScroll, v.machines ? 620 : 0);
    // Back in the battle the clock runs again.
    Frames(30);
    EXPECT_LT(Page().m_Battle.State().m_iTimeLeft, timeLeft);
}

INSTANTIATE_TEST_SUITE_P(Visits, RobopediaCase, ::testing::ValuesIn(kVisits),
                         [](const auto& info) { return std::string(info.param.name); });

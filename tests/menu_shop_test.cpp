// The laboratory and the robot upgrades through the real menu page: rows
// tapped, boxes answered with their own buttons, and the save file read back
// after every step.
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "content/SaveProfile.h"
#include "engine/VxButton.h"
#include "engine/VxSaveData.h"
#include "tests/Harness.h"

namespace {

class MenuShopTest : public MenuPageTest {
protected:
    // Where the tap lands on row k of a shop list's first page.
    static float RowY(int k) { return 195.0f - 168.0f * float(k) + float(k % 4) * 34.0f - 38.0f; }

    void TapRow(int k) { TapAt(30.0f, RowY(k)); }
    // The box has come to rest; its OK button is tapped; it has gone.
    void Answer(bool ok) {
        CEffect_MsgBox& box = *m_App->m_pEffectMsgBox;
        for (int i = 0; i < 60 && box.SlideY() != 0.0f; ++i) Frame();
        CVxButton* b = ok ? box.m_pBtnOK : box.m_pBtnCancel;
        TapAt(b->m_vPosition.x, b->m_vPosition.y);
        for (int i = 0; i < 90 && box.IsOpen(); ++i) Frame();
        ASSERT_FALSE(box.IsOpen());
        ASSERT_TRUE(Settle());
    }
    std::vector<uint8_t> SaveBytes() const {
        std::ifstream in(CVxSaveData::SaveFilePath(), std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    SaveProfile Saved(int slot) const {
        SaveProfile p{};
        const std::vector<uint8_t> bytes = SaveBytes();
        if (bytes.size() == size_t(CVxSaveData::FILE_SIZE))
            std::memcpy(&p, bytes.data() + m_App->m_pSaveData->Offsets()[size_t(slot)], sizeof p);
        return p;
    }
    void Save() { ASSERT_EQ(m_App->m_pSaveData->Save(), 0); }
    // The stored slot equals the profile byte for byte.
    bool SavedAs(int slot, const SaveProfile& p) const {
        const SaveProfile saved = Saved(slot);
        return std::memcmp(&saved, &p, sizeof p) == 0;
    }
};

TEST_F(MenuShopTest, ALabItemIsBoughtOnlyThroughItsQuestionAndEachPurchaseIsSavedAtOnce) {
    struct Row {
        const char* what;
        int item, bought, offered, parts, cardSlots;
        int box;  // -1: the row takes no tap
        int boughtAfter, partsAfter;
    };
    const Row rows[] = {
        {"a life booster level", 1, 1, 2, 130, 5, MSGBOX_BUY_UPGRADE, 2, 30},
        {"parts short", 3, 0, 1, 99, 5, MSGBOX_NOT_ENOUGH_PARTS, 0, 99},
        {"parts exactly the price", 3, 0, 1, 100, 5, MSGBOX_BUY_UPGRADE, 1, 0},
        {"slots as many as robots", 0, 0, 1, 5000, 2, MSGBOX_CARD_SLOT_LIMIT, 0, 5000},
        {"a slot more than robots", 0, 0, 1, 5000, 3, MSGBOX_BUY_UPGRADE, 1, 4750},
        {"a robot card", 7, 0, 1, 400, 5, MSGBOX_BUY_UPGRADE, 1, 50},
        {"sold out", 3, 1, 1, 5000, 5, -1, 1, 5000},
    };
    Player("lab", 40);
    for (const Row& r : rows) {
        SaveProfile& p = g_CurrentProfile;
        for (LabItemRecord& item : p.m_aLabItem) item = LabItemRecord{0, 0};
        p.m_aLabItem[r.item] = LabItemRecord{r.bought, r.offered};
        p.m_iMetalParts = r.parts;
        p.m_nCardSlots = r.cardSlots;  // two robots are unlocked
        Save();
        const std::vector<uint8_t> before = SaveBytes();
        Enter(MENU_LABORATORY);
        ASSERT_TRUE(Settle()) << r.what;
        ASSERT_EQ(Menu().m_vecLabListed, std::vector<int>{r.item}) << r.what;
        TapRow(0);
        EXPECT_EQ(BoxKind(), r.box) << r.what;
        EXPECT_EQ(SaveBytes(), before) << r.what << ": nothing saved before the answer";
        if (r.box == MSGBOX_BUY_UPGRADE) {
            Answer(true);
            EXPECT_EQ(Saved(0).m_iMetalParts, r.partsAfter) << r.what;
            EXPECT_EQ(Saved(0).m_aLabItem[r.item].m_iBought, r.boughtAfter) << r.what;
            EXPECT_TRUE(SavedAs(0, g_CurrentProfile)) << r.what;
        } else if (r.box != -1) {
            Answer(true);
            EXPECT_EQ(SaveBytes(), before) << r.what;
        }
        EXPECT_EQ(p.m_iMetalParts, r.partsAfter) << r.what;
        EXPECT_EQ(p.m_aLabItem[r.item].m_iBought, r.boughtAfter) << r.what;
    }
    EXPECT_EQ(g_CurrentProfile.m_abRobotUnlocked[32], 1) << "the Recycler Bot card";
}

TEST_F(MenuShopTest, UpgradesAskForTheirRobotAndTheirPriceAndAreSavedOnce) {
    Player("upg", 58);
    SaveProfile& p = g_CurrentProfile;
    for (int r : {1, 2, 3}) p.m_aRobotUpgrade[r].m_iAvailable = 1;
    p.m_abRobotUnlocked[2] = 1;
    p.m_abRobotUnlocked[3] = 0;
    p.m_iMetalParts = 600;
    Save();
    Enter(MENU_UPGRADE);
    ASSERT_TRUE(Settle());
    ASSERT_EQ(Menu().m_vecUpgradeListed, (std::vector<int>{1, 2, 3}));

    TapRow(2);
    EXPECT_EQ(BoxKind(), MSGBOX_NO_PREREQUISITE) << "robot 3 is not unlocked";
    Answer(true);
    TapRow(0);
    ASSERT_EQ(BoxKind(), MSGBOX_BUY_UPGRADE);
    Answer(true);
    EXPECT_EQ(p.m_aRobotUpgrade[1].m_iLevel, 1);
    EXPECT_EQ(p.m_iMetalParts, 100);
    EXPECT_EQ(p.m_aiAchievementProgress[39], 1);
    EXPECT_TRUE(SavedAs(0, p));
    TapRow(1);
    EXPECT_EQ(BoxKind(), MSGBOX_NOT_ENOUGH_PARTS);
    Answer(true);
    TapRow(0);
    EXPECT_EQ(BoxKind(), -1) << "bought once";
    EXPECT_EQ(Menu().m_apUpgradeButton[1]->m_iStatus, BUTTON_DISABLE);
}

}  // namespace

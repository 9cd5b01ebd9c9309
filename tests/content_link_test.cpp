
#include "tests/Harness.h"
#include "content/UnitDefinition.h"
#include "content/WeaponDefinition.h"

TEST(ContentLink, DefaultLinkReadsTheApplicationPages) {
    SetContentLink(nullptr);
    {
        harness::TestApplication app;
        app.m_iCurrentPage = 1;
        EXPECT_FALSE(IsBattlePageCurrent(true));
        app.m_iCurrentPage = BATTLE_PAGE_INDEX;
        EXPECT_TRUE(IsBattlePageCurrent(false));
        // While the switch is carried out the page index is -1.
        app.m_iCurrentPage = -1;
        app.m_iNewPage = BATTLE_PAGE_INDEX;
        app.m_bSwitchPending = true;
        EXPECT_FALSE(IsBattlePageCurrent(false));
        EXPECT_TRUE(IsBattlePageCurrent(true));
        app.m_iNewPage = 2;
        EXPECT_FALSE(IsBattlePageCurrent(true));
        app.m_bSwitchPending = false;
        app.m_iNewPage = BATTLE_PAGE_INDEX;
        EXPECT_FALSE(IsBattlePageCurrent(true));
    }
    // With no application there is no battle page.
    EXPECT_FALSE(IsBattlePageCurrent(true));
    EXPECT_EQ(GetContentLink().CurrentStage(), 1);
    EXPECT_EQ(GetContentLink().BattleFieldCells(), nullptr);
}

TEST(ContentLink, InstalledLinkReplacesTheDefault) {
    CFixedContentLink link;
    link.m_iCurrentPage = BATTLE_PAGE_INDEX;
    link.m_iCurrentStage = 120;
    SetContentLink(&link);
    UnitDefinition u{};
    GetUnitDefinition(u, 1000);
    WeaponDefinition w{};
    GetWeaponDefinition(w, WeaponId::SmasherBlow);
    SetContentLink(nullptr);
    EXPECT_EQ(u.m_iMaxHp, 187);
    EXPECT_EQ(w.m_iDamage, 32);
    GetUnitDefinition(u, 1000);
    EXPECT_EQ(u.m_iMaxHp, 100);
}

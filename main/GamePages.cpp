#include "main/GamePages.h"

#include <new>

#include "battle/page/PageGame.h"
#include "frontend/PageLogo.h"
#include "frontend/PageMenu.h"
#include "frontend/PageStory.h"
#include "frontend/PageTest.h"
#include "main/TestPageTutorial.h"

GamePages MakeGamePages() {
    GamePages pages;
    pages.logo = new (std::nothrow) CPageLogo();
    CPageMenu* menu = new (std::nothrow) CPageMenu();
    pages.menu = menu;
    pages.menuLink = menu;
    pages.story = new (std::nothrow) CPageStory();
    CPageGame* battle = new (std::nothrow) CPageGame();
    pages.battle = battle;
    pages.battleLink = battle;
    pages.test = new (std::nothrow) CPageTest(MakeTestPageTutorial);
    return pages;
}

CPageGame* GameBattlePage(const CGameApplication* app) {
    return app ? dynamic_cast<CPageGame*>(app->m_pPageGame) : nullptr;
}

#pragma once
// The five pages the game application owns. They are made where the program
// is put together; the application knows the menu and battle pages only
// through their links.

class CVxPage;
class CMenuLink;
class CBattleLink;

struct GamePages {
    CVxPage* logo = nullptr;
    CVxPage* menu = nullptr;
    CVxPage* story = nullptr;
    CVxPage* battle = nullptr;
    CVxPage* test = nullptr;
    CMenuLink* menuLink = nullptr;      // the menu page, seen as its link
    CBattleLink* battleLink = nullptr;  // the battle page, seen as its link
};

// Builds the pages in page-table order; each registers itself with the
// running application as it is made. A page that could not be made is null.
using GamePageFactory = GamePages (*)();

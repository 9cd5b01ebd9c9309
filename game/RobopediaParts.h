#pragma once
// What a page's encyclopedia lends its information board: the title strips,
// the unit pictures, the flip and scroll buttons with their glows, the
// page's gesture state and (on the menu) the board-open flag.
#include <map>

class CVxBillboard;
class CVxButton;

struct RobopediaParts {
    CVxBillboard* titleStrip[2] = {};       // [0] robots, [1] Machines
    std::map<int, CVxBillboard*> pictures;  // by unit id
    CVxButton* prevButton = nullptr;
    CVxButton* nextButton = nullptr;
    CVxBillboard* prevGlow = nullptr;
    CVxBillboard* nextGlow = nullptr;
    CVxButton* scrollArrow[2] = {};  // [0] up, [1] down
    int gesture = 0;                 // 2 while the mouse button is held
    int boardOpen = 0;               // menu only: set while the board is open
};

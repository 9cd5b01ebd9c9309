#pragma once
// Page 4: a page for trying things out; adds nothing to the base.
#include "engine/VxPage.h"

class CPageTest : public CVxPage {
public:
    CPageTest() = default;
};

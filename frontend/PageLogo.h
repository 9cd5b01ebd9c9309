#pragma once
// Page 0: the splash pictures shown at start-up.
#include <vector>

#include "engine/VxPage.h"

class CVxBillboard;

class CPageLogo : public CVxPage {
public:
    CPageLogo() = default;

    std::vector<CVxBillboard*> m_lstSplash;  // owned by the page's manager
};

#pragma once
// Page 2: the story pages between episodes.
#include "engine/VxPage.h"

class CPageStory : public CVxPage {
public:
    CPageStory() = default;
};

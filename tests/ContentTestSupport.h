#pragma once
// Installs a game link for the duration of a content test.
#include <gtest/gtest.h>

#include "content/GameLink.h"

namespace content_test {

// Installs a fixed link while alive and restores the default afterwards.
class ScopedLink {
public:
    ScopedLink() { SetContentLink(&link); }
    ~ScopedLink() { SetContentLink(nullptr); }
    ScopedLink(const ScopedLink&) = delete;
    ScopedLink& operator=(const ScopedLink&) = delete;

    void Battle(int stage) {
        link.m_iCurrentPage = BATTLE_PAGE_INDEX;
        link.m_bSwitchPending = false;
        link.m_iCurrentStage = stage;
    }
    void SwitchingToBattle(int stage) {
        link.m_iCurrentPage = -1;
        link.m_bSwitchPending = true;
        link.m_iPendingPage = BATTLE_PAGE_INDEX;
        link.m_iCurrentStage = stage;
    }
    void Menu(int stage) {
        link.m_iCurrentPage = 1;
        link.m_bSwitchPending = false;
        link.m_iCurrentStage = stage;
    }

    CFixedContentLink link;
};

}  // namespace content_test

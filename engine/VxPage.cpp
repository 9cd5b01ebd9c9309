#include "engine/VxPage.h"

#include "engine/VxApplication.h"
#include "engine/VxButton.h"
#include "engine/VxResourceManager.h"

CVxPage::CVxPage() { RegisterPage(); }

CVxPage::~CVxPage() {
    UnregisterPage();
    delete m_pResourceManager;
    m_pResourceManager = nullptr;
}

static bool ValidSubScreen(int n) { return n >= 0 && n < NUM_SUBSCREENS; }

int CVxPage::Update() {
    if (ValidSubScreen(m_iSubScreen)) UpdateScreen(m_iSubScreen);
    return 0;
}

int CVxPage::Render() {
    if (ValidSubScreen(m_iSubScreen)) RenderScreen(m_iSubScreen);
    return 0;
}

int CVxPage::RenderOverlay() {
    if (ValidSubScreen(m_iSubScreen)) RenderScreenOverlay(m_iSubScreen);
    return 0;
}

bool CVxPage::ButtonIsShown(const CVxButton& b) const {
    return (b.m_iSubScreenTag == m_iSubScreen || b.m_iSubScreenTag == -1) && b.m_bVisible;
}

int CVxPage::HandleInput() {
    if (!g_pApp || !g_pApp->m_bInitialised) return 0;
    if (ValidSubScreen(m_iSubScreen)) HandleScreenInput(m_iSubScreen);
    if (m_bLoaded && m_nSubScreenDelay > 0) {
        --m_nSubScreenDelay;
        if (m_nSubScreenDelay < 5) m_iSubScreen = m_iNextSubScreen;
        return 0;
    }
    if (m_pResourceManager) {
        for (CVxButton* b : m_pResourceManager->m_lstButtons)
            if (b && ButtonIsShown(*b)) b->ProcessInput();
    }
    return 0;
}

void CVxPage::DropResourceManager() {
    m_pResourceManager = nullptr;
    m_iPrevSubScreen = -1;
}

int CVxPage::CreateResourceManager() {
    if (g_pApp && !m_pResourceManager) {
        m_pResourceManager = new CVxResourceManager();
        m_pResourceManager->m_iOwnerId = m_iIndex;
    }
    return m_pResourceManager ? 0 : 1;
}

int CVxPage::LoadSubScreens() {
    m_nSubScreenDelay = 0;
    for (int k = 0; k < NUM_SUBSCREENS; ++k) LoadScreen(k);
    m_bLoaded = true;
    return 0;
}

int CVxPage::ReleaseSubScreens() {
    for (int k = 0; k < NUM_SUBSCREENS; ++k) ReleaseScreen(k);
    delete m_pResourceManager;
    m_pResourceManager = nullptr;
    return 0;
}

void CVxPage::SetSubScreen(int n) {
    m_iPrevSubScreen = m_iSubScreen;
    m_iNextSubScreen = n;
    m_nSubScreenDelay = SUBSCREEN_INPUT_DELAY;
    if (!(g_pApp && g_pApp->m_bBlockSubScreenChanges)) m_iSubScreen = n;
    if (m_pResourceManager) {
        for (CVxButton* b : m_pResourceManager->m_lstButtons) {
            if (!b) continue;
            if ((b->m_iSubScreenTag == m_iSubScreen || b->m_iSubScreenTag == -1) && b->m_iStatus != BUTTON_DISABLE)
                b->m_iStatus = BUTTON_NORMAL;
        }
    }
}

int CVxPage::DrawObjects() {
    if (m_pResourceManager) {
        for (CVxButton* b : m_pResourceManager->m_lstButtons)
            if (b && ButtonIsShown(*b)) b->Render();
    }
    return 0;
}

CVxButton* CVxPage::AddButton(int subScreenTag) {
    if (!m_pResourceManager) return nullptr;
    CVxButton* b = new CVxButton(subScreenTag);
    b->m_iOwnerId = m_pResourceManager->m_iOwnerId;
    m_pResourceManager->m_lstButtons.push_back(b);
    return b;
}

void CVxPage::RegisterPage() {
    m_iSubScreen = 0;
    CVxApplication* app = g_pApp;
    // Without an application, or with a full table, the page stays unregistered.
    if (!app || app->m_nPages >= MAX_PAGES) {
        m_iIndex = -1;
        return;
    }
    if (app->m_nPages == 0)
        for (CVxPage*& p : app->m_apPages) p = nullptr;
    app->m_apPages[app->m_nPages] = this;
    m_iIndex = app->m_nPages;
    ++app->m_nPages;
}

void CVxPage::UnregisterPage() {
    CVxApplication* app = g_pApp;
    if (!app || m_iIndex < 0 || m_iIndex >= app->m_nPages || app->m_apPages[m_iIndex] != this) return;
    for (int i = m_iIndex; i + 1 < app->m_nPages; ++i) {
        app->m_apPages[i] = app->m_apPages[i + 1];
        if (app->m_apPages[i]) app->m_apPages[i]->m_iIndex = i;
    }
    --app->m_nPages;
    app->m_apPages[app->m_nPages] = nullptr;
    m_iIndex = -1;
}

#pragma once
// Base of every page: a full screen with its own resource manager and up to 20
// sub-screens, each with six handlers. The handlers take the sub-screen number;
// a page overrides them for the sub-screens it uses.
class CVxButton;
class CVxEffect;
class CVxResourceManager;

constexpr int NUM_SUBSCREENS = 20;
// Input steps after a sub-screen change during which buttons are left alone.
constexpr int SUBSCREEN_INPUT_DELAY = 10;

class CVxPage {
public:
    CVxPage();  // registers the page with the application
    virtual ~CVxPage();
    CVxPage(const CVxPage&) = delete;
    CVxPage& operator=(const CVxPage&) = delete;

    virtual int Load() { return 0; }
    virtual int Unload() { return 0; }
    virtual int Update();
    virtual int Render();
    virtual int RenderOverlay();
    virtual int HandleInput();
    // Forgets the manager without deleting it.
    virtual void DropResourceManager();
    // A board of the page's own open over its screen (CVxApplication::OpenBoard).
    virtual const CVxEffect* OpenBoard() const { return nullptr; }

    virtual void LoadScreen(int /*subScreen*/) {}
    virtual void ReleaseScreen(int /*subScreen*/) {}
    virtual int UpdateScreen(int /*subScreen*/) { return 0; }
    virtual int RenderScreen(int /*subScreen*/) { return 0; }
    virtual int RenderScreenOverlay(int /*subScreen*/) { return 0; }
    virtual int HandleScreenInput(int /*subScreen*/) { return 0; }

    // 0 when the page has a manager afterwards, 1 otherwise.
    int CreateResourceManager();
    int LoadSubScreens();
    int ReleaseSubScreens();
    void SetSubScreen(int n);
    int DrawObjects();
    // A new button owned by the page's manager, drawn and run by the page's
    // own pass (DrawObjects, HandleInput) until m_bVisible is cleared; null
    // when the page has none.
    CVxButton* AddButton(int subScreenTag);

    void RegisterPage();
    void UnregisterPage();

    int m_iIndex = -1;
    CVxResourceManager* m_pResourceManager = nullptr;
    bool m_bLoaded = false;
    int m_iSubScreen = 0;
    int m_iPrevSubScreen = -1;
    int m_iNextSubScreen = 0;
    int m_nSubScreenDelay = 0;

private:
    bool ButtonIsShown(const CVxButton& b) const;
};

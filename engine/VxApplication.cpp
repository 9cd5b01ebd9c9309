#include "engine/VxApplication.h"

#include "engine/VxPage.h"
#include "engine/VxResourceManager.h"
#include "engine/VxString.h"
#include "engine/VxXApplication.h"
#include "platform/FrameworkTimer.h"
#include "platform/host/Clock.h"
#include "platform/host/MessageBox.h"

CVxApplication* g_pApp = nullptr;

CVxApplication::CVxApplication() {
    FreeTempStrings();
    FreeTempWideStrings();
    g_pApp = this;
    for (PointerRecord& p : m_aPointer) p = PointerRecord();
    m_pResourceManager = new CVxResourceManager();
    m_pResourceManager->m_iOwnerId = OWNER_APPLICATION;
}

CVxApplication::~CVxApplication() {
    delete m_pResourceManager;
    m_pResourceManager = nullptr;
    FreeTempStrings();
    FreeTempWideStrings();
    if (g_pApp == this) g_pApp = nullptr;
}

CVxPage* CVxApplication::PageAt(int index) const {
    if (index < 0 || index >= m_nPages || index >= MAX_PAGES) return nullptr;
    return m_apPages[index];
}

CVxPage* CVxApplication::CurrentPage() const {
    if (m_bSwitchPending) return nullptr;
    return PageAt(m_iCurrentPage);
}

const CVxEffect* CVxApplication::OpenBoard() const {
    const CVxPage* page = CurrentPage();
    return page ? page->OpenBoard() : nullptr;
}

void CVxApplication::Frame() {
    if (!m_bInitialised) return;
    OnBeginFrame();
    OnBeginFrameLate();
    int current = m_iCurrentPage;
    if (current == -1) {
        OnFrameWithoutPage();
        OnAfterPageRender();
        OnEndFrame();
        return;
    }
    SetZTest(false);
    SetZWrite(false);
    CVxPage* page = PageAt(current);
    if (!page) {
        OnEndFrame();
        return;
    }
    page->Update();
    SetCamera2D(m_iScreenWidth, 0);
    page->Render();
    OnAfterPageRender();
    page->DrawObjects();
    page->RenderOverlay();
    DrawCursors();
    OnEndFrame();
}

void CVxApplication::SwitchPage(int index, int subScreen) {
    // Once the worker has the recorded switch, it is not to be changed under it.
    if (m_iCurrentPage == -1 || (m_bSwitchPending && g_bPageSwitchBusy)) return;
    if (index < 0 || index >= m_nPages) {
        host::ShowMessageBox("Array out of range", "SwitchPage() Error!!", host::MB_OK);
        return;
    }
    if (RefusesPage(index)) return;
    m_iOldPage = m_iCurrentPage;
    m_iNewPage = index;
    m_iNewSubScreen = subScreen;
    m_bPageReady = false;
    m_bSwitchPending = true;
}

void CVxApplication::DoSwitchPage() {
    if (!m_bSwitchPending) return;
    m_iCurrentPage = -1;
    CVxPage* newPage = PageAt(m_iNewPage);
    if (!newPage) {
        host::ShowMessageBox("Array out of range", "DoSwitchPage() Error!!", host::MB_OK);
        // Nothing valid to switch to: stay on the old page.
        m_iCurrentPage = PageAt(m_iOldPage) ? m_iOldPage : 0;
        m_bPageReady = true;
        m_bSwitchPending = false;
        return;
    }
    if (m_bResetPointersOnSwitch) {
        for (PointerRecord& p : m_aPointer)
            for (CVxObject*& c : p.m_apCursor) c = nullptr;
    }
    if (CVxPage* oldPage = PageAt(m_iOldPage)) {
        oldPage->Unload();
        oldPage->ReleaseSubScreens();
        oldPage->DropResourceManager();
    }
    m_nFrame = 0;
    if (newPage->CreateResourceManager() == 0) {
        newPage->Load();
        newPage->LoadSubScreens();
    }
    g_fFrameGateTime = 0.0f;
    m_bPageReady = true;
    newPage->SetSubScreen(m_iNewSubScreen);
    while (m_bHoldSwitch) host::Sleep(100);
    m_iCurrentPage = m_iNewPage;
    m_bSwitchPending = false;
}

void CVxApplication::SetCamera2D(int width, int height) {
    m_iScreenWidth = width;
    if (height == 0) height = int(width * 0.75);
    m_iScreenHeight = height;
    SetViewLookAt({0.0f, 0.0f, -241.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    m_camera.m_iProjection = PROJECTION_ORTHOGRAPHIC;
    m_camera.m_fLeft = -width * 0.5f;
    m_camera.m_fRight = width * 0.5f;
    m_camera.m_fTop = height * 0.5f;
    m_camera.m_fBottom = -height * 0.5f;
    m_camera.m_fNear = 1.0f;
    m_camera.m_fFar = 10000.0f;
    ApplyCamera();
}

void CVxApplication::SetViewLookAt(const VxVec3& eye, const VxVec3& at, const VxVec3& up) {
    m_camera.m_vEye = eye;
    m_camera.m_vAt = at;
    m_camera.m_vUp = up;
    m_camera.m_bViewSet = true;
}

void CVxApplication::DrawCursors() {
    if (!m_bInitialised || !CurrentPage() || !m_bInputEnabled) return;
    for (int d = 0; d < m_nDevices && d < MAX_INPUT_DEVICES; ++d) {
        const PointerRecord& p = m_aPointer[d];
        if (p.m_iState == POINTER_CLICK_TAKEN || p.m_iState < 0 || p.m_iState > 3) continue;
        CVxObject* cursor = p.m_apCursor[p.m_iState];
        if (!cursor) continue;
        const InputRecord& in = m_aInput[d];
        float x = float(in.m_iCursorX - int(m_iScreenWidth * 0.5)) + p.m_fOffsetX;
        float y = p.m_fOffsetY - float(in.m_iCursorY + int(m_iScreenHeight * -0.5));
        cursor->SetPosition(x, y, 0.0f);
        cursor->RenderSRT();
    }
}

void CVxApplication::DrawCursorCoordinates() {
    int x = m_aInput[0].m_iCursorX;
    int y = m_aInput[0].m_iCursorY;
    const char* text = StrCat4(StrCat("(", IntToText(x - int(m_iScreenWidth * 0.5), -1, false)), ",",
                               IntToText(int(m_iScreenHeight * 0.5) - y, -1, false), ")");
    DrawTextAt(text, x < 540 ? x + 10 : x - 70, y < 400 ? y + 20 : y - 20, 1.0f, 1.0f, 1.0f, 1.0f);
}

// A page's manager is skipped while a switch is pending: the worker may be
// deleting it.
static CVxResourceManager* PageManager(const CVxApplication& app) {
    CVxPage* page = app.CurrentPage();
    return page ? page->m_pResourceManager : nullptr;
}

void CVxApplication::PauseAllSounds() {
    if (m_pResourceManager) m_pResourceManager->PauseSounds();
    if (CVxResourceManager* rm = PageManager(*this)) rm->PauseSounds();
}

void CVxApplication::ResumeAllSounds() {
    if (m_pResourceManager) m_pResourceManager->ResumeSounds();
    if (CVxResourceManager* rm = PageManager(*this)) rm->ResumeSounds();
}

void CVxApplication::MuteAllSounds() {
    m_bMuted = true;
    g_iMasterVolume = -10000;
    if (m_pResourceManager) m_pResourceManager->RefreshSoundVolumes();
    if (CVxResourceManager* rm = PageManager(*this)) rm->RefreshSoundVolumes();
}

void CVxApplication::UnmuteAllSounds() {
    m_bMuted = false;
    g_iMasterVolume = 0;
    if (m_pResourceManager) m_pResourceManager->RefreshSoundVolumes();
    if (CVxResourceManager* rm = PageManager(*this)) rm->RefreshSoundVolumes();
}

void CVxApplication::RefreshSoundVolumes() {
    if (CVxResourceManager* rm = PageManager(*this)) rm->RefreshSoundVolumes();
    if (m_pResourceManager) m_pResourceManager->RefreshSoundVolumes();
}

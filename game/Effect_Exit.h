#pragma once
// The box that asks whether the player wants to leave the game. OK or Enter
// saves and asks the window to close; Cancel or Escape closes the box.
#include <cstdint>

#include "engine/VxEffect.h"

class CVxButton;

constexpr int VK_RETURN_KEY = 13;
constexpr int VK_ESCAPE_KEY = 27;
// The render-target slot the box keeps its picture in.
constexpr int EXIT_BOX_SLOT = 4;

class CEffect_Exit : public CVxEffect {
public:
    CEffect_Exit();

    void OnStart(int index) override;
    void OnFrame(int index) override;
    // Every frame from the pages' input handlers; nothing while closed.
    void HandleClick();

    bool IsOpen() const { return m_aInstances[0].life > 0; }

    CVxButton* m_pButtonOk = nullptr;  // owned by the effect's own manager
    CVxButton* m_pButtonCancel = nullptr;
    bool m_bOwnsStill = false;
    bool m_bPictureReady = false;
    // Set by the window's close button; the current page opens the box when it may.
    uint8_t m_bRequested = 0;

    // Opens the box for a pending request (the request is used up).
    void OpenOnRequest();

private:
    void DrawPanel(bool onBattle);
    void Confirm();
    void Cancel();
};

// The application's other pop-ups leave room for the box: no page-switch
// fade, the message box closed or resting, and the achievement board idle or
// resting with nothing queued behind it.
bool PopupsLetExitBoxOpen();

// The box's body text on the battle page and elsewhere.
const char* ExitBoxBody(bool onBattlePage);

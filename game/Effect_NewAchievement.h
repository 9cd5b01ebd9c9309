#pragma once
// The board that announces a completed achievement: picture, name and
// condition, an OK button and a jingle. One board shows at a time; the
// achievements completed meanwhile wait in a queue and follow in order.
#include <list>
#include <string>

#include "content/GameLink.h"
#include "engine/VxEffect.h"
#include "engine/VxMatrix.h"

class CVxBillboard;
class CVxButton;

constexpr int ACHIEVEMENT_SLIDE_START = 675;
constexpr int ACHIEVEMENT_SLIDE_STEP = 25;
constexpr int ACHIEVEMENT_REST_Y = 40;
// Render-target slot that keeps the board's still part.
constexpr int ACHIEVEMENT_PICTURE_SLOT = 1;

class CEffect_NewAchievement : public CVxEffect, public CAchievementNotice {
public:
    CEffect_NewAchievement();
    ~CEffect_NewAchievement() override;

    // Loads the achievement's picture (the previous one goes).
    void OnStart(int index) override;
    void OnFrame(int index) override { Draw(index); }
    void Draw(int index);
    // Once a frame from the input of the pages that show the board.
    void HandleClick();
    // Drops the board on show and the whole queue at once.
    void ResetBoard();

    // Announcing: shown at once when the board is free, else queued.
    void Announce(int index);
    bool IsRecordAlive() const override { return m_aInstances[0].life > 0; }
    void AppendPending(int index) override { m_lstPending.push_back(index); }
    void StartRecord(int index) override { Start(0, index); }

    CVxBillboard* m_pPicture = nullptr;  // owned
    CVxButton* m_pBtnOK = nullptr;
    int m_bClosing = 0;
    VxVec3 m_vSlideOffset;
    bool m_bShowing = false;
    std::list<int> m_lstPending;
    bool m_bPictureCached = false;

private:
    void DrawStatic(float y);
};

// "Bbd_Achv_" + the index plus one in two digits + ".png".
std::string AchievementPictureName(int index);

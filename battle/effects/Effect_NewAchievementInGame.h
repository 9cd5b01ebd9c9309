#pragma once
// The small notice at the top right of the battle of an achievement reached
// during play: three seconds each, later ones waiting in order. Record 0's
// kind is the achievement index.
#include <deque>

#include "content/GameLink.h"
#include "engine/VxEffect.h"

class CVxBillboard;

constexpr int NOTICE_FRAMES = 180;

class CEffect_NewAchievementInGame : public CVxEffect, public CAchievementNotice {
public:
    CEffect_NewAchievementInGame();
    ~CEffect_NewAchievementInGame() override;
    void OnStart(int index) override;
    void OnFrame(int index) override;

    bool IsRecordAlive() const override { return m_aInstances[0].life > 0; }
    void AppendPending(int index) override { m_lstPending.push_back(index); }
    void StartRecord(int index) override { Start(0, index); }

    std::deque<int> m_lstPending;
    CVxBillboard* m_pBoard = nullptr;
    CVxBillboard* m_pPicture = nullptr;

private:
    void DropPictures();
};

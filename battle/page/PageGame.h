#pragma once
// Page 3: the battle.
#include "content/FieldGrid.h"
#include "content/StageDefinition.h"
#include <list>
#include <map>

#include "engine/VxPage.h"
#include "game/BattleLink.h"
#include "game/RobopediaParts.h"
#include "game/RobotArt.h"

class CVxBillboard;
class CVxButton;
class CVxEffect;
class CVxSound;
class CEffect_Summary;
class CEffect_NewEnemy;
class CEffect_NewRobot;
class CEffect_RobotInfo;
class CGameApplication;

// A Machine to introduce before the first wave.
struct NewEnemyEntry {
    CVxBillboard* picture = nullptr;       // owned by the page's manager
    CVxBillboard* extraPicture = nullptr;  // Gyrotor or upgrade picture, or none
    int typeId = 0;
    int variant = 0;  // 0 plain, else the variant kind
};

constexpr int HAND_SLOTS = 17;
constexpr int STAGE_ENEMY_RECORDS = 8;

class CPageGame : public CVxPage, public CBattleLink {
public:
    CPageGame();

    // Runs on the stage loader: builds the battle hand and has its art loaded.
    void BuildHand() override {}
    // Lowers the battle's effects when many play at once.
    void AttenuateSounds() override {}
    // Encyclopedia art in and out around the black point of a sub-screen fade.
    void LoadRobopediaArt() {}
    void RefillCardRecords() {}
    void FreeRobopediaArt() {}
    void ChangeSubScreenAtBlack() override;
    // The window lost its contents: boards that keep their picture in a
    // render target draw it again.
    void ForgetCachedPictures() override;

    // Starts the stage loader once the card choice is confirmed.
    void StartBackgroundLoader() override;

    // What the application's boards and caches read of the battle.
    int BattleState() const override { return m_iBattleState; }
    void DropCarriedCard() override { m_iCarriedCard = -1; }
    const StageDefinition& Stage() const override { return m_StageDefinition; }
    const FieldCell* FieldCells() const override { return m_aFieldCells; }
    void SetFieldGroundRow(int row) override { m_iFieldGroundRow = row; }
    RobotArt* HandArt(int slot) override { return &m_aHandArt[slot]; }
    RobotArt* EnemyArt(int record) override { return &m_aEnemyArt[record]; }
    CVxEffect* HowToPlayEffect() const override { return m_pEffectHowToPlay; }
    CVxEffect* HowToMiniGameEffect() const override { return m_pEffectHowToMiniGame; }
    CVxEffect* CardFullEffect() const override { return m_pEffectCardFull; }
    CVxSound* Music() const override { return m_pMusic; }
    CVxBillboard* Capsule() const override { return m_pBbdCapsule; }
    RobopediaParts* Robopedia() override { return &m_Robopedia; }
    bool HasSummary() const override { return m_pEffectSummary != nullptr; }
    bool IsSummaryWonAwaitingChoice() const override;
    int SummarySwitchCode() const override;
    int SummaryChosenStage() const override;

    int m_iBattleState = 0;
    int m_iCardChoiceStep = 0;
    int m_iCarriedCard = -1;
    int m_iFieldGroundRow = 4;
    StageDefinition m_StageDefinition{};
    FieldCell m_aFieldCells[FIELD_CELLS]{};

    // Borrowed art, filled from the application's caches.
    RobotArt m_aHandArt[HAND_SLOTS]{};
    RobotArt m_aEnemyArt[STAGE_ENEMY_RECORDS]{};

    CVxSound* m_pMusic = nullptr;               // owned by the page's manager
    CVxButton* m_pButtonAllScreens = nullptr;   // the button made at load with tag -1
    CVxEffect* m_pEffectHowToPlay = nullptr;
    CVxEffect* m_pEffectHowToMiniGame = nullptr;
    CVxEffect* m_pEffectCardFull = nullptr;
    CEffect_Summary* m_pEffectSummary = nullptr;
    CVxBillboard* m_pBbdCapsule = nullptr;

    // Discovery boards.
    CVxButton* m_pBtnOK = nullptr;
    CEffect_NewEnemy* m_pEffectNewEnemy = nullptr;
    CEffect_NewRobot* m_pEffectNewRobot = nullptr;
    std::list<NewEnemyEntry> m_lstNewEnemies;
    std::list<NewEnemyEntry>::iterator m_itNewEnemy = m_lstNewEnemies.end();
    std::map<int, CVxBillboard*> m_mapNewRobots;
    std::map<int, CVxBillboard*>::iterator m_itNewRobot = m_mapNewRobots.end();

    // The in-battle encyclopedia and its information board.
    RobopediaParts m_Robopedia;
    CEffect_RobotInfo* m_pRobotInfo = nullptr;
};

// The application's battle page, or null (no application, or no battle page).
CPageGame* BattlePageOf(const CGameApplication* app);

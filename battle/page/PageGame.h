#pragma once
// Page 3: the battle.
#include "content/FieldGrid.h"
#include "content/StageDefinition.h"
#include <list>
#include <map>

#include "engine/VxPage.h"
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

// Set while the battle is being left; the page's sound handling stands still.
extern bool g_bLeavingBattle;

// A Machine to introduce before the first wave.
struct NewEnemyEntry {
    CVxBillboard* picture = nullptr;       // owned by the page's manager
    CVxBillboard* extraPicture = nullptr;  // Gyrotor or upgrade picture, or none
    int typeId = 0;
    int variant = 0;  // 0 plain, else the variant kind
};

// Battle states the application reacts to.
enum BattleState : int {
    BATTLE_NEW_ENEMIES = 2,
    BATTLE_BEGIN = 6,
    BATTLE_PLAYING = 7,
};

constexpr int HAND_SLOTS = 17;
constexpr int STAGE_ENEMY_RECORDS = 8;

class CPageGame : public CVxPage {
public:
    CPageGame();

    // Runs on the stage loader: builds the battle hand and has its art loaded.
    void BuildHand() {}
    // Lowers the battle's effects when many play at once.
    void AttenuateSounds() {}
    // Encyclopedia art in and out around the black point of a sub-screen fade.
    void LoadRobopediaArt() {}
    void RefillCardRecords() {}
    void FreeRobopediaArt() {}
    // The window lost its contents: boards that keep their picture in a
    // render target draw it again.
    void ForgetCachedPictures();

    // Starts the stage loader once the card choice is confirmed.
    void StartBackgroundLoader();

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

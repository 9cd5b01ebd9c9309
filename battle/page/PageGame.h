#pragma once
// Page 3: the battle.
#include "content/FieldGrid.h"
#include "content/StageDefinition.h"
#include "engine/VxPage.h"
#include "game/RobotArt.h"

class CVxButton;
class CVxEffect;
class CVxSound;
class CEffect_Summary;

// Battle states the application reacts to.
enum BattleState : int {
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
    void ForgetCachedPictures() {}

    int m_iBattleState = 0;
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
};

#pragma once
// What the content lookups read of the running game: which page is up, whether
// a switch to another page is under way, the stage in play, the battle page's
// working records, and the achievement notices that announce progress. The game application installs its link at start-up;
// until then the lookups read the pages of the application object (g_pApp) and
// see stage 1 and no battle page.
//
// The link is read from the page-switch and stage-loader threads as well as the
// main thread, so implementations read their own (atomic) fields on each call.

#include "engine/PageIndices.h"

struct StageDefinition;
struct FieldCell;

// One achievement notice (the application's board, or the battle's in-game
// notice). Record 0 is the notice on show; later ones wait in a pending list.
class CAchievementNotice {
public:
    virtual ~CAchievementNotice() = default;
    virtual bool IsRecordAlive() const = 0;     // record 0 has life above 0
    virtual void AppendPending(int index) = 0;  // queue behind the one on show
    virtual void StartRecord(int index) = 0;    // record 0 starts with kind index
};

class CContentLink {
public:
    virtual ~CContentLink() = default;

    // The application's current page index, -1 while a switch is carried out.
    virtual int CurrentPage() const = 0;
    // True while a switch has been requested and not yet finished.
    virtual bool IsSwitchPending() const = 0;
    // Target page of the pending switch.
    virtual int PendingPage() const = 0;
    // The game application's current stage id (1 to 180).
    virtual int CurrentStage() const = 0;

    // The battle page's working stage record and field grid (50 cells), or null
    // while there is no battle page.
    virtual const StageDefinition* BattleStageDefinition() const = 0;
    virtual const FieldCell* BattleFieldCells() const = 0;
    // Stores the row of the background's ground line on the battle page.
    virtual void SetFieldGroundRow(int row) = 0;

    // The current sub-screen of the current page.
    virtual int CurrentSubScreen() const = 0;
    // The battle page's state (7 while playing); meaningful on the battle page.
    virtual int BattleState() const = 0;
    // The application's new-achievement board, or null before it exists.
    virtual CAchievementNotice* AchievementBoard() = 0;
    // The battle page's in-game achievement notice, or null without a battle page.
    virtual CAchievementNotice* InGameAchievementNotice() = 0;
};

// Installs a link (null restores the default one). Not owned.
void SetContentLink(CContentLink* link);
CContentLink& GetContentLink();

// The battle page is current. With countPendingSwitch a switch that is under way
// towards the battle page counts as well.
bool IsBattlePageCurrent(bool countPendingSwitch);

// A link whose answers are plain fields; tests and tools set them directly.
class CFixedContentLink : public CContentLink {
public:
    int CurrentPage() const override { return m_iCurrentPage; }
    bool IsSwitchPending() const override { return m_bSwitchPending; }
    int PendingPage() const override { return m_iPendingPage; }
    int CurrentStage() const override { return m_iCurrentStage; }
    const StageDefinition* BattleStageDefinition() const override { return m_pStage; }
    const FieldCell* BattleFieldCells() const override { return m_pCells; }
    void SetFieldGroundRow(int row) override { m_iFieldGroundRow = row; }
    int CurrentSubScreen() const override { return m_iSubScreen; }
    int BattleState() const override { return m_iBattleState; }
    CAchievementNotice* AchievementBoard() override { return m_pBoard; }
    CAchievementNotice* InGameAchievementNotice() override { return m_pInGame; }

    int m_iCurrentPage = 0;
    bool m_bSwitchPending = false;
    int m_iPendingPage = 0;
    int m_iCurrentStage = 1;
    const StageDefinition* m_pStage = nullptr;
    const FieldCell* m_pCells = nullptr;
    int m_iFieldGroundRow = 4;
    int m_iSubScreen = 0;
    int m_iBattleState = 0;
    CAchievementNotice* m_pBoard = nullptr;
    CAchievementNotice* m_pInGame = nullptr;
};

#pragma once
// What the content lookups read of the running game: which page is up, whether
// a switch to another page is under way, the stage in play, and the battle
// page's working records. The game application installs its link at start-up;
// until then the lookups read the pages of the application object (g_pApp) and
// see stage 1 and no battle page.
//
// The link is read from the page-switch and stage-loader threads as well as the
// main thread, so implementations read their own (atomic) fields on each call.

struct StageDefinition;
struct FieldCell;

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
};

// Installs a link (null restores the default one). Not owned.
void SetContentLink(CContentLink* link);
CContentLink& GetContentLink();

// The battle page's index in the page table.
constexpr int BATTLE_PAGE_INDEX = 3;

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

    int m_iCurrentPage = 0;
    bool m_bSwitchPending = false;
    int m_iPendingPage = 0;
    int m_iCurrentStage = 1;
    const StageDefinition* m_pStage = nullptr;
    const FieldCell* m_pCells = nullptr;
    int m_iFieldGroundRow = 4;
};

#pragma once
// What the application and its effects ask of the battle page (page 3): its
// state, the boards and pictures they show over it, and the end-of-stage
// board's choice. The battle page implements it.

struct FieldCell;
struct RobopediaParts;
struct StageDefinition;
class CAchievementNotice;
class CVxBillboard;
class CVxEffect;
class CVxSound;

// Set while the battle is being left; the page's sound handling stands still.
extern bool g_bLeavingBattle;

// The thirteen states a battle goes through, from the opening fade to the
// result board.
enum BattleState : int {
    BATTLE_OPENING = 0,
    BATTLE_INTRO = 1,
    BATTLE_NEW_ENEMIES = 2,
    BATTLE_DECK_CHECK = 3,
    BATTLE_CARD_SELECT = 4,
    BATTLE_LOADING = 5,
    BATTLE_BEGIN = 6,
    BATTLE_PLAYING = 7,
    BATTLE_REWARD = 8,
    BATTLE_RESULT = 9,
    BATTLE_UNLOCKS = 10,
    BATTLE_ACHIEVEMENT = 11,
    BATTLE_SUMMARY = 12,
};

class CBattleLink {
public:
    virtual ~CBattleLink() = default;

    virtual int BattleState() const = 0;
    // Runs on the stage loader: builds the battle hand and has its art loaded.
    virtual void BuildHand() = 0;
    // Lowers the battle's effects when many play at once.
    virtual void AttenuateSounds() = 0;
    // The window lost its contents: boards that keep their picture in a
    // render target draw it again.
    virtual void ForgetCachedPictures() = 0;
    // Starts the stage loader once the card choice is confirmed.
    virtual void StartBackgroundLoader() = 0;
    // The screen is black halfway through a fade: the page goes between the
    // battle field and its encyclopedia.
    virtual void ChangeSubScreenAtBlack() = 0;
    // The card carried under the cursor is let go.
    virtual void DropCarriedCard() = 0;

    // The working stage record and the 50 field cells.
    virtual const StageDefinition& Stage() const = 0;
    virtual const FieldCell* FieldCells() const = 0;
    // Row of the background's ground line.
    virtual void SetFieldGroundRow(int row) = 0;

    // Boards and pictures shown over the battle; null while not loaded.
    virtual CVxEffect* HowToPlayEffect() const = 0;
    virtual CVxEffect* HowToMiniGameEffect() const = 0;
    virtual CVxEffect* CardFullEffect() const = 0;
    virtual CVxSound* Music() const = 0;
    virtual CVxBillboard* Capsule() const = 0;
    virtual RobopediaParts* Robopedia() = 0;

    // The end-of-stage board exists (it is made with the battle's resources).
    virtual bool HasSummary() const = 0;
    // The board is open with a won result and no choice made yet.
    virtual bool IsSummaryWonAwaitingChoice() const = 0;
    // The page-switch code of the move the board holds, and the stage its
    // choice leads to; both 0 without a board.
    virtual int SummarySwitchCode() const = 0;
    virtual int SummaryChosenStage() const = 0;
    // The small notice of achievements reached during play, or null.
    virtual CAchievementNotice* InGameNotice() = 0;
};

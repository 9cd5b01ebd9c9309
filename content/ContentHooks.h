#pragma once
// What the unlock, achievement and text lookups need of the interface beyond
// the game link: the sub-screen on show, the battle's state, and the two
// achievement notices. The game application installs its hooks once the pages
// and the shared effects exist; until then there are no notices, sub-screen 0
// and battle state 0.

// One achievement notice (the application's board, or the battle's in-game
// notice). Record 0 is the notice on show; later ones wait in a pending list.
class CAchievementNotice {
public:
    virtual ~CAchievementNotice() = default;
    virtual bool IsRecordAlive() const = 0;     // record 0 has life above 0
    virtual void AppendPending(int index) = 0;  // queue behind the one on show
    virtual void StartRecord(int index) = 0;    // record 0 starts with kind index
};

class CContentHooks {
public:
    virtual ~CContentHooks() = default;
    // The current sub-screen of the application's current page.
    virtual int CurrentSubScreen() const = 0;
    // The battle page's state (7 while playing); meaningful on the battle page.
    virtual int BattleState() const = 0;
    // The application's new-achievement board, or null before it exists.
    virtual CAchievementNotice* AchievementBoard() = 0;
    // The battle page's in-game achievement notice, or null without a battle page.
    virtual CAchievementNotice* InGameAchievementNotice() = 0;
};

// Installs hooks (null restores the default ones). Not owned.
void SetContentHooks(CContentHooks* hooks);
CContentHooks& GetContentHooks();

// Hooks whose answers are plain fields; tests set them directly.
class CFixedContentHooks : public CContentHooks {
public:
    int CurrentSubScreen() const override { return m_iSubScreen; }
    int BattleState() const override { return m_iBattleState; }
    CAchievementNotice* AchievementBoard() override { return m_pBoard; }
    CAchievementNotice* InGameAchievementNotice() override { return m_pInGame; }

    int m_iSubScreen = 0;
    int m_iBattleState = 0;
    CAchievementNotice* m_pBoard = nullptr;
    CAchievementNotice* m_pInGame = nullptr;
};

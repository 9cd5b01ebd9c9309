#pragma once
// What a battle is played under, handed to the model by whoever hosts it (the
// battle page, the stage runner, a test) as the battle is set up: the stage,
// the difficulty, the player's profile the rules read and pay into, and the
// frame clock they keep time by.
struct SaveProfile;

// The frame clock of the battle's host. It runs on while the battle stands
// still (a board, the pause, a page's fade), so the host advances it, not the
// battle.
class BattleClock {
public:
    virtual ~BattleClock() = default;
    virtual int Now() const = 0;
    // A still picture (a board, the pause) stands over the battle, or is
    // about to be taken of it: the field's scroll and 151's round timer wait.
    virtual bool StillShown() const { return false; }
    virtual bool StillTaken() const { return false; }
};

// A clock advanced by hand, a frame at a time (a host without an application
// of its own, a test).
class FrameCounter final : public BattleClock {
public:
    int Now() const override { return m_iFrame; }
    bool StillShown() const override { return m_bStill; }
    void Set(int frame) { m_iFrame = frame; }
    void Advance() { ++m_iFrame; }
    void ShowStill(bool shown) { m_bStill = shown; }

private:
    int m_iFrame = 0;
    bool m_bStill = false;
};

struct BattleContext {
    int stage = 1;
    int difficulty = 0;
    // Null: the model's own blank profile (a battle nobody plays for).
    SaveProfile* profile = nullptr;
    // Null: the clock stands at 0.
    const BattleClock* clock = nullptr;
};

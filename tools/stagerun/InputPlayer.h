#pragma once
// A simple player that plays a stage by input alone, as a person at the mouse
// would: it chooses an energy robot and fighters, presses Start, collects
// energy, keeps energy robots at the back and sends each ready fighter to the
// row whose Machines outnumber its shooters, a guard in front of them. Every
// press, release and move it makes goes through the input record and is kept
// as a timed script, so the stage runner can play the same stage again from
// the script alone.
#include <vector>

#include "tools/stagerun/StageRun.h"

// The options the player's stages start from: a script of its own keeps the
// card choice open for the player.
StageRunOptions InputPlayerOptions(int stage);

class InputPlayer {
public:
    // Plays on `run`, its script continuing `script` (the run's own).
    InputPlayer(StageRun& run, std::vector<ScriptEvent> script);

    // One decision; false when it did nothing this frame (the caller steps).
    // When it acts it steps the frames its input takes itself.
    bool Act();

    const std::vector<ScriptEvent>& Script() const { return m_script; }
    bool ChoseCards() const { return m_bChose; }
    int Placed() const { return m_nPlaced; }

private:
    void Send(ScriptEvent::Kind kind, float x, float y);
    void Tap(float x, float y);
    bool CellFree(int column, int row);
    bool ChooseCards();
    bool Fight();

    StageRun& m_run;
    std::vector<ScriptEvent> m_script;
    bool m_bChose = false;
    int m_nPlaced = 0;
};

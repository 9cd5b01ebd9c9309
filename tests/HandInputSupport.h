#pragma once
// Plays a battle through the real input path: presses, releases, moves and
// keys go into the application's input record at logical coordinates (origin
// at the centre, y up) exactly as the stage runner's scripts do, and the
// frame road hands them to the battle page.
#include <string>
#include <vector>

#include "battle/effects/Effect_FontInstruction.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameRobot.h"
#include "engine/InputRecord.h"
#include "engine/VxButton.h"
#include "content/SaveProfile.h"
#include "content/UnlockTables.h"
#include "game/Effect_MsgBox.h"
#include "game/GameApplication.h"
#include "tests/StageRunSupport.h"

class HandInputTest : public StageRunTest {
protected:
    // Centre-origin logical point to the input record's (y down) pixels.
    void Aim(float x, float y) {
        InputRecord& in = run->App().m_aInput[0];
        in.m_iCursorX = int(x + float(g_iScreenWidth) * 0.5f);
        in.m_iCursorY = int(float(g_iScreenHeight) * 0.5f - y);
    }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) run->Step();
    }
    void Move(float x, float y, int frames = 1) {
        Aim(x, y);
        Frames(frames);
    }
    void Press(float x, float y) {
        Aim(x, y);
        run->App().m_aInput[0].m_aiKey[MOUSE_LEFT] = KEY_PRESSED | KEY_HELD;
        run->Step();
    }
    void Release(float x, float y) {
        Aim(x, y);
        run->App().m_aInput[0].m_aiKey[MOUSE_LEFT] = KEY_RELEASED;
        run->Step();
    }
    void RightRelease() {
        run->App().m_aInput[0].m_aiKey[MOUSE_RIGHT] = KEY_RELEASED;
        run->Step();
    }
    void Key(int key) {
        run->App().m_aInput[0].m_aiKey[key] = KEY_PRESSED | KEY_RELEASED;
        run->Step();
    }
    void Click(float x, float y) {
        Press(x, y);
        Release(x, y);
    }

    CPageGame& Page() { return run->Battle(); }
    VxVec3 HandSlot(int i) { return Page().m_apHandButtons[i]->m_vPosition; }
    VxVec3 Cell(int column, int row) {
        const FieldCell& c = Page().m_Battle.State().m_aFieldCells[column * FIELD_ROWS + row];
        return VxVec3{c.m_fX, c.m_fY, 0.0f};
    }
    // The first cell of the stage kind, scanning columns from the left.
    VxVec3 CellOfKind(int kind, int fromColumn = 0) {
        for (int column = fromColumn; column < FIELD_COLUMNS; ++column)
            for (int row = 0; row < FIELD_ROWS; ++row)
                if (Page().m_Battle.State().m_aFieldCells[column * FIELD_ROWS + row].m_iKind == kind)
                    return Cell(column, row);
        return VxVec3{10000.0f, 10000.0f, 0.0f};
    }
    // The text of the placement message showing, or "" when none shows.
    std::string Message() {
        CEffect_FontInstruction* fi = Page().m_pEffectFontInstruction;
        return fi && fi->CurrentKind() >= 0 ? fi->m_strText : std::string();
    }
    // Steps until slot i is charged and affordable (or the frame limit).
    bool WaitReady(int slot, int limit = 5000) {
        for (int n = 0; n < limit; ++n) {
            CPageGame& p = Page();
            if (p.m_Battle.State().m_aHand[slot].m_iCharge == p.m_Battle.State().m_aHandDefs[slot].m_iRechargeTime &&
                p.m_Battle.State().m_iEnergy >= p.m_Battle.State().m_aHandDefs[slot].m_iEnergyCost)
                return true;
            run->Step();
        }
        return false;
    }
    int Robots() {
        int n = 0;
        for (const CCom_GameRobot& r : Page().m_Battle.State().m_lstRobots) n += !r.IsMachine();
        return n;
    }
};

// The card choice of stage 10 (a script keeps it open), driven by mouse.
class CardChoicePlay : public HandInputTest {
protected:
    // Up to where the list takes clicks, for a profile that bought two more slots.
    void OpenChoice(int stage = 10) {
        StageRunOptions o;
        o.stage = stage;
        o.difficulty = 1;
        o.seed = 21;
        o.script.push_back(ScriptEvent{ScriptEvent::MOVE, 0, 440, 600, 0});
        run = std::make_unique<StageRun>(o);
        ASSERT_TRUE(run->Start()) << run->Error();
        g_CurrentProfile.m_nCardSlots = 4;
        ASSERT_TRUE(run->RunUntilState(BATTLE_CARD_SELECT, 5000));
        for (int f = 0; f < 2000 && !(Page().m_iCardChoiceStep == 1 && !Box()->IsOpen()); ++f) run->Step();
        ASSERT_EQ(Page().m_iCardChoiceStep, 1);
        Frames(2);
    }
    CEffect_MsgBox* Box() { return run->App().m_pEffectMsgBox; }
    // Unlocked robots this stage lets the player choose.
    std::vector<int> Usable() {
        std::vector<int> ids;
        for (int i = 0; i < ROBOT_REMOVER; ++i)
            if (g_CurrentProfile.m_abRobotUnlocked[i] == 1 && !Page().m_abCardDisabled[i]) ids.push_back(i);
        return ids;
    }
    void ClickCard(int id) { ClickAt(Page().m_apCardButtons[id]->m_vPosition); }
    void ClickButton(CVxButton* b) {
        ASSERT_NE(b, nullptr);
        ASSERT_LT(b->m_vPosition.x, 1000.0f) << "the button is on the screen";
        ClickAt(b->m_vPosition);
    }
    // Until no card flies, then past the buttons' click cooldown.
    void Land() {
        auto flying = [this] {
            for (const CardFlight& f : Page().m_aCardFlights)
                if (f.m_iFramesLeft > 0) return true;
            return false;
        };
        for (int f = 0; f < 200 && flying(); ++f) run->Step();
        Frames(12);
    }
    std::vector<int> Deck() {
        std::vector<int> cards;
        for (int i = 0; i < Page().m_Battle.State().m_nHandSlots; ++i)
            cards.push_back(Page().m_Battle.State().m_aHand[i].m_iCard);
        return cards;
    }

private:
    void ClickAt(const VxVec3& at) {
        Click(at.x, at.y);
        Move(0.0f, 250.0f, 1);
    }
};

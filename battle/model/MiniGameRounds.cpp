// Stage 151: five rounds. Each round places Fusor Bots, calls a row of Heavy
// Smashers after a countdown, and ends when the player has taken every robot
// off the field; the field then scrolls 1800 px on to the next round.
#include <algorithm>
#include <cmath>
#include <vector>

#include "battle/model/BattleRules.h"
#include "battle/model/MiniGameRules.h"
#include "battle/model/SceneCues.h"
#include "battle/units/GameRobot.h"
#include "battle/units/GameStage.h"
#include "content/SaveProfile.h"
#include "content/StageKinds.h"
#include "engine/VxSound.h"
#include "platform/Random.h"

namespace {

constexpr int kLastRound = 5;
constexpr int kRoundFrames = 600;
constexpr int kBannerFrame = 180;
constexpr float kRoundShift = 1800.0f;            // field pixels between rounds
constexpr double kRoundScroll = 2.0 * 6532.2583;  // the same in background scroll units
constexpr float kScrollStep = 200.0f;
constexpr float kPixelsPerStep = 27.555555f;  // 200 scroll units in field pixels
constexpr float kPixelsPerUnit = 0.13777778f;
constexpr float kMachineHoldX = 525.0f;

}  // namespace

void SpawnRoundRobots(CBattleModel& model, int round) {
    const int k = model.Difficulty() >= 2 ? 5 : 3;
    std::vector<int> cells;
    for (int i = 0; i < 40; ++i) cells.push_back(i);
    while (int(cells.size()) > k * round) {
        const int pick = int(VxRand() % 40);
        auto it = std::find(cells.begin(), cells.end(), pick);
        if (it != cells.end()) cells.erase(it);
    }
    for (int i : cells) {
        CCom_GameRobot* r = model.SpawnMiniGameRobotOnCell(i % 10, 0, i / 10 + 1);
        // Later rounds wait beyond the right edge and scroll into view.
        if (r && round >= 2) r->m_vPosition.x += kRoundShift;
    }
}

void CallRoundMachines(CBattleModel& model) {
    const int code = RuleState(model).m_aEnemyDefs[0].m_iType;
    for (int row = 1; row <= 4; ++row) {
        CCom_GameRobot* m = model.CallEnemyRobot(code, 0.0f, 0.0f, 0.0f, false);
        if (!m) continue;
        const float y = RuleState(model).m_aFieldCells[9 * FIELD_ROWS + row].m_fY;
        m->m_vPosition.y = m->m_vHome.y = y;
        m->m_vCell.y = float(row);
        m->m_iRow = row;
        m->m_Unit.m_fSpeed = 1.0f;
    }
}

void UpdateRoundRules(CBattleModel& model) {
    if (KindOf(model.StageNumber()) != StageKind::AdvanceRounds) return;
    if (RuleState(model).m_iRoundPhase != 0) {
        ScrollToNextRound(model);
        return;
    }
    int dead = 0, own = 0, machines = 0;
    for (const CCom_GameRobot& r : RuleState(model).m_lstRobots) {
        if (r.IsMachine()) {
            ++machines;
            continue;
        }
        ++own;
        if (r.m_iHp <= 0) ++dead;
    }

    if (RuleState(model).m_iRoundTimer == kRoundFrames) {
        ++RuleState(model).m_iRound;
    } else if (RuleState(model).m_iRoundTimer == kBannerFrame) {
        CueRoundBanner(model.Scene(), RuleState(model).m_iRound >= kLastRound);
        RestartSound(model.Scene().m_pSfxTextWave);
    } else if (RuleState(model).m_iRoundTimer == 0 && machines == 0) {
        CallRoundMachines(model);
    } else if (dead > 0) {
        RuleState(model).m_nRobotsLost += dead;
        RuleState(model).m_iLife = 0;
    } else if (own == 0 && !RoundBannerShown(model.Scene())) {
        RuleState(model).m_iRoundPhase = 1;
        if (RuleState(model).m_iRound < kLastRound) SpawnRoundRobots(model, RuleState(model).m_iRound + 1);
    }
    const bool still = model.StillShown() || model.StillTaken();
    if (!still && RuleState(model).m_iRoundTimer > 0) --RuleState(model).m_iRoundTimer;
}

void ScrollToNextRound(CBattleModel& model) {
    if (!RuleState(model).m_pStage) return;
    const float target = float(-kRoundScroll * double(RuleState(model).m_iRound));
    float& scroll = RuleState(model).m_pStage->m_fScrollX;
    if (scroll != target) {
        const float d = std::fabs(std::fabs(target) - std::fabs(scroll));
        float shift;
        if (d >= kScrollStep) {
            scroll -= kScrollStep;
            shift = kPixelsPerStep;
        } else {
            scroll = target;
            shift = d * kPixelsPerUnit;
        }
        for (CCom_GameRobot& r : RuleState(model).m_lstRobots) r.m_vPosition.x -= shift;
        return;
    }
    if (RuleState(model).m_iRound < kLastRound) {
        ClearFieldUnits(model, true);
        RuleState(model).m_iRoundTimer = kRoundFrames;
        RuleState(model).m_iRoundPhase = 0;
        RuleState(model).m_iTimeLeft =
            int((1.0 - double(RuleState(model).m_iRound) / 5.0) * double(RuleState(model).m_iStageFrames));
        if ((RuleState(model).m_iStageFrames - RuleState(model).m_iTimeLeft) % 60 == 0) --RuleState(model).m_iTimeLeft;
        return;
    }
    ClearFieldUnits(model, false);
    RuleState(model).m_iTimeLeft = 0;
}

void HoldBackRoundMachines(CBattleModel& model) {
    if (KindOf(model.StageNumber()) != StageKind::AdvanceRounds) return;
    std::list<CCom_GameRobot>& robots = RuleState(model).m_lstRobots;
    if (std::none_of(robots.begin(), robots.end(), [](const CCom_GameRobot& r) { return !r.IsMachine(); })) return;
    for (CCom_GameRobot& r : robots)
        if (r.IsMachine() && r.m_vPosition.x > kMachineHoldX) r.m_vPosition.x = kMachineHoldX;
}

#include "tools/screentour/TourLateGame.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdio>

#include "battle/model/BossHandRules.h"
#include "battle/effects/Effect_TextWave.h"
#include "battle/model/BattleRules.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameRobot.h"
#include "content/FieldGrid.h"
#include "content/StageNumbering.h"
#include "game/GameApplication.h"
#include "tools/stagerun/WindowRun.h"

namespace {

// The field-effect kinds the battle draws (0 to 32 but for 9 and 25 to 27),
// fired from the first hand slot whose robot has a shot picture: the
// shot-drawn kinds (1 to 8) draw that picture.
const int kFieldEffects[] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  10, 11, 12, 13, 14, 15,
                             16, 17, 18, 19, 20, 21, 22, 23, 24, 28, 29, 30, 31, 32};
constexpr int kFieldEffectKinds = int(sizeof kFieldEffects / sizeof kFieldEffects[0]);
// The Destroyer's hand aims for this many frames before it travels.
constexpr int kHandAim = 180;
// Give up on a sight that has not come after this many frames.
constexpr int kPatience = 1500;

CCom_GameRobot* Boss(CPageGame& page) {
    for (CCom_GameRobot& r : RuleState(page.m_Battle).m_lstRobots)
        if (r.Type() == 1028 || r.Type() == 1031) return &r;
    return nullptr;
}

// The oldest live hand strike's age, or -1.
int HandAge(CPageGame& page) {
    int age = -1;
    for (const BossHandStrike& s : page.m_Battle.State().m_aBossHands)
        if (s.live) age = std::max(age, s.age);
    return age;
}

const FieldCell& CellAt(const CPageGame& page, int column, int row) {
    return page.m_Battle.State().m_aFieldCells[column * FIELD_ROWS + row];
}

bool ColumnHasGround(const CPageGame& page, int column) {
    for (int r = 0; r < FIELD_ROWS; ++r)
        if (CellAt(page, column, r).m_iStageKind == CELL_GROUND) return true;
    return false;
}

// The cell nearest the field's middle that no unit stands on or near, so a
// field effect fired there is seen whole.
const FieldCell& OpenCell(const CPageGame& page) {
    int best = -1, bestScore = 1 << 30;
    for (int c = 0; c < FIELD_COLUMNS; ++c)
        for (int r = 0; r < FIELD_ROWS; ++r) {
            const FieldCell& cell = CellAt(page, c, r);
            bool near = false;
            for (const CCom_GameRobot& u : page.m_Battle.State().m_lstRobots)
                near = near || (u.m_iHp > 0 && std::fabs(u.m_vPosition.x - cell.m_fX) < 75.0f &&
                                std::fabs(u.m_vPosition.y - cell.m_fY) < 70.0f);
            const int score = std::abs(c - 5) * 2 + std::abs(r - 2);
            if (!near && score < bestScore) best = c * FIELD_ROWS + r, bestScore = score;
        }
    return best >= 0 ? page.m_Battle.State().m_aFieldCells[best] : CellAt(page, 1, 1);
}

// Rain and quake come in periods once the stage is 2000 frames old.
int HazardPeriod(int stage) {
    const int n = GetStageInEpisode(stage);
    return GetStageWorld(stage) == 1 ? (200 - n) * 10 : (200 - n % 10) * 10;
}

std::string FieldEffectName(int kind) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "fx_kind%02d", kind);
    return buf;
}

}  // namespace

std::string LateGameDirector::Moment(WindowStageRun& run) const {
    CPageGame& page = run.Battle();
    switch (m_extra) {
    case TOUR_BOSS: {
        CCom_GameRobot* boss = Boss(page);
        if (!boss) return "";
        if (boss->m_iState == ROBOT_DYING) return boss->m_iBossTimer >= 1000 ? "boss_dying" : "";
        const int hand = HandAge(page);
        if (hand >= 40) return hand < kHandAim ? "boss_hands_aim" : "boss_hands_grab";
        if (boss->m_iBossTimer == 2) {
            const int period = boss->m_iHp < boss->m_Unit.m_iMaxHp / 4 ? 300 : 500;
            const int k = boss->m_iActionTimer % period;
            return k >= 120 && k < 154 ? "boss_lunge" : "";
        }
        if (boss->m_iState == ROBOT_ATTACK) return "boss_attack";
        if (boss->m_iBossTimer == 0) return "boss_entering";
        if (boss->m_iBossTimer == 1 && !boss->m_aiBoss[1] && !boss->m_aiBoss[3]) return "boss_both_hands";
        return "";
    }
    case TOUR_WEATHER: {
        const int stage = int(run.App().m_iCurrentStage);
        const int area = GetStageWorld(stage);
        if (area <= 2) {
            const int t = page.m_Battle.State().m_iStageFrames - page.m_Battle.State().m_iTimeLeft;
            const int q = t % HazardPeriod(stage);
            return t > 2000 && q < (area == 1 ? 500 : 300) ? "weather" : "";
        }
        for (int v : page.m_Battle.State().m_aiColumnHazard)
            if (v > 0) return "weather";
        return "";
    }
    case TOUR_FIELD_EFFECTS:
        return m_step >= 1 && m_step <= kFieldEffectKinds ? FieldEffectName(kFieldEffects[m_step - 1]) : "";
    case TOUR_WAVES:
        if (page.m_pEffectTextWave && page.m_pEffectTextWave->m_aInstances[0].life > 0)
            return page.m_pEffectTextWave->m_aInstances[0].kind == 1 ? "final_wave_notice" : "wave_notice";
        return "";
    case TOUR_PLAIN:
    case TOUR_GROUND: break;
    }
    return "";
}

int LateGameDirector::Settle(const std::string& moment) {
    if (moment == "boss_entering") return 12;
    if (moment == "boss_hands_aim") return 30;
    if (moment == "boss_hands_grab") return 12;
    if (moment == "boss_lunge") return 20;
    if (moment == "boss_dying") return 45;
    if (moment == "weather") return 8;
    if (moment.compare(0, 3, "fx_") == 0) return 8;
    if (moment == "wave_notice" || moment == "final_wave_notice") return 60;
    return 32;
}

bool LateGameDirector::Steer(WindowStageRun& run, int playFrames,
                             const std::function<bool(const std::string&)>& taken) {
    CPageGame& page = run.Battle();
    ++m_waited;
    auto next = [&] {
        ++m_step;
        m_waited = 0;
    };
    // Waits for a sight's picture, or gives it up.
    auto awaited = [&](const char* moment) { return taken(moment) || m_waited > kPatience; };

    switch (m_extra) {
    case TOUR_BOSS: {
        CCom_GameRobot* boss = Boss(page);
        // The tour's defence is thin: Machines that get through must not end
        // the fight before the boss has shown everything.
        if (page.m_Battle.State().m_iLife > 0 && page.m_Battle.State().m_iLife < page.m_Battle.State().m_iMaxLife)
            RuleState(page.m_Battle).m_iLife = RuleState(page.m_Battle).m_iMaxLife;
        if (!m_skipped) {
            m_skipped = true;
            // The boss comes a minute in: skip to just before.
            const int stage = int(run.App().m_iCurrentStage);
            if (stage == 160 || stage == 170 || stage == 180)
                RuleState(page.m_Battle).m_iTimeLeft = RuleState(page.m_Battle).m_iStageFrames - 3600 + 30;
        }
        switch (m_step) {
        case 0:  // in, at rest with both arms
            if (awaited("boss_entering") && (taken("boss_both_hands") || m_waited > 2 * kPatience)) next();
            return false;
        case 1:  // both hands strike at once
            if (boss && boss->m_iState != ROBOT_DYING) {
                boss->m_aiBoss[0] = boss->m_aiBoss[2] = 0;
                boss->m_aiBoss[1] = boss->m_aiBoss[3] = 1;
            }
            next();
            return false;
        case 2:
            if (awaited("boss_hands_grab")) next();
            return false;
        case 3:  // the lunge, once the hands are back
            if (boss && boss->m_iState != ROBOT_DYING && HandAge(page) < 0) {
                boss->m_aiBoss[1] = boss->m_aiBoss[3] = 0;
                boss->m_iBossTimer = 2;
                boss->m_iActionTimer = 100;
                next();
            } else if (m_waited > kPatience) {
                next();
            }
            return false;
        case 4:
            if (awaited("boss_lunge")) {
                // Called back before it lands: the lunge would clear the
                // field and end the stage before the boss dies.
                if (boss && boss->m_iState != ROBOT_DYING && boss->m_iBossTimer == 2) boss->m_iBossTimer = 1;
                next();
            }
            return false;
        case 5:  // its own fire, if it comes
            if (taken("boss_attack") || m_waited > kPatience / 5) next();
            return false;
        case 6:
            if (boss && boss->m_iState != ROBOT_DYING) {
                boss->m_iHp = 0;
                boss->BeginDying(page.m_Battle);
            }
            next();
            return false;
        default: return awaited("boss_dying");
        }
    }
    case TOUR_WEATHER: {
        if (m_step == 0 && playFrames >= 60) {
            const int stage = int(run.App().m_iCurrentStage);
            const int area = GetStageWorld(stage);
            if (area <= 2) {
                // Into the middle of the next hazard period.
                const int period = HazardPeriod(stage);
                const int t = (2000 / period + 1) * period + 150;
                if (t < RuleState(page.m_Battle).m_iStageFrames)
                    RuleState(page.m_Battle).m_iTimeLeft = RuleState(page.m_Battle).m_iStageFrames - t;
            } else if (area == 3) {
                for (int c = FIELD_COLUMNS - 1; c >= 0; --c)
                    if (!ColumnHasGround(page, c)) {
                        RuleState(page.m_Battle).m_aiColumnHazard[c] = 560;
                        break;
                    }
            } else {
                for (int r = 0; r < FIELD_ROWS; ++r)
                    if (CellAt(page, 0, r).m_iStageKind == CELL_AIR) {
                        RuleState(page.m_Battle).m_aiColumnHazard[r] = 56;
                        break;
                    }
            }
            next();
            return false;
        }
        return m_step > 0 && awaited("weather");
    }
    case TOUR_FIELD_EFFECTS: {
        if (m_step == 0 && playFrames < 60) return false;
        if (m_step > 0 && !awaited(FieldEffectName(kFieldEffects[m_step - 1]).c_str())) return false;
        if (m_step >= kFieldEffectKinds) return true;
        // One kind at a time, where no unit hides it.
        RuleState(page.m_Battle).m_lstFieldEffects.clear();
        const FieldCell& c = OpenCell(page);
        int source = 0;
        while (source + 1 < HAND_SLOTS && !page.m_Battle.Scene().m_aHandArt[source].m_pWeapon) ++source;
        page.m_Battle.AddFieldEffect(source, FieldEffectType(kFieldEffects[m_step]), c.m_fX, c.m_fY, c.m_fZ);
        next();
        return false;
    }
    case TOUR_WAVES: {
        CVxEffect* wave = page.m_pEffectTextWave;
        if (!wave) return true;
        if (m_step == 0 && playFrames >= 60) {
            wave->Add(0);
            next();
        } else if (m_step == 1 && awaited("wave_notice")) {
            wave->Clear(0);
            wave->Add(1);
            next();
        } else if (m_step == 2) {
            return awaited("final_wave_notice");
        }
        return false;
    }
    case TOUR_PLAIN:
    case TOUR_GROUND: break;
    }
    return true;
}

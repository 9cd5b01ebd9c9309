#include "battle/model/BattleWeather.h"

#include <cmath>

#include "battle/model/BattleRules.h"
#include "battle/units/GameRobot.h"
#include "content/StageKinds.h"
#include "content/StageNumbering.h"
#include "content/StageRules.h"
#include "platform/Random.h"

namespace {

bool InCell(const CCom_GameRobot& r, int column, int row) {
    return int(r.m_vCell.x) == column && int(r.m_vCell.y) == row;
}

bool IsPlayerRobot(const CCom_GameRobot& r) { return !r.IsMachine() && r.m_iHp > 0; }

// Roles that no weather touches: one-shot robots and timers.
bool WeatherProof(const CCom_GameRobot& r) {
    return r.m_Unit.m_iRole == ROLE_ONESHOT || r.m_Unit.m_iRole == ROLE_TIMER;
}

const FieldCell& CellOf(const CBattleModel& model, int column, int row) {
    return RuleState(model).m_aFieldCells[column * FIELD_ROWS + row];
}

// Only the frame's first step of the ambience counts.
void StepAmbience(WeatherFrame& seen, int t) {
    if (seen.ambienceStep) return;
    seen.ambienceStep = true;
    seen.ambienceFrame = t;
}

// Acid rain: every tenth frame of a shower, a fifth of the columns takes a drop.
void UpdateAcidRain(CBattleModel& model, int t, int n, WeatherFrame& seen) {
    const int period = (200 - n) * 10;
    const int q = t % period;
    if (t <= 2000 || q >= 500) return;
    seen.rain = q;
    if (q % 10 == 0) {
        for (int c = 0; c < FIELD_COLUMNS; ++c) {
            if (c % 5 != (q / 10) % 5) continue;
            for (int r = 0; r < FIELD_ROWS; ++r) {
                CCom_GameRobot* hit = nullptr;
                for (CCom_GameRobot& robot : RuleState(model).m_lstRobots) {
                    if (!IsPlayerRobot(robot) || !InCell(robot, c, r) || WeatherProof(robot)) continue;
                    if (robot.m_Unit.m_iRole == ROLE_PLATFORM && robot.m_bPlatformOccupied) continue;
                    hit = &robot;
                    break;
                }
                if (hit) hit->TakeDamage(model, 3);
                // The drop stops on the first ground cell or robot it meets.
                const FieldCell& k = CellOf(model, c, r);
                if (k.m_iStageKind == CELL_GROUND) {
                    model.AddFieldEffect(0, FIELD_EFFECT_SMOKE_FAN, k.m_fX, k.m_fY - 40.375f, k.m_fZ);
                    break;
                }
                if (hit) {
                    model.AddFieldEffect(0, FIELD_EFFECT_HIT, k.m_fX, k.m_fY, k.m_fZ);
                    break;
                }
            }
        }
    }
    StepAmbience(seen, q);
}

// The earthquake strikes the ground cells' robots.
void UpdateEarthquake(CBattleModel& model, int t, int n, WeatherFrame& seen) {
    const int period = (200 - n % 10) * 10;
    const int q = t % period;
    if (t <= 2000 || q >= 300) return;
    seen.quake = q;
    if (q % 10 == 0) {
        for (int c = 0; c < FIELD_COLUMNS; ++c) {
            if (c % 5 != (q / 10) % 5) continue;
            for (int r = 0; r < FIELD_ROWS; ++r) {
                const FieldCell& k = CellOf(model, c, r);
                if (k.m_iStageKind != CELL_GROUND) continue;
                for (CCom_GameRobot& robot : RuleState(model).m_lstRobots) {
                    if (!IsPlayerRobot(robot) || !InCell(robot, c, r) || WeatherProof(robot) ||
                        robot.m_Unit.m_iRole == ROLE_PLATFORM)
                        continue;
                    robot.TakeDamage(model, 5);
                    const VxVec3& p = robot.m_vLastPosition;
                    model.AddFieldEffect(0, FIELD_EFFECT_HIT, p.x, p.y, p.z);
                }
                model.AddFieldEffect(0, FIELD_EFFECT_GROUND_DUST, k.m_fX, k.m_fY - 40.375f, k.m_fZ);
            }
        }
    }
    StepAmbience(seen, q);
}

// Whirlpools open in up to two water columns and strike their robots.
void UpdateWhirlpools(CBattleModel& model, int t, int n, WeatherFrame& seen) {
    int* pools = RuleState(model).m_aiColumnHazard;
    if (t % ((100 - n % 10) * 10) == 0) {
        int chosen = 0;
        // Every scanned column takes its roll, free or not.
        for (int c = 0; c < FIELD_COLUMNS && chosen < 2; ++c) {
            const bool roll = VxRand() % 3 == 0;
            bool ground = false;
            for (int r = 0; r < FIELD_ROWS; ++r) ground = ground || CellOf(model, c, r).m_iStageKind == CELL_GROUND;
            if (pools[c] != 0 || ground || !roll) continue;
            pools[c] = WHIRLPOOL_FRAMES;
            ++chosen;
        }
    }
    for (int c = 0; c < FIELD_COLUMNS; ++c) {
        const int v = pools[c];
        if (v <= 0) continue;
        seen.whirlpools[c] = v;
        if (v % 100 == 10 * c) {
            for (CCom_GameRobot& robot : RuleState(model).m_lstRobots) {
                if (!IsPlayerRobot(robot) || int(robot.m_vCell.x) != c || WeatherProof(robot)) continue;
                robot.TakeDamage(model, 5);
                const VxVec3& p = robot.m_vLastPosition;
                model.AddFieldEffect(0, FIELD_EFFECT_HIT, p.x, p.y, p.z);
            }
        }
        --pools[c];
        StepAmbience(seen, WHIRLPOOL_FRAMES - v);
    }
}

// Jet streams blow along air rows and lift the robots they pass.
void UpdateJetStreams(CBattleModel& model, int t, int n, WeatherFrame& seen) {
    int* gusts = RuleState(model).m_aiColumnHazard;  // by row
    if (t % ((60 - n % 10) * 10) == 0) {
        for (int r = 0; r < FIELD_ROWS; ++r) {
            if (gusts[r] != 0 || CellOf(model, 0, r).m_iStageKind != CELL_AIR) continue;
            if (VxRand() % 3 != 0) continue;
            gusts[r] = GUST_FRAMES;
            break;
        }
        StepAmbience(seen, -1);
    }
    for (int r = 0; r < FIELD_ROWS; ++r) {
        const int v = gusts[r];
        if (v <= 0) continue;
        seen.gusts[r] = v;
        const VxVec3 g = GustPoint(model, r, v);
        for (CCom_GameRobot& robot : RuleState(model).m_lstRobots) {
            // Mounts (role 8, the Barrier Bots among them) are not lifted.
            if (!IsPlayerRobot(robot) || robot.m_Unit.m_iRole == ROLE_TIMER || robot.m_iPlatformTimer != 0) continue;
            if (std::fabs(robot.m_vPosition.y - g.y) > 20.1875f || std::fabs(robot.m_vPosition.x - g.x) > 15.0f)
                continue;
            const int c = int(robot.m_vCell.x), row = int(robot.m_vCell.y);
            if (c < 0 || c >= FIELD_COLUMNS || row < 0 || row >= FIELD_ROWS) continue;
            if (CellOf(model, c, row).m_iStageKind != CELL_AIR) continue;
            robot.m_iPlatformTimer = 10;
        }
        --gusts[r];
    }
}

}  // namespace

VxVec3 GustPoint(const CBattleModel& model, int row, int framesLeft) {
    const FieldCell& start = CellOf(model, 0, row);
    return VxVec3{(start.m_fX - 50.0f) + float(GUST_FRAMES - framesLeft) * 15.0f, start.m_fY, 0.0f};
}

WeatherFrame UpdateWeatherHazards(CBattleModel& model) {
    WeatherFrame seen;
    const int stage = model.StageNumber();
    const StageWeather weather = WeatherOf(stage);
    const int R = RuleState(model).m_iTimeLeft, T = RuleState(model).m_iStageFrames, t = T - R;
    const int n = GetStageInEpisode(stage);
    ++RuleState(model).m_iHazardTimer;
    if (R == 0)
        for (int& v : RuleState(model).m_aiColumnHazard)
            if (v > 0) --v;

    if (R > 0 && R < T) {
        if (weather == StageWeather::AcidRain && ModeOf(stage) != MiniGameMode::BombRun)
            UpdateAcidRain(model, t, n, seen);
        else if (weather == StageWeather::Earthquake && ModeOf(stage) != MiniGameMode::BaseDuel)
            UpdateEarthquake(model, t, n, seen);
        else if (weather == StageWeather::Whirlpools && !IsMiniGameStage(stage)) UpdateWhirlpools(model, t, n, seen);
        else if (weather == StageWeather::JetStreams) UpdateJetStreams(model, t, n, seen);
    }
    return seen;
}

// The rules of the battle's states (BattleStates.h).
#include "battle/model/BattleStates.h"

#include <algorithm>
#include <cmath>

#include "battle/model/BattleRules.h"
#include "battle/units/GameRobot.h"
#include "content/MiniGameTable.h"
#include "content/Achievements.h"
#include "content/SaveProfile.h"
#include "content/StageKinds.h"
#include "content/StageNumbering.h"
#include "content/UnlockTables.h"
#include "engine/VxSound.h"
#include "engine/VxXApplication.h"
#include "game/BattleLink.h"
#include "game/GameApplication.h"

void SetBattleState(CBattleModel& model, int state) {
    if (RuleState(model).m_iBattleState == BATTLE_PLAYING) {
        BattleScene& scene = model.Scene();
        for (CVxSound* loop : {scene.m_pSfxSlotReel, scene.m_pSfxChargeShot})
            if (loop && loop->IsPlaying()) loop->Stop();
    }
    RuleState(model).m_iBattleState = state;
    RuleState(model).m_iStateFrames = -1;
    RuleState(model).m_iStateEntryFrame = model.AppFrame() + 1;
}

void AdvanceBattleState(CBattleModel& model) { SetBattleState(model, RuleState(model).m_iBattleState + 1); }

bool HasMoreCardsThanSlots(const CBattleModel& model) {
    if (IsMiniGameStage(model.StageNumber())) return false;
    int unlocked = 0;
    for (int i = 0; i < ROBOT_REMOVER; ++i)
        if (model.Profile().m_abRobotUnlocked[i] == 1) ++unlocked;
    return unlocked > RuleState(model).m_nHandSlots;
}

void StepLoading(CBattleModel& model) {
    if (g_bLoaderRunning) {
        RuleState(model).m_iStateEntryFrame = model.AppFrame() + 1;
        return;
    }
    if (model.AppFrame() >= RuleState(model).m_iStateEntryFrame + 30) SetBattleState(model, BATTLE_BEGIN);
}

PlayStep StepPlaying(CBattleModel& model, bool meteorsFalling) {
    const int stage = model.StageNumber();
    if (RuleState(model).m_iLife <= 0) {
        RuleState(model).m_iRelocatingRobot = -1;
        SetBattleState(model, BATTLE_RESULT);
        return PlayStep::Done;
    }
    if (RuleState(model).m_iTimeLeft > 0) {
        if (KindOf(stage) != StageKind::AdvanceRounds) {
            --RuleState(model).m_iTimeLeft;
            if (RuleState(model).m_iTimeLeft % 60 == 0) UpdateAchievementProgress(model.Profile(), 37, 1);
        } else if (RuleState(model).m_iBattleFrame % 60 == 0) {
            // The clock stands on this stage: play time counts by the battle's frames.
            UpdateAchievementProgress(model.Profile(), 37, 1);
        }
        return PlayStep::Done;
    }
    ++RuleState(model).m_iOvertimeFrames;
    if (RuleState(model).m_iOvertimeFrames == 2700) RuleState(model).m_bOvertimeOpen = false;
    // 167's end comes from the cages opening (the road's end sequence), not
    // from the last Machine: the way back clears the field itself.
    if (ModeOf(stage) == MiniGameMode::Climb) return PlayStep::StartLine;
    if (MiniGameRowOf(stage).meteorArrivals && meteorsFalling) return PlayStep::Done;
    if (RuleState(model).m_nLiveMachines == 0) {
        RuleState(model).m_iRelocatingRobot = -1;
        AdvanceBattleState(model);
    }
    return PlayStep::Done;
}

int RewardStars(const CBattleModel& model) {
    if (RuleState(model).m_iLife >= RuleState(model).m_iMaxLife) return 3;
    // "At least half" holds for odd maxima too: 2 of 3 is half or more.
    if (2 * RuleState(model).m_iLife >= RuleState(model).m_iMaxLife) return 2;
    return 1;
}

int RecordRewardStars(CBattleModel& model) {
    const int stage = model.StageNumber();
    if (IsMiniGameStage(stage)) return 0;
    const int stars = RewardStars(model);
    int& best = model.Profile().m_aiStageStars[stage - 1];
    UpdateAchievementProgress(model.Profile(), 38, std::max(stars - best, 0));
    best = std::max(best, stars);
    return stars;
}

ResultStreaks NextResultStreaks(ResultStreaks s, bool won, int stars, int difficulty) {
    if (!won) {
        if (difficulty == 1 || difficulty == 2) {
            ++s.losses;
            s.easyWins = 0;
        } else {
            s.losses = 0;
            s.easyWins = 0;
        }
        return s;
    }
    if (stars == 3 && difficulty != 2) ++s.easyWins;
    else s.easyWins = 0;
    s.losses = 0;
    return s;
}

void RecordStageEnd(const CBattleModel& model, int stars) {
    CGameApplication* app = g_pGameAppInstance;
    const int stage = model.StageNumber();
    const SaveProfile& p = model.Profile();
    const bool won = RuleState(model).m_iLife > 0;
    if (app && p.m_abFeatureUnlocked[FEATURE_DIFFICULTY] == 1 && !IsMiniGameStage(stage)) {
        const ResultStreaks next =
            NextResultStreaks({app->m_nLossStreak, app->m_nEasyWinStreak}, won, stars, model.Difficulty());
        app->m_nLossStreak = next.losses;
        app->m_nEasyWinStreak = next.easyWins;
    }
    if (won && app && IsMiniGameStage(stage) && stage % 2 == 0 && stage % 10 != 0 && stage == p.m_iFurthestStage)
        app->m_iNewArea = GetStageWorld(NextStageId(stage));
}

void CountWonStageAchievements(const CBattleModel& model) {
    const int stage = model.StageNumber();
    if (RuleState(model).m_iLife <= 0) return;
    if (!IsMiniGameStage(stage)) {
        UpdateAchievementProgress(model.Profile(), 31, RuleState(model).m_aiStageStats[0]);
        UpdateAchievementProgress(model.Profile(), 32, RuleState(model).m_aiStageStats[1]);
        UpdateAchievementProgress(model.Profile(), 34, RuleState(model).m_aiStageStats[3]);
    }
    if (stage == 160) UpdateAchievementProgress(model.Profile(), 6, 1);
    if (stage == 170) UpdateAchievementProgress(model.Profile(), 7, 1);
    if (stage == 180) UpdateAchievementProgress(model.Profile(), 8, 1);
}

void CountOccupiedCells(CBattleModel& model) {
    int count = 0;
    for (const FieldCell& cell : RuleState(model).m_aFieldCells) {
        for (const CCom_GameRobot& r : RuleState(model).m_lstRobots) {
            if (r.IsMachine() || r.m_iHp <= 0) continue;
            const float dx = r.m_vPosition.x - cell.m_fX, dy = r.m_vPosition.y - cell.m_fY;
            if (std::sqrt(dx * dx + dy * dy) < 10.0f) {
                ++count;
                break;
            }
        }
    }
    RuleState(model).m_aiStageStats[4] = count;
    UpdateAchievementProgress(model.Profile(), 36, count);
}

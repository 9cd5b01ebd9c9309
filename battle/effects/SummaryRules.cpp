#include "battle/effects/SummaryRules.h"

#include "content/SaveProfile.h"
#include "content/StageNumbering.h"
#include "content/StageRules.h"
#include "game/MenuLink.h"
#include "game/MsgBoxKinds.h"

int SummaryShownValue(int total, int f) {
    if (f <= 0) return 0;
    if (f >= SUMMARY_COUNT_FRAMES) return total;
    return total * f / SUMMARY_COUNT_FRAMES;
}

float SummaryTitleScale(int f) {
    const float s = float(f - 20) / 15.0f;
    if (s <= 0.0f) return 0.0f;
    return 1.5f - 0.5f * (s < 1.0f ? s : 1.0f);
}

SummaryStarLook SummaryStarAt(int f, int i) {
    SummaryStarLook look;
    const int u = f - 35 - 15 * i;
    const float r = float(u) / 15.0f;
    const float q = r < 1.0f ? r : 1.0f;
    look.sound = u == 1;
    if (q <= 0.0f) return look;
    look.starScale = 2.0f - q;
    if (r > 1.0f && r < 2.0f) {
        look.burst = true;
        look.burstScale = r;
        look.burstAlpha = 2.0f - r;
    }
    return look;
}

bool SummaryNextOffered(bool won, int returnSubScreen) { return won && returnSubScreen != MENU_MINIGAME; }

int SummaryLeaveBox(const SummaryLeaveFacts& f) {
    const bool toMenu = f.switchCode % 10 == 1;
    if (!f.labAtStart && f.labNow) return MSGBOX_GO_TO_LABORATORY;
    if (!f.upgradeLabAtStart && f.upgradeLabNow) return MSGBOX_GO_TO_UPGRADE_LAB;
    if (f.easyWinStreak >= 5 && !f.tooEasyShown && !toMenu) return MSGBOX_TOO_EASY;
    if (f.lossStreak >= 5 && !f.tooHardShown && !toMenu) return MSGBOX_TOO_HARD;
    return 0;
}

int FinaleEpisode(int stage) { return IsEpisodeFinalBossStage(stage) ? GetStageEpisode(stage) : 0; }

NextPageChoice DecideNextPage(SummaryButton button, int stage, const SaveProfile& p, NextPageFields& w,
                              bool episodeJustFinished) {
    int next = NextStageId(stage);
    // The ending and the credits come first; they lead on to the episode choice.
    if (episodeJustFinished && button != SUMMARY_REPLAY) return {ENDING_SWITCH_CODE, next};
    if (button == SUMMARY_MENU) {
        if (w.mapToAnnounce != -1) w.returnSubScreen = MENU_STAGE_MAP;
        return {w.returnSubScreen * 10 + 1, next};
    }
    if (button == SUMMARY_REPLAY) return {3, stage};

    bool episodeEnd = false;
    if (GetStagePlayOrder(next) < GetStagePlayOrder(stage)) {
        // The last stage of all: the order starts over, so there is no stage to go on to.
        episodeEnd = true;
        next = stage;
    } else if (next > 150 && next != p.m_iFurthestStage) {
        if (stage % 50 == 0 && p.m_aiAchievementProgress[5 + GetStageEpisode(stage)] >= 1) {
            episodeEnd = true;
        } else {
            // A mini-game already reached is skipped.
            next = NextStageId(next);
            if (!MeetsAreaRecommendation(p, GetStageEpisode(next) - 1, GetStageWorld(next) - 1))
                w.mapToAnnounce = GetStageWorld(next);
        }
    }
    if (episodeEnd) {
        w.returnFromBattle = true;
        w.returnSubScreen = MENU_EPISODE;
        w.endOfEpisodePending = true;
        return {MENU_EPISODE * 10 + 1, next};
    }
    if (w.mapToAnnounce != -1) {
        w.returnSubScreen = MENU_STAGE_MAP;
        return {MENU_STAGE_MAP * 10 + 1, next};
    }
    return {3, next};
}

// The battle's sound upkeep: many unit sounds at once are lowered together,
// the music runs its card-choice, intro and loop parts, and fades into the
// victory or defeat music at the end. It runs on every call (frame, overlay
// pass and window timer); the lowering tests the engine frame.
#include <algorithm>
#include <string>
#include <vector>

#include "battle/page/PageGame.h"
#include "content/StageKinds.h"
#include "engine/VxResourceManager.h"
#include "engine/VxSound.h"
#include "game/GameApplication.h"
#include "content/UnitIds.h"

namespace {

bool Plays(CVxSound* s) { return s && s->IsPlaying(); }

}  // namespace

float CPageGame::AttenuationFactor(int playing) {
    if (playing < 2) return 1.0f;
    return std::clamp(float(1.0 - 0.04 * double(playing - 1)), 0.0f, 1.0f);
}

void CPageGame::AttenuateSounds() {
    if (g_bLeavingBattle || !g_pApp) return;
    const int frame = int(g_pApp->m_nFrame);
    if (frame % 5 == 0 && m_Battle.State().m_iBattleState < BATTLE_REWARD) {
        std::vector<CVxSound*> playing;
        auto gather = [&](CVxSound* s) {
            if (s && s->m_iGroup == 0 && s->IsPlaying()) playing.push_back(s);
        };
        for (int i = 0; i < HAND_SOUNDS_KEPT; ++i)
            for (CVxSound* s : m_apCardSounds[i]) gather(s);
        for (auto& slot : m_apEnemySounds)
            for (CVxSound* s : slot) gather(s);
        if (playing.size() >= 2) {
            const float f = AttenuationFactor(int(playing.size()));
            for (CVxSound* s : playing) {
                s->SetVolumeFactor(f);
                // Stopped where it is and played on at once, so the new level
                // is heard now. Play refuses a paused sound, and this pause is
                // only the stop of that restart.
                if (s->IsPlaying()) {
                    s->Pause();
                    s->m_bPaused = 0;
                    s->Play();
                }
            }
        }
    }
    CGameApplication* app = g_pGameAppInstance;
    if (app && app->m_pResourceManager && app->m_pResourceManager->m_bSoundsPaused) return;

    CVxSound* intro = m_apBattleMusic[0];
    CVxSound* loop = m_apBattleMusic[1];
    if (HasMoreCardsThanSlots(m_Battle) && !IsMiniGameStage(CurrentStage())) {
        if (m_Battle.State().m_iBattleState < BATTLE_LOADING) {
            if (loop && !loop->IsPlaying()) loop->Play();
            if (loop && loop->m_fVolumeFactor < 0.5f) loop->SetVolumeFactor(loop->m_fVolumeFactor + 0.05f);
            return;
        }
        if (m_Battle.State().m_iBattleState == BATTLE_LOADING && Plays(loop)) {
            if (loop->m_fVolumeFactor > 0.2f || m_Battle.State().m_iStateEntryFrame < frame)
                loop->SetVolumeFactor(loop->m_fVolumeFactor - 0.025f);
            if (loop->m_fVolumeFactor <= 0.0f) {
                loop->Stop();
                loop->SetVolumeFactor(1.0f);
            }
        }
    }
    if (m_Battle.State().m_iBattleState > BATTLE_REWARD) {
        for (CVxSound* part : m_apBattleMusic) {
            // No loop follows a fading intro: after the battle nothing starts it.
            if (part) part->FollowWith(nullptr);
            if (!Plays(part)) continue;
            part->SetVolumeFactor(part->m_fVolumeFactor - 0.025f);
            if (part->m_fVolumeFactor <= 0.0f) {
                part->Stop();
                part->m_bPaused = 0;
                part->SetVolumeFactor(1.0f);
            }
        }
        if (m_apEndMusic[0] && m_apEndMusic[1] && !Plays(m_apEndMusic[0]) && !Plays(m_apEndMusic[1]))
            m_apEndMusic[1]->Play();
        FollowIntro(m_apEndMusic[0], m_apEndMusic[1]);
        return;
    }
    if (!Plays(intro) && !Plays(loop) && !m_bBattleMusicStarted) {
        if (intro) intro->Play();
        m_bBattleMusicStarted = true;
    }
    if (Plays(intro) && intro->m_fVolumeFactor < 1.0f) intro->SetVolumeFactor(intro->m_fVolumeFactor + 0.15f);
    if (m_bBattleMusicStarted && !Plays(intro) && !Plays(loop) && loop) loop->Play();
    FollowIntro(intro, loop);
}

// The loop starts on the sample after the intro's last, in the mixer, rather
// than on the first call that finds the intro over; a call that finds it over
// still starts the loop, as before.
void CPageGame::FollowIntro(CVxSound* intro, CVxSound* loop) {
    if (Plays(intro) && loop && !Plays(loop)) intro->FollowWith(loop);
}

void CPageGame::PlayEndMusic(bool won) {
    if (m_apEndMusic[0] || m_apEndMusic[1]) return;
    const std::string base = won ? "BGM_Victory_" : "BGM_Gameover_";
    static const char* const kFolder = "Resource\\Sound\\BGM\\";
    static const char* const kParts[2] = {"Intro", "Loop"};
    for (int i = 0; i < 2; ++i) {
        CVxSound* s = Sound(base + kParts[i] + ".ogg", kFolder);
        if (!s) continue;
        s->m_iGroup = 1;
        // The loop part repeats by itself; the upkeep starts it again only
        // when something has stopped it.
        if (i == 1) s->m_dwPlayFlags = DSBPLAY_LOOPING;
        s->ApplyVolume(-3000);
        m_apEndMusic[i] = s;
    }
    if (m_apEndMusic[0]) m_apEndMusic[0]->Play();
}

void CPageGame::SetHandCardVolume(float factor) {
    const int slot = m_Battle.FindHandCard(RobotId::DiverBot);
    if (slot < 0) return;
    if (CVxSound* s = m_apCardSounds[slot][1]) s->SetVolumeFactor(std::clamp(factor, 0.0f, 1.0f));
}

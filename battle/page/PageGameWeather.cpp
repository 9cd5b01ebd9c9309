// Weather of the third episode: each of the first four areas brings a hazard
// that harms the player's robots (acid rain, earthquake, whirlpools, jet
// streams), with its ambience sound fading in and out over each period; and
// the rising pitch of quick pick-ups.
#include <algorithm>
#include <cmath>

#include "battle/page/PageGame.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "platform/Random.h"
#include "engine/VxBillboard.h"
#include "engine/VxSound.h"
#include "game/GameApplication.h"
#include "content/StageNumbering.h"

namespace {

constexpr float kDeg = 0.017453292519943295f;
float SinDeg(double d) { return float(std::sin(d * double(kDeg))); }
float CosDeg(double d) { return float(std::cos(d * double(kDeg))); }

const char* const kEffectFolder = "Resource\\Effect\\";
const char* const kAmbientFolder = "Resource\\Sound\\SFX\\Ambient\\";
constexpr int kWhirlpoolFrames = 600;
constexpr int kGustFrames = 60;

int EngineFrame() { return g_pApp ? int(g_pApp->m_nFrame) : 0; }

bool InCell(const CCom_GameRobot& r, int column, int row) {
    return int(r.m_vCell.x) == column && int(r.m_vCell.y) == row;
}

bool IsPlayerRobot(const CCom_GameRobot& r) { return !r.IsMachine() && r.m_iHp > 0; }

// Roles that no weather touches: one-shot robots and timers.
bool WeatherProof(const CCom_GameRobot& r) {
    return r.m_Unit.m_iRole == ROLE_ONESHOT || r.m_Unit.m_iRole == ROLE_TIMER;
}

// The ambience of each area fades over this part of its period.
struct SoundFade {
    int end;
    int frames;
};
SoundFade FadeOf(int area) {
    switch (area) {
    case 1: return {499, 30};
    case 2: return {299, 30};
    default: return {599, 15};
    }
}

}  // namespace

void CPageGame::SetUpWeather() {
    const int stage = CurrentStage();
    m_pWeatherArt = m_pWhirlpoolArt = nullptr;
    m_pAmbienceSound = nullptr;
    auto art = [this](const char* name) {
        CVxBillboard* b = Picture(name, kEffectFolder);
        if (b) b->SetAlphaBlend(true);
        return b;
    };
    const char* sound = nullptr;
    switch (GetStageWorld(stage)) {
    case 1:
        m_pWeatherArt = art("Efx_Rain.png");
        sound = "Sfx_Rain.ogg";
        break;
    case 2:
        m_pWeatherArt = g_pGameAppInstance ? g_pGameAppInstance->m_apBbdHit[2] : nullptr;
        sound = "Sfx_Earthquake.ogg";
        break;
    case 3:
        m_pWeatherArt = art("Efx_Oxygen.png");
        m_pWhirlpoolArt = art("Bbd_Whirlpool.png");
        sound = "Sfx_Water.ogg";
        break;
    case 4:
        m_pWeatherArt = art("Bbd_SnowWind.png");
        sound = "Sfx_Wind.ogg";
        break;
    default: return;
    }
    m_pAmbienceSound = Sound(sound, kAmbientFolder);
    // Rain, quake and water loop silently until a period fades them in; each
    // gust of wind plays its sound once at full volume.
    if (m_pAmbienceSound && GetStageWorld(stage) <= 3) {
        m_pAmbienceSound->m_dwPlayFlags = DSBPLAY_LOOPING;
        m_pAmbienceSound->SetVolumeFactor(0.0f);
    }
}

void CPageGame::UpdateWeatherHazards() {
    const int stage = CurrentStage();
    const int area = GetStageWorld(stage);
    const int R = m_iTimeLeft, T = m_iStageFrames, t = T - R;
    const int n = GetStageInEpisode(stage);
    ++m_iHazardTimer;
    if (R == 0)
        for (int& v : m_aiColumnHazard)
            if (v > 0) --v;

    if (R > 0 && R < T) {
        if (area == 1 && stage != 171) UpdateAcidRain(t, n);
        else if (area == 2 && stage != 174) UpdateEarthquake(t, n);
        else if (area == 3 && stage <= 150) UpdateWhirlpools(t, n);
        else if (area == 4) UpdateJetStreams(t, n);
    }

    if (m_iBattleState >= BATTLE_PLAYING && R <= 0 && area <= 3 && m_pAmbienceSound && m_pAmbienceSound->IsPlaying())
        m_pAmbienceSound->SetVolumeFactor(m_pAmbienceSound->m_fVolumeFactor - 0.01f);
}

// Acid rain: every tenth frame of a shower, a fifth of the columns takes a drop.
void CPageGame::UpdateAcidRain(int t, int n) {
    const int period = (200 - n) * 10;
    const int q = t % period;
    if (t <= 2000 || q >= 500) return;
    const int frame = EngineFrame();
    if (CVxBillboard* rain = m_pWeatherArt) {
        const float a = std::min(5.0f * SinDeg(double(q) * 180.0 / 500.0), 0.7f);
        rain->SaveState();
        rain->SetBlendMode(BLEND_ADD, rain->m_iAlphaRef);
        rain->SetDiffuse(a, a, a, a);
        for (int i = 0; i < 4; ++i) {
            float x = float((i % 2) * 400 - 200);
            const float y = float(512 - ((i / 2) * 512 + 10 * frame) % 1024);
            x -= 0.2f * y;
            rain->SetPosition(x, y, 0.0f);
            rain->RenderSRT();
        }
        rain->RestoreState();
    }
    if (q % 10 == 0) {
        for (int c = 0; c < FIELD_COLUMNS; ++c) {
            if (c % 5 != (q / 10) % 5) continue;
            for (int r = 0; r < FIELD_ROWS; ++r) {
                CCom_GameRobot* hit = nullptr;
                for (CCom_GameRobot& robot : m_lstRobots) {
                    if (!IsPlayerRobot(robot) || !InCell(robot, c, r) || WeatherProof(robot)) continue;
                    if (robot.m_Unit.m_iRole == ROLE_PLATFORM && robot.m_bPlatformOccupied) continue;
                    hit = &robot;
                    break;
                }
                if (hit) hit->TakeDamage(*this, 3);
                const FieldCell& k = m_aFieldCells[c * FIELD_ROWS + r];
                if (k.m_iStageKind == CELL_GROUND) {
                    AddFieldEffect(0, 23, k.m_fX, k.m_fY - 40.375f, k.m_fZ);
                    break;
                }
                if (hit) {
                    AddFieldEffect(0, 0, k.m_fX, k.m_fY, k.m_fZ);
                    break;
                }
            }
        }
    }
    UpdateWeatherSound(q);
}

// The earthquake shakes the screen and strikes the ground cells' robots.
void CPageGame::UpdateEarthquake(int t, int n) {
    const int period = (200 - n % 10) * 10;
    const int q = t % period;
    if (t <= 2000 || q >= 300) return;
    if (g_pGameAppInstance) g_pGameAppInstance->m_fScreenShake = SinDeg(double(q) * 180.0 / 300.0);
    if (q % 10 == 0) {
        for (int c = 0; c < FIELD_COLUMNS; ++c) {
            if (c % 5 != (q / 10) % 5) continue;
            for (int r = 0; r < FIELD_ROWS; ++r) {
                const FieldCell& k = m_aFieldCells[c * FIELD_ROWS + r];
                if (k.m_iStageKind != CELL_GROUND) continue;
                for (CCom_GameRobot& robot : m_lstRobots) {
                    if (!IsPlayerRobot(robot) || !InCell(robot, c, r) || WeatherProof(robot) ||
                        robot.m_Unit.m_iRole == ROLE_PLATFORM)
                        continue;
                    robot.TakeDamage(*this, 5);
                    AddFieldEffect(0, 0, robot.m_vLastPosition.x, robot.m_vLastPosition.y, robot.m_vLastPosition.z);
                }
                AddFieldEffect(0, 24, k.m_fX, k.m_fY - 40.375f, k.m_fZ);
            }
        }
    }
    UpdateWeatherSound(q);
}

// Whirlpools open in up to two water columns and strike their robots.
void CPageGame::UpdateWhirlpools(int t, int n) {
    auto cell = [this](int c, int r) -> const FieldCell& { return m_aFieldCells[c * FIELD_ROWS + r]; };
    if (t % ((100 - n % 10) * 10) == 0) {
        int chosen = 0;
        // Every scanned column takes its roll, free or not.
        for (int c = 0; c < FIELD_COLUMNS && chosen < 2; ++c) {
            const bool roll = VxRand() % 3 == 0;
            bool ground = false;
            for (int r = 0; r < FIELD_ROWS; ++r) ground = ground || cell(c, r).m_iStageKind == CELL_GROUND;
            if (m_aiColumnHazard[c] != 0 || ground || !roll) continue;
            m_aiColumnHazard[c] = kWhirlpoolFrames;
            ++chosen;
        }
    }
    for (int c = 0; c < FIELD_COLUMNS; ++c) {
        const int v = m_aiColumnHazard[c];
        if (v <= 0) continue;
        DrawWhirlpool(c, v);
        if (v % 100 == 10 * c) {
            for (CCom_GameRobot& robot : m_lstRobots) {
                if (!IsPlayerRobot(robot) || int(robot.m_vCell.x) != c || WeatherProof(robot)) continue;
                robot.TakeDamage(*this, 5);
                AddFieldEffect(0, 0, robot.m_vLastPosition.x, robot.m_vLastPosition.y, robot.m_vLastPosition.z);
            }
        }
        --m_aiColumnHazard[c];
        UpdateWeatherSound(kWhirlpoolFrames - v);
    }
}

// A whirlpool's column v frames before it closes: the pool and two helixes of bubbles.
void CPageGame::DrawWhirlpool(int c, int v) {
    const int frame = EngineFrame();
    const FieldCell& top = m_aFieldCells[c * FIELD_ROWS];
    const FieldCell& bottom = m_aFieldCells[c * FIELD_ROWS + FIELD_ROWS - 1];
    const float cx = top.m_fX;
    float alpha = 0.85f;
    if (v > 580) alpha = (1.0f - float(v - 580) * 0.05f) * 0.85f;
    else if (v < 20) alpha = float(v) * 0.05f * 0.85f;
    if (CVxBillboard* pool = m_pWhirlpoolArt) {
        pool->SaveState();
        pool->SetDiffuse(1.0f, 1.0f, 1.0f, alpha);
        pool->SetPosition(cx, 0.5f * (top.m_fY + bottom.m_fY), 0.0f);
        pool->RenderSRT();
        pool->RestoreState();
    }
    CVxBillboard* bubble = m_pWeatherArt;
    if (!bubble) return;
    for (int helix = 0; helix < 2; ++helix) {
        const float radius = helix == 0 ? 50.0f : 55.0f;
        const int speed = helix == 0 ? 10 : 20;
        for (int i = 0; i < 13; ++i) {
            const double a = -(75.0 * i + double(speed) * frame);
            bubble->SaveState();
            if (helix == 0) {
                bubble->SetSize(16.0f, 16.0f, 1.0f);
            } else {
                bubble->SetSize(50.0f, 4.0f, 1.0f);
                bubble->SetDiffuse(0.5f, 0.5f, 0.5f, 0.75f);
                bubble->SetBlendMode(BLEND_ADD, bubble->m_iAlphaRef);
                bubble->SetRotationDegrees(0.0f, 0.0f, -20.0f);
            }
            bubble->SetPosition(cx + radius * SinDeg(a), 50.0f * float(i) - 310.0f + 0.25f * radius * CosDeg(a), 0.0f);
            bubble->RenderSRT();
            bubble->RestoreState();
        }
    }
}

// Jet streams blow along air rows and lift the robots they pass.
void CPageGame::UpdateJetStreams(int t, int n) {
    auto cell = [this](int c, int r) -> const FieldCell& { return m_aFieldCells[c * FIELD_ROWS + r]; };
    if (t % ((60 - n % 10) * 10) == 0) {
        for (int r = 0; r < FIELD_ROWS; ++r) {
            if (m_aiColumnHazard[r] != 0 || cell(0, r).m_iStageKind != CELL_AIR) continue;
            if (VxRand() % 3 != 0) continue;
            m_aiColumnHazard[r] = kGustFrames;
            break;
        }
        UpdateWeatherSound(-1);
    }
    for (int r = 0; r < FIELD_ROWS; ++r) {
        const int v = m_aiColumnHazard[r];
        if (v <= 0) continue;
        const float gx = (cell(0, r).m_fX - 50.0f) + float(kGustFrames - v) * 15.0f;
        const float gy = cell(0, r).m_fY;
        if (CVxBillboard* gust = m_pWeatherArt) {
            gust->SetPosition(gx, gy, 0.0f);
            gust->RenderSRT();
        }
        for (CCom_GameRobot& robot : m_lstRobots) {
            if (!IsPlayerRobot(robot) || robot.m_Unit.m_iRole == ROLE_TIMER || robot.m_iPlatformTimer != 0) continue;
            if (std::fabs(robot.m_vPosition.y - gy) > 20.1875f || std::fabs(robot.m_vPosition.x - gx) > 15.0f) continue;
            const int c = int(robot.m_vCell.x), row = int(robot.m_vCell.y);
            if (c < 0 || c >= FIELD_COLUMNS || row < 0 || row >= FIELD_ROWS) continue;
            if (cell(c, row).m_iStageKind != CELL_AIR) continue;
            robot.m_iPlatformTimer = 10;
        }
        --m_aiColumnHazard[r];
    }
}

void CPageGame::UpdateWeatherSound(int t) {
    const int frame = EngineFrame();
    if (m_iWeatherSoundFrame == frame) return;
    m_iWeatherSoundFrame = frame;
    CVxSound* sound = m_pAmbienceSound;
    if (!sound) return;
    const int area = GetStageWorld(CurrentStage());
    if (area == 4) {
        sound->Stop();
        sound->Play();
        return;
    }
    if (area > 4) return;
    const SoundFade fade = FadeOf(area);
    const float step = 1.0f / float(fade.frames);
    if (t < fade.end - fade.frames) {
        if (!sound->IsPlaying()) sound->Play();
        sound->SetVolumeFactor(std::min(1.0f, sound->m_fVolumeFactor + step));
    } else {
        sound->SetVolumeFactor(std::max(0.0f, sound->m_fVolumeFactor - step));
        if (t == fade.end) {
            sound->SetVolumeFactor(0.0f);
            sound->Stop();
        }
    }
}

// How the weather of the third episode looks and sounds: its art and
// ambience, the acid rain, the quake's shake, the whirlpools and the gusts the
// model's hazards (battle/model/BattleWeather.cpp) leave to be seen, and the
// ambience fading in and out over each period.
#include <algorithm>
#include <cmath>

#include "battle/model/BattleWeather.h"
#include "battle/page/PageGame.h"
#include "content/StageRules.h"
#include "engine/VxBillboard.h"
#include "engine/VxSound.h"
#include "battle/model/SceneCues.h"
#include "game/GameApplication.h"

namespace {

constexpr float kDeg = 0.017453292519943295f;
float SinDeg(double d) { return float(std::sin(d * double(kDeg))); }
float CosDeg(double d) { return float(std::cos(d * double(kDeg))); }

const char* const kEffectFolder = "Resource\\Effect\\";
const char* const kAmbientFolder = "Resource\\Sound\\SFX\\Ambient\\";

int EngineFrame() { return g_pApp ? int(g_pApp->m_nFrame) : 0; }

// The ambience of each area fades over this part of its period.
struct SoundFade {
    int end;
    int frames;
};
SoundFade FadeOf(StageWeather weather) {
    switch (weather) {
    case StageWeather::AcidRain: return {499, 30};
    case StageWeather::Earthquake: return {299, 30};
    default: return {599, 15};
    }
}

// Rain, quake and water loop their sound; each gust of wind plays its own.
bool LoopsItsSound(StageWeather weather) {
    return weather == StageWeather::AcidRain || weather == StageWeather::Earthquake ||
           weather == StageWeather::Whirlpools;
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
    switch (WeatherOf(stage)) {
    case StageWeather::AcidRain:
        m_pWeatherArt = art("Efx_Rain.png");
        sound = "Sfx_Rain.ogg";
        break;
    case StageWeather::Earthquake:
        m_pWeatherArt = g_pGameAppInstance ? g_pGameAppInstance->m_apBbdHit[2] : nullptr;
        sound = "Sfx_Earthquake.ogg";
        break;
    case StageWeather::Whirlpools:
        m_pWeatherArt = art("Efx_Oxygen.png");
        m_pWhirlpoolArt = art("Bbd_Whirlpool.png");
        sound = "Sfx_Water.ogg";
        break;
    case StageWeather::JetStreams:
        m_pWeatherArt = art("Bbd_SnowWind.png");
        sound = "Sfx_Wind.ogg";
        break;
    default: return;
    }
    m_pAmbienceSound = Sound(sound, kAmbientFolder);
    // Rain, quake and water loop silently until a period fades them in; each
    // gust of wind plays its sound once at full volume.
    if (m_pAmbienceSound && LoopsItsSound(WeatherOf(stage))) {
        m_pAmbienceSound->m_dwPlayFlags = DSBPLAY_LOOPING;
        m_pAmbienceSound->SetVolumeFactor(0.0f);
    }
}

void CPageGame::ShakeScreen() {
    float amplitude = 0.0f;
    if (TakeScreenShake(m_Battle.Scene(), amplitude) && g_pGameAppInstance)
        g_pGameAppInstance->m_fScreenShake = amplitude;
}

void CPageGame::ShowWeather(const WeatherFrame& seen) {
    const int frame = EngineFrame();
    if (seen.rain >= 0) DrawAcidRain(seen.rain, frame);
    // A jolt the field's frame asked for comes before the quake's.
    ShakeScreen();
    if (seen.quake >= 0 && g_pGameAppInstance)
        g_pGameAppInstance->m_fScreenShake = SinDeg(double(seen.quake) * 180.0 / 300.0);
    for (int c = 0; c < FIELD_COLUMNS; ++c)
        if (seen.whirlpools[c] > 0) DrawWhirlpool(c, seen.whirlpools[c]);
    for (int r = 0; r < FIELD_ROWS; ++r) {
        CVxBillboard* gust = m_pWeatherArt;
        if (seen.gusts[r] <= 0 || !gust) continue;
        const VxVec3 g = GustPoint(m_Battle, r, seen.gusts[r]);
        gust->SetPosition(g.x, g.y, 0.0f);
        gust->RenderSRT();
    }
    if (seen.ambienceStep) UpdateWeatherSound(seen.ambienceFrame);

    // Past the clock the ambience fades out.
    if (m_Battle.State().m_iBattleState >= BATTLE_PLAYING && m_Battle.State().m_iTimeLeft <= 0 &&
        LoopsItsSound(WeatherOf(CurrentStage())) && m_pAmbienceSound && m_pAmbienceSound->IsPlaying())
        m_pAmbienceSound->SetVolumeFactor(m_pAmbienceSound->m_fVolumeFactor - 0.01f);
}

// The acid shower q frames in: the rain's sheets slant down the screen.
void CPageGame::DrawAcidRain(int q, int frame) {
    CVxBillboard* rain = m_pWeatherArt;
    if (!rain) return;
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

// A whirlpool's column v frames before it closes: the pool and two helixes of bubbles.
void CPageGame::DrawWhirlpool(int c, int v) {
    const int frame = EngineFrame();
    const FieldCell& top = m_Battle.State().m_aFieldCells[c * FIELD_ROWS];
    const FieldCell& bottom = m_Battle.State().m_aFieldCells[c * FIELD_ROWS + FIELD_ROWS - 1];
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

void CPageGame::UpdateWeatherSound(int t) {
    const int frame = EngineFrame();
    if (m_iWeatherSoundFrame == frame) return;
    m_iWeatherSoundFrame = frame;
    CVxSound* sound = m_pAmbienceSound;
    if (!sound) return;
    const StageWeather weather = WeatherOf(CurrentStage());
    if (weather == StageWeather::JetStreams) {
        sound->Stop();
        sound->Play();
        return;
    }
    if (!LoopsItsSound(weather)) return;
    const SoundFade fade = FadeOf(weather);
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

// The field effects' pictures: short animations kept by value in the
// battle's list (bursts, dust, blasts, marks), drawn with shared billboards at
// the point of the logic pass where they are stepped. What a few of them do
// to the battle is in battle/model/FieldEffectRules.
#include <cmath>

#include "battle/model/FieldEffectRules.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameRobot.h"
#include "engine/VxBillboard.h"
#include "engine/VxSound.h"
#include "game/GameApplication.h"
#include "content/MiniGameTable.h"
#include "content/UnitIds.h"

namespace {

constexpr double kDeg = 0.017453292519943295;
// The variant word of every record: nobody changes it.
constexpr int kVariant = 0;

float Sin(double degrees) { return float(std::sin(degrees * kDeg)); }
float Cos(double degrees) { return float(std::cos(degrees * kDeg)); }

struct Colour {
    float r = 1.0f, g = 1.0f, b = 1.0f, a = 1.0f;
};

// One billboard step: the picture's own state is put back afterwards.
struct Step {
    float x = 0.0f, y = 0.0f, z = 0.0f;
    float scale = 1.0f;
    float size = 0.0f;  // n x n pixels before the scale; 0 keeps the loader's size
    Colour colour;
    bool additive = false;
    bool alphaBlend = false;
    float rotation = 0.0f;  // degrees about z
    bool additiveColour = false;
};

void Draw(CVxBillboard* b, const Step& s) {
    if (!b) return;
    b->SaveState();
    if (s.alphaBlend) b->SetAlphaBlend(true);
    if (s.size > 0.0f) b->SetSize2D(s.size);
    b->ScaleSizeUniform(s.scale);
    b->SetDiffuse(s.colour.r, s.colour.g, s.colour.b, s.colour.a);
    if (s.additive) b->SetBlendMode(BLEND_ADD, b->m_iAlphaRef);
    if (s.additiveColour) b->m_iTextureOp = 1;
    b->SetRotationDegrees(0.0f, 0.0f, s.rotation);
    b->SetPosition(s.x, s.y, s.z);
    b->RenderSRT();
    b->RestoreState();
}

// A copy at angle a (from +y toward +x) and radius r around (cx, cy).
Step At(float cx, float cy, double a, float r) {
    Step s;
    s.x = cx + r * Sin(a);
    s.y = cy + r * Cos(a);
    return s;
}

CVxBillboard* Hit(int i) { return g_pGameAppInstance ? g_pGameAppInstance->m_apBbdHit[i] : nullptr; }
CVxBillboard* LightPicture() { return Hit(0); }
CVxBillboard* SmokePicture() { return Hit(1); }
CVxBillboard* StonePicture() { return Hit(2); }
CVxBillboard* TargetMarkPicture() { return Hit(3); }

const RobotArt* ArtOf(const CPageGame& page, int source) {
    if (source >= 0 && source < HAND_SLOTS) return &page.m_aHandArt[source];
    const int k = source - 1000;
    if (k >= 0 && k < STAGE_ENEMY_RECORDS) return &page.m_aEnemyArt[k];
    return nullptr;
}
CVxBillboard* WeaponPicture(const CPageGame& page, int source) {
    const RobotArt* art = ArtOf(page, source);
    return art ? art->m_pWeapon : nullptr;
}
CVxBillboard* ImpactPicture(const CPageGame& page, int source) {
    const RobotArt* art = ArtOf(page, source);
    return art ? art->m_pWeapon2 : nullptr;
}
CVxBillboard* UnitPicture(const CPageGame& page, int source) {
    const RobotArt* art = ArtOf(page, source);
    return art ? art->m_apAct[0][0] : nullptr;
}

void SmokeRing(float cx, float cy, int age, float t, float base, float step) {
    for (int k = 0; k < 4; ++k) {
        Step s = At(cx, cy, 45.0 + 61.0 * kVariant + 90.0 * k, (base + step * float(k)) * float(age));
        s.scale = 0.8f - 0.75f * t;
        Draw(SmokePicture(), s);
    }
}

struct Light {
    int n = 6;
    float base = 0.5f, step = 0.3f, offset = 0.0f;
    float size = 0.0f;
    float scale = 0.5f;
    Colour colour;
};
Light MakeLight(int n, float base, float step, float offset, float scale = 0.5f, Colour colour = Colour{}) {
    Light l;
    l.n = n, l.base = base, l.step = step, l.offset = offset, l.scale = scale, l.colour = colour;
    return l;
}

void LightRing(float cx, float cy, int age, float t, const Light& l) {
    for (int k = 0; k < l.n; ++k) {
        Step s = At(cx, cy, 45.0 + 75.0 * kVariant + 77.0 * k, (l.base + l.step * float(k)) * float(age) + l.offset);
        s.additive = true;
        s.size = l.size;
        s.scale = l.scale * (1.0f - t);
        s.colour = l.colour;
        Draw(LightPicture(), s);
    }
}

// Four puffs on a flattened arc (a quarter as high as wide).
void DustArc(float cx, float cy, int age, float offset, Colour c, float scale) {
    int i = 0;
    for (double a = 60.0; a > -120.0; a -= 45.0, ++i) {
        const float r = (0.5f + 0.5f * float(i)) * float(age) + offset;
        Step s;
        s.x = cx + r * Sin(a);
        s.y = cy + 0.25f * r * Cos(a);
        s.colour = c;
        s.scale = scale;
        Draw(SmokePicture(), s);
    }
}

// Three stones thrown up and falling back; dx(j) and size(j) per stone.
template <class Dx, class Size>
void Stones(CVxBillboard* picture, float x, float y, float t, float c, Dx dx, Size size, bool alphaBlend) {
    const float h = Sin(180.0 * t) * (c + 20.0f * t + 5.0f * float(kVariant % 3));
    for (int j = 0; j < 3; ++j) {
        Step s;
        s.x = x + dx(j);
        s.y = y + h;
        s.scale = (0.1f + 0.03f * size(j)) * 4.0f;
        s.alphaBlend = alphaBlend;
        Draw(picture, s);
    }
}

// The split: the Stingray swells and fades, and three copies fly out to where
// its three small ones appear.
void DrawSplit(const CPageGame& page, float x, float y, float z, int age, int source) {
    CVxBillboard* picture = UnitPicture(page, source);
    if (age < 15) {
        const float u = float(age) / 15.0f;
        if (picture) {
            picture->SaveState();
            picture->m_iTextureOp = 1;
            picture->SetDiffuse(0.5f * u, 0.5f * u, 0.5f * u, 1.0f - 0.75f * u);
            picture->ScaleSize2D(1.0f + 0.35f * u, 1.0f + 1.25f * u);
            picture->SetPosition(x, y, z);
            picture->RenderSRT();
            picture->RestoreState();
        }
    }
    if (age < 30) {
        const float g = 0.25f + 0.15f * Sin(30.0 * age);
        for (int k = 0; k < 3; ++k) {
            Step s = At(x, y, SplitCopyAngle(k), SplitCopyRadius(k, age));
            s.colour = Colour{g, g, g, 1.0f};
            s.scale = 0.5f;
            s.additiveColour = true;
            Draw(picture, s);
        }
        Light l;
        l.base = 2.5f;
        LightRing(x, y, age, float(age) / 30.0f, l);
    }
}

// What every kind reads of its record in one frame.
struct Frame {
    FieldEffectType type = FIELD_EFFECT_HIT;
    int age = 0;
    float t = 0.0f;  // age in seconds
    float x = 0.0f, y = 0.0f, z = 0.0f;
    int source = 0;
    bool early = false;  // most kinds draw in ages 0 to 29
};

Frame FrameOf(const FieldEffect& fx) {
    Frame f;
    f.type = FieldEffectKind(fx);
    f.age = fx.age;
    f.t = float(f.age) / 30.0f;
    f.x = fx.params[0].f, f.y = fx.params[1].f, f.z = fx.params[2].f;
    f.source = fx.params[3].i;
    f.early = f.age < 30;
    return f;
}

Light RedLight() {
    Light red;
    red.size = 16.0f;
    red.colour = Colour{1.0f, 0.0f, 0.0f, 1.0f};
    red.base = 5.5f;
    return red;
}

// The hits, rings, wide burst and smoke fan: smoke puffs and rings of light.
void DrawSmokeAndLight(const Frame& f) {
    const int age = f.age;
    const float t = f.t, x = f.x, y = f.y;
    if (!f.early) return;
    switch (f.type) {
    case FIELD_EFFECT_HIT:
        SmokeRing(x, y, age, t, 0.5f, 0.25f);
        LightRing(x, y, age, t, Light{});
        break;
    case FIELD_EFFECT_SPARK_RING: LightRing(x, y, age, t, MakeLight(12, 0.5f, 0.3f, 50.0f)); break;
    case FIELD_EFFECT_SMOKE_SPREAD:
        for (int k = 0; k <= 6; k += 2) {
            Step s = At(x, y, 45.0 + 90.0 * k, (float(k) + 0.5f) * float(age));
            s.scale = 0.8f - 0.75f * t;
            Draw(SmokePicture(), s);
        }
        break;
    case FIELD_EFFECT_SMOKE_SPARK_RING:
        SmokeRing(x, y, age, t, 0.5f, 0.5f);
        LightRing(x, y, age, t, MakeLight(12, 0.5f, 0.6f, 50.0f));
        break;
    case FIELD_EFFECT_WIDE_BURST:
        for (int k = 0; k < 6; ++k) {
            Step s = At(x, y, 45.0 + 17.0 * k, (0.75f + 0.85f * float(k)) * float(age) + 5.0f);
            s.colour.a = 1.0f - 0.5f * t;
            s.scale = 0.8f - t;
            Draw(SmokePicture(), s);
        }
        LightRing(x, y, age, t, MakeLight(7, 0.5f, 0.025f, 30.0f, 0.75f));
        break;
    case FIELD_EFFECT_RED_HIT:
        SmokeRing(x, y, age, t, 1.5f, 0.25f);
        LightRing(x, y, age, t, MakeLight(6, 1.5f, 0.3f, 0.0f, 0.5f, Colour{1.0f, 0.0f, 0.0f, 1.0f}));
        break;
    case FIELD_EFFECT_SMOKE_FAN:
        for (int k = 0; k < 4; ++k) {
            Step s = At(x, y, 60.0 - 45.0 * k, (0.5f + 0.25f * float(k)) * float(age));
            s.colour.a = 1.0f - 0.5f * t;
            s.scale = 0.8f - 0.75f * t;
            Draw(SmokePicture(), s);
        }
        break;
    default: break;
    }
}

// The shot streaks: eight streaks of the weapon's picture at the angles and lengths
// the rules rolled as the record came to be shown (ShowsStreaks).
void DrawStreaks(const CPageGame& page, const Frame& f) {
    if (f.age >= 10) return;
    CVxBillboard* b = WeaponPicture(page, f.source);
    if (!b) return;
    const StreakRolls& rolls = page.m_Battle.State().m_StreakRolls;
    for (int n = 0; n < STREAKS; ++n) {
        const double a = 45.0 * n + 20.0 + 61.0 * kVariant + double(rolls.turn[n]);
        const float len = float(60 - rolls.shorten[n]);
        b->SaveState();
        const float hgt = len + 20.0f + 2.0f * float(rolls.lift[n]);
        const VxMatrix m1 = MatrixMultiply(MatrixScaling(len, hgt, 1.0f), MatrixTranslation(-len / 2.0f, 0.0f, 0.0f));
        const VxMatrix m2 =
            MatrixMultiply(MatrixRotationZ(float(a * kDeg)), MatrixTranslation(len / 2.0f + 20.0f, 0.0f, 0.0f));
        const VxMatrix m3 = MatrixTranslation(f.x - len / 2.0f, f.y, 0.0f);
        b->m_matWorld = MatrixMultiply(MatrixMultiply(m1, m2), m3);
        b->SetBlendMode(BLEND_ADD, b->m_iAlphaRef);
        b->Render();
        b->RestoreState();
    }
}

// The shot kinds: the firing unit's own weapon picture, scattered, swelling or held.
void DrawWeaponBurst(const CPageGame& page, const Frame& f) {
    const FieldEffectType type = f.type;
    const int age = f.age, source = f.source;
    const float t = f.t, x = f.x, y = f.y, z = f.z;
    switch (type) {
    case FIELD_EFFECT_SHOT_BURST:
    case FIELD_EFFECT_SHOT_BURST_ADD:
        if (!f.early) break;
        for (int k = 0; k < 4; ++k) {
            Step s = At(x, y, 45.0 + 90.0 * k, (0.5f + 0.25f * float(k)) * float(age));
            s.scale = 0.8f - 0.5f * t;
            s.additive = type == FIELD_EFFECT_SHOT_BURST_ADD;
            Draw(WeaponPicture(page, source), s);
        }
        break;
    case FIELD_EFFECT_SHOT_SWELL:
    case FIELD_EFFECT_SHOT_SWELL_ADD: {
        if (age >= 20) break;
        Step s;
        s.x = x, s.y = y, s.z = z;
        s.colour.a = 1.0f - float(age) / 20.0f;
        s.scale = 1.0f + 0.75f * float(age) / 20.0f;
        s.additive = type == FIELD_EFFECT_SHOT_SWELL_ADD;
        Draw(source >= 1000 ? ImpactPicture(page, source) : WeaponPicture(page, source), s);
        break;
    }
    case FIELD_EFFECT_SHOT_STREAKS: DrawStreaks(page, f); break;
    case FIELD_EFFECT_SHOT_RISE:
        if (!f.early) break;
        for (int k = 0; k < 4; ++k) {
            Step s = At(x, y + 50.0f * t, 45.0 + 90.0 * k, (0.5f + 0.25f * float(k)) * float(age));
            s.additive = true;
            s.scale = 0.5f - 0.5f * t;
            Draw(WeaponPicture(page, source), s);
        }
        break;
    case FIELD_EFFECT_SHOT_STAY:
    case FIELD_EFFECT_SHOT_SPIN: {
        Step s;
        s.x = x, s.y = y, s.z = z;
        if (type == FIELD_EFFECT_SHOT_SPIN) {
            s.scale = 1.25f;
            s.rotation = 15.0f * float(g_pApp ? int(g_pApp->m_nFrame) : 0);
        }
        Draw(WeaponPicture(page, source), s);
        break;
    }
    default: break;
    }
}

// The glow bursts, blast and bomb blast: blasts that burst out and glow red, yellow or white.
void DrawBlast(const CPageGame& page, const Frame& f) {
    const FieldEffectType type = f.type;
    const int age = f.age, source = f.source;
    const float t = f.t, x = f.x, y = f.y, z = f.z;
    if (!f.early) return;
    Light l = RedLight();
    if (type == FIELD_EFFECT_GLOW_BURST || type == FIELD_EFFECT_RED_GLOW_BURST) {
        CVxBillboard* b = type == FIELD_EFFECT_GLOW_BURST ? ImpactPicture(page, source >= 1000 ? source - 1000 : source)
                                                          : page.m_pFieldBlastArt;
        const float base = type == FIELD_EFFECT_GLOW_BURST ? 1.5f : 2.5f;
        for (int k = 0; k < 4; ++k) {
            Step s = At(x, y, 45.0 + 90.0 * k, (base + 0.25f * float(k)) * float(age));
            s.alphaBlend = true;
            s.additive = true;
            s.colour = Colour{0.5f, 0.5f, 0.5f, 1.0f};
            s.size = 64.0f;
            s.scale = 0.8f - 0.75f * t;
            Draw(b, s);
        }
        if (type == FIELD_EFFECT_GLOW_BURST) l.colour = Colour{1.0f, 1.0f, 0.0f, 1.0f}, l.base = 1.5f;
        LightRing(x, y, age, t, l);
        return;
    }
    Step s;
    s.x = x, s.y = y, s.z = z;
    s.colour.a = 1.0f - t;
    s.size = 128.0f;
    s.additive = true;
    s.scale = 1.0f + 0.5f * t;
    Draw(type == FIELD_EFFECT_BLAST ? page.m_pFieldBlastArt : page.m_pFieldBombArt, s);
    if (type == FIELD_EFFECT_BOMB_BLAST) l.colour = Colour{};
    LightRing(x, y, age, t, l);
}

// The burrow, ground and landing dust and the debris: dust thrown up, with stones or debris flying.
void DrawDust(const CPageGame& page, const Frame& f) {
    const FieldEffectType type = f.type;
    const int age = f.age;
    const float t = f.t, x = f.x, y = f.y;
    if (!f.early) return;
    if (type == FIELD_EFFECT_BURROW_DUST) {
        DustArc(x - 10.0f, y - 5.0f, age, 20.0f, Colour{1.0f, 1.0f, 1.0f, 0.25f - 0.15f * t}, 0.5f + 0.5f * t);
        Stones(
            StonePicture(), x, y, t, 10.0f, [age](int j) { return -float(j) * float(age + 10); },
            [](int j) { return float(2 - j); }, false);
        return;
    }
    const float cy = type == FIELD_EFFECT_LANDING_DUST ? y - 40.375f : y;
    DustArc(x, cy, age, 30.0f, Colour{1.0f, 1.0f, 1.0f, 0.5f - 0.5f * t}, 0.5f + 0.5f * t);
    if (type == FIELD_EFFECT_LANDING_DUST) return;
    CVxBillboard* stone = type == FIELD_EFFECT_GROUND_DUST ? StonePicture() : ImpactPicture(page, f.source);
    Stones(
        stone, x, y, t, 20.0f, [age](int j) { return float(2 * j - 2) * float(age + 10); },
        [](int j) { return float(j); }, type == FIELD_EFFECT_GROUND_DEBRIS);
}

// The target mark, and a unit's picture fanning out as it leaves.
void DrawMark(const CPageGame& page, const Frame& f) {
    const int age = f.age;
    if (f.type == FIELD_EFFECT_TARGET_MARK) {
        Step s;
        s.x = f.x, s.y = f.y;
        if (age < 20) {
            s.colour.a = 0.05f * float(age);
            s.scale = 1.45f - 0.025f * float(age);
        } else {
            s.scale = 0.9f;
            if (age >= 30) s.colour.a = 1.0f - 0.1f * float(age - 30);
        }
        Draw(TargetMarkPicture(), s);
        return;
    }
    CVxBillboard* b = UnitPicture(page, f.source);
    const float r = 60.0f + 3.0f * float(age);
    for (double a : {150.0, 180.0, 210.0}) {
        Step s;
        s.x = f.x + r * Sin(a);
        s.y = f.y + r * Cos(a) - float(age);
        s.colour = Colour{0.5f, 0.5f, 0.5f, age <= 20 ? 1.0f : 1.0f - 0.05f * float(age - 20)};
        s.scale = 0.4f;
        s.rotation = -90.0f;
        Draw(b, s);
    }
}

// The final bombardment: the destroyer's fall ends in a flash over the field.
void DrawDestroyerFlash(const Frame& f) {
    const int age = f.age;
    if (age <= 480) return;
    const float u = float(age - 480) / 120.0f;
    if (CVxBillboard* flash = g_pGameAppInstance ? g_pGameAppInstance->m_pBbdMark : nullptr) {
        flash->SaveState();
        flash->SetBlendMode(BLEND_ALPHA, flash->m_iAlphaRef);
        flash->SetSize2D(1024.0f);
        flash->SetDiffuse(1.0f, 1.0f, 1.0f, 0.5f + 0.5f * Sin(180.0 * u));
        flash->SetPosition(0.0f, 0.0f, 0.0f);
        flash->RenderSRT();
        flash->RestoreState();
    }
}

// The pictures of the kinds that also act on the battle (the bombardment shows nothing).
void DrawActing(const CPageGame& page, const Frame& f) {
    const int age = f.age, source = f.source;
    switch (f.type) {
    case FIELD_EFFECT_SPLIT_SPAWN: DrawSplit(page, f.x, f.y, f.z, age, source); break;
    case FIELD_EFFECT_FINAL_BOMBARDMENT: DrawDestroyerFlash(f); break;
    case FIELD_EFFECT_SHOT_RING: {
        CVxBillboard* b = source >= 0 && source < HAND_SLOTS ? page.m_aHandArt[source].m_pWeapon : nullptr;
        for (int n = 0; n < 10; ++n) {
            Step s = At(f.x, f.y, 45.0 + 61.0 * kVariant + 36.0 * n, 2.5f * float(age) + 50.0f);
            s.colour.a = 1.0f - float(age) / 50.0f;
            s.scale = 0.5f;
            Draw(b, s);
        }
        break;
    }
    default: break;
    }
}

void DrawKind(const CPageGame& page, const FieldEffect& fx) {
    const Frame f = FrameOf(fx);
    switch (f.type) {
    case FIELD_EFFECT_HIT:
    case FIELD_EFFECT_SPARK_RING:
    case FIELD_EFFECT_SMOKE_SPREAD:
    case FIELD_EFFECT_SMOKE_SPARK_RING:
    case FIELD_EFFECT_WIDE_BURST:
    case FIELD_EFFECT_RED_HIT:
    case FIELD_EFFECT_SMOKE_FAN: DrawSmokeAndLight(f); break;
    case FIELD_EFFECT_SHOT_BURST:
    case FIELD_EFFECT_SHOT_BURST_ADD:
    case FIELD_EFFECT_SHOT_SWELL:
    case FIELD_EFFECT_SHOT_SWELL_ADD:
    case FIELD_EFFECT_SHOT_STREAKS:
    case FIELD_EFFECT_SHOT_RISE:
    case FIELD_EFFECT_SHOT_STAY:
    case FIELD_EFFECT_SHOT_SPIN: DrawWeaponBurst(page, f); break;
    case FIELD_EFFECT_GLOW_BURST:
    case FIELD_EFFECT_RED_GLOW_BURST:
    case FIELD_EFFECT_BLAST:
    case FIELD_EFFECT_BOMB_BLAST: DrawBlast(page, f); break;
    case FIELD_EFFECT_BURROW_DUST:
    case FIELD_EFFECT_GROUND_DUST:
    case FIELD_EFFECT_GROUND_DEBRIS:
    case FIELD_EFFECT_LANDING_DUST: DrawDust(page, f); break;
    case FIELD_EFFECT_TARGET_MARK:
    case FIELD_EFFECT_BREAK_UP: DrawMark(page, f); break;
    case FIELD_EFFECT_SPLIT_SPAWN:
    case FIELD_EFFECT_BOMBARDMENT:
    case FIELD_EFFECT_FINAL_BOMBARDMENT:
    case FIELD_EFFECT_SHOT_RING: DrawActing(page, f); break;
    default: break;  // none and the reserved kinds show nothing: they only age
    }
}

}  // namespace

void DrawFieldEffect(const CPageGame& page, const FieldEffect& record) { DrawKind(page, record); }

void CPageGame::LoadFieldEffectArt() {
    // The weather's pictures of an earlier battle went with its resources.
    m_pWeatherArt = m_pWhirlpoolArt = nullptr;
    m_pFieldBlastArt = Picture("1007.png", "Resource\\Weapon\\");
    m_pFieldBombArt = Picture("0011.png", "Resource\\Weapon\\");
    // The blast and the bomb burst over the field: their clear parts must stay clear.
    for (CVxBillboard* burst : {m_pFieldBlastArt, m_pFieldBombArt})
        if (burst) burst->SetAlphaBlend(true);
    m_pSfxDestroyerDead = m_pSfxDestroyerBomb = nullptr;
    const int stage = g_pGameAppInstance ? int(g_pGameAppInstance->m_iCurrentStage) : 1;
    if (MiniGameRowOf(stage).destroyer != 0) {
        m_pSfxDestroyerDead = Sound("SFX_DestroyerDead.ogg", "Resource\\Sound\\SFX\\Game\\");
        m_pSfxDestroyerBomb = Sound("SFX_DestroyerBomb.ogg", "Resource\\Sound\\SFX\\Game\\");
    }
}

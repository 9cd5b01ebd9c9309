// A bullet's look: what Update took of it this frame, drawn in the manner of
// its kind with the firer's borrowed sprites.
#include <algorithm>
#include <cmath>

#include "battle/model/BattleModel.h"
#include "battle/model/BattleScene.h"
#include "battle/units/GameBullet.h"
#include "content/WeaponIds.h"
#include "engine/VxBillboard.h"

namespace {

constexpr float kDeg = 0.01745329238474369f;

struct Pass {
    float scale = 1.0f;
    float sx = 1.0f, sy = 1.0f;
    float r = 1.0f, g = 1.0f, b = 1.0f, a = 1.0f;
    bool additive = false;    // blend mode add
    bool addTexture = false;  // texture colour added, not modulated
    float size = 0.0f;        // > 0: the sprite's size (uniform) before scaling
    bool hasRotation = false;
    float rotation = 0.0f;
};

// Draws the borrowed sprite at a point and puts its state back.
void Blit(CVxBillboard* sprite, const VxVec3& at, float rotationZ, const Pass& p) {
    if (!sprite) return;
    sprite->SaveState();
    if (p.size > 0.0f) sprite->SetSizeUniform(p.size);
    sprite->SetPosition(at.x, at.y, at.z);
    sprite->SetRotation(0.0f, 0.0f, p.hasRotation ? p.rotation : rotationZ);
    sprite->SetScale(p.scale * p.sx, p.scale * p.sy, 1.0f);
    sprite->SetDiffuse(p.r, p.g, p.b, p.a);
    sprite->m_iTextureOp = p.addTexture ? 1 : 0;
    if (p.additive) sprite->SetBlendMode(BLEND_ADD, sprite->m_iAlphaRef);
    sprite->RenderSRT();
    sprite->RestoreState();
}

float Pulse(int serial, int frame) { return (0.5f - 0.5f * std::sin(float((serial * 7 + frame) * 10) * kDeg)) * 0.1f; }

}  // namespace

BulletArt BulletArtOf(const BattleScene& scene, int graphic) {
    if (graphic >= 0 && graphic < HAND_SLOTS)
        return {scene.m_aHandArt[graphic].m_pWeapon, scene.m_aHandArt[graphic].m_pWeapon2};
    if (graphic >= 1000 && graphic % 1000 < STAGE_ENEMY_RECORDS)
        return {scene.m_aEnemyArt[graphic % 1000].m_pWeapon, scene.m_aEnemyArt[graphic % 1000].m_pWeapon2};
    return {};
}

void CCom_GameBullet::Draw(const CBattleModel& model) const {
    if (!m_Look.shown) return;
    BulletArt art = BulletArtOf(model.Scene(), m_iGraphic);
    if (m_iBulletKind == WeaponId::BomberBlast && art.second) art.main = art.second;
    switch (m_iBulletKind) {
    case WeaponId::FreezerShot: DrawFrost(art.main); break;
    case WeaponId::Snowball: DrawSnowball(art.main); break;
    case WeaponId::MineBlast:
    case WeaponId::SonarPulse:
    case WeaponId::BomberBlast:
    case WeaponId::TimeBombBlast:
    case WeaponId::Hammer:
    case WeaponId::AtomicBlast:
    case WeaponId::PlasmaBurst:
    case WeaponId::ReaperScythe: DrawBurst(art.main, art.second); break;
    case WeaponId::Flame:
    case WeaponId::WarriorBlade:
    case WeaponId::Storm:
    case WeaponId::KnightLance:
    case WeaponId::StrikerBeam:
    case WeaponId::DestroyerVolley: DrawStream(art.main, art.second); break;
    case WeaponId::Shock:
    case WeaponId::PlasmaShot:
    case WeaponId::SpiderWeb:
    case WeaponId::SniperShot:
    case WeaponId::Mortar:
    case WeaponId::Magnet:
    case WeaponId::MoleDrill: DrawLinked(art.main); break;
    case WeaponId::GunnerShot:
    case WeaponId::AimedGun:
    case WeaponId::Boomerang:
    case WeaponId::Missile:
    case WeaponId::FixerBeam:
    case WeaponId::Shotgun:
    case WeaponId::SonarAirPulse:
    case WeaponId::WagonShell: DrawDart(art.main, art.second); break;
    default: DrawPlain(art.main, art.second); break;
    }
}

void CCom_GameBullet::DrawDart(CVxBillboard* main, CVxBillboard* second) const {
    const VxVec3 at = m_Look.at;
    const float rot = m_Look.rot;
    const int t = m_Look.frame;
    switch (m_iBulletKind) {
    case WeaponId::GunnerShot:
    case WeaponId::AimedGun:
        if (m_iOwnerUpgrade != 0 && second) {
            Pass p;
            p.addTexture = true;
            p.r = p.g = p.b = Pulse(m_iSerial, t);
            Blit(second, at, rot, p);
        } else {
            Blit(main, at, rot, Pass{});
        }
        break;
    case WeaponId::Boomerang: {
        Pass p;
        p.scale = m_iOwnerUpgrade != 0 ? 1.1f : 1.0f;
        Blit(main, at, rot, p);
        break;
    }
    case WeaponId::Missile:
        // Two frames side by side in one picture, flipping every ten frames.
        if (main) {
            main->SaveState();
            main->SetTextureRect(float(((m_iSerial * 90 + t) / 10) % 2) * 0.5f, 0.0f, 0.5f, 1.0f);
            Blit(main, at, rot, Pass{});
            main->RestoreState();
        }
        break;
    case WeaponId::FixerBeam: {
        Pass p;
        p.hasRotation = true;
        p.rotation = float(t) * 20.0f * kDeg;
        Blit(main, at, rot, p);
        p.scale = 1.15f;
        p.additive = true;
        Blit(main, at, rot, p);
        break;
    }
    case WeaponId::Shotgun: {
        Pass p;
        p.scale = 0.5f;
        Blit(main, at, rot, p);
        p.scale = 0.65f;
        p.additive = true;
        Blit(main, at, rot, p);
        break;
    }
    case WeaponId::SonarAirPulse:
        for (int i = 0; i < 3; ++i) {
            Pass p;
            p.a = 1.0f - 0.3f * float(i);
            Blit(main, VxVec3{at.x - m_vVelocity.x * float(i) * 2.0f, at.y - m_vVelocity.y * float(i) * 2.0f, at.z},
                 rot, p);
        }
        break;
    case WeaponId::WagonShell: Blit(main, at, rot, Pass{}); break;
    default: break;
    }
}

void CCom_GameBullet::DrawPlain(CVxBillboard* main, CVxBillboard* second) const {
    // Cannon and copter shots, bombs, bubbles, torpedoes, machine-gun rounds, recycling and the Machines' napalm,
    // torpedoes and sea guns; any kind without its own row.
    const WeaponId kind = m_iBulletKind;
    const bool upgraded = m_iOwnerUpgrade != 0;
    const VxVec3 at = m_Look.at;
    const float rot = m_Look.rot;
    const int t = m_Look.frame;
    Pass p;
    if (kind == WeaponId::Bubble && !upgraded) p.scale = 0.8f;
    if (kind == WeaponId::CannonShell && upgraded && second) {
        p.addTexture = true;
        p.r = p.g = p.b = Pulse(m_iSerial, t);
        Blit(second, at, rot, p);
    } else if (kind == WeaponId::DiverTorpedo && upgraded) {
        p.scale = 1.2f;
        p.addTexture = true;
        p.r = p.g = p.b = 0.75f + 0.25f * std::sin(float(m_iSerial * 73 + t * 20) * kDeg);
        Blit(main, at, rot, p);
    } else if (kind == WeaponId::MachineGun) {
        if (m_Look.age >= 11) {
            p.size = 110.0f;
            p.hasRotation = true;
            p.rotation = float(m_Look.age) * 15.0f * kDeg;
            Pass a = p;
            a.additive = true;
            a.r = a.g = a.b = a.a = 0.5f;
            Blit(main, at, rot, a);
            p.a = 0.75f;
            Blit(main, at, rot, p);
        }
    } else {
        Blit(main, at, rot, p);
        if (kind == WeaponId::DropperBomb && upgraded && second) {
            Pass q;
            q.scale = 1.1f;
            q.a = 0.85f;
            Blit(second, at, rot, q);
        }
    }
}

void CCom_GameBullet::DrawFrost(CVxBillboard* main) const {
    const bool upgraded = m_iOwnerUpgrade != 0;
    const VxVec3 at = m_Look.at;
    const float rot = m_Look.rot;
    const int age = m_Look.age;
    Pass p;
    p.hasRotation = true;
    p.rotation = float(age) * (upgraded ? 10.0f : 3.0f) * kDeg;
    p.scale = upgraded ? 1.25f : 0.85f;
    Pass add = p;
    add.additive = true;
    Blit(main, at, rot, add);
    Blit(main, at, rot, p);
    add.a = 0.5f + 0.5f * std::sin(float(m_Look.frame) * 20.0f * kDeg);
    Blit(main, at, rot, add);
    const int ghosts = upgraded ? 4 : 3;
    for (int i = 1; i <= ghosts; ++i) {
        Pass g = p;
        g.a = upgraded ? 0.35f : 0.6f / float(i);
        if (upgraded) g.scale = 0.45f;
        Blit(main, VxVec3{at.x - m_vVelocity.x * float(i), at.y - m_vVelocity.y * float(i), at.z}, rot, g);
    }
}

void CCom_GameBullet::DrawSnowball(CVxBillboard* main) const {
    Pass p;
    p.sy = SnowballHeight(m_Look.hitsLeft, m_Weapon.m_iHits);
    if (m_Look.hopping) {
        // Glows orange through its hop.
        const float s = std::sin(float(m_Look.hopTimer) * 9.0f * kDeg);
        p.addTexture = true;
        p.r = 0.5f * s + 0.5f;
        p.g = p.r * 0.5f;
        p.b = 0.0f;
    }
    Blit(main, m_Look.at, m_Look.rot, p);
}

void CCom_GameBullet::DrawBurst(CVxBillboard* main, CVxBillboard* second) const {
    const int age = m_Look.age;
    const float life = m_iLifetime > 0 ? float(age) / float(m_iLifetime) : 1.0f;
    Pass p;
    switch (m_iBulletKind) {
    case WeaponId::MineBlast:
        p.scale = 1.5f * life;
        p.r = p.g = p.b = 1.0f - life;
        break;
    case WeaponId::SonarPulse:
        p.scale = float(age) * 0.05f;
        p.r = p.g = p.b = 1.0f - life;
        break;
    case WeaponId::BomberBlast:
    case WeaponId::TimeBombBlast:
        p.scale = float(age) * 0.06f;
        p.a = std::max(0.0f, 1.0f - float(age) / 30.0f);
        p.additive = true;
        break;
    case WeaponId::Hammer:
    case WeaponId::AtomicBlast:
        p.scale = float(age) * 0.5f;
        p.additive = true;
        break;
    case WeaponId::PlasmaBurst:
        p.scale = m_iOwnerUpgrade != 0 ? 4.0f : float(age) * 0.25f;
        p.additive = true;
        break;
    case WeaponId::ReaperScythe:
        p.hasRotation = true;
        p.rotation = -float(age * 36) * kDeg;
        p.scale = 1.0f + 0.05f * float(age);
        p.additive = true;
        Blit(second ? second : main, m_Look.at, m_Look.rot, p);
        return;
    default: break;
    }
    Blit(main, m_Look.at, m_Look.rot, p);
}

void CCom_GameBullet::DrawStream(CVxBillboard* main, CVxBillboard* second) const {
    const bool upgraded = m_iOwnerUpgrade != 0;
    const VxVec3 at = m_Look.at;
    const float rot = m_Look.rot;
    const int t = m_Look.frame;
    const int age = m_Look.age;
    switch (m_iBulletKind) {
    case WeaponId::Flame:
        for (int i = 0; i < (upgraded ? 4 : 3); ++i) {
            Pass p;
            p.additive = true;
            p.sx = 1.0f + 0.15f * float(i);
            p.a = 0.5f + 0.3f * std::sin(float(t * 25 + i * 90) * kDeg);
            Blit(main, VxVec3{at.x - 40.0f * float(i + 1), at.y, at.z}, rot, p);
        }
        break;
    case WeaponId::WarriorBlade: {
        Pass p;
        p.hasRotation = true;
        p.rotation = -0.6981317f;
        p.sx = 0.5f;
        p.sy = 0.85f;
        p.additive = true;
        Blit(main, VxVec3{at.x - 80.0f, at.y + 30.0f, at.z}, rot, p);
        break;
    }
    case WeaponId::Storm: {
        // A cloud fading in and out with a lightning bolt under it.
        float a = 0.85f;
        if (age < 20) a *= float(age) / 20.0f;
        if (m_iLifetime - age < 20) a *= float(m_iLifetime - age) / 20.0f;
        Pass cloud;
        cloud.a = a;
        Blit(main, at, rot, cloud);
        Pass bolt;
        bolt.additive = true;
        bolt.a = a;
        bolt.hasRotation = true;
        bolt.rotation = 0.3f * std::sin(float(t) * 15.0f * kDeg);
        bolt.sx = (upgraded ? 64.0f : 32.0f) / std::max(1.0f, main ? main->m_vSize.x : 32.0f);
        Blit(second ? second : main, VxVec3{at.x, at.y - 80.0f, at.z}, rot, bolt);
        break;
    }
    case WeaponId::KnightLance: {
        Pass p;
        p.size = 0.0f;
        p.sx = 96.0f / std::max(1.0f, main ? main->m_vSize.x : 96.0f);
        p.sy = 256.0f / std::max(1.0f, main ? main->m_vSize.y : 256.0f);
        p.r = 1.0f, p.g = 0.3f, p.b = 0.3f, p.a = 0.5f;
        const VxVec3 beam{m_vAimPoint.x + 150.0f, m_vAimPoint.y + 30.0f, 0.0f};
        Blit(main, beam, rot, p);
        p.scale = 1.2f;
        p.r = p.g = p.b = p.a = 1.0f;
        Blit(main, beam, rot, p);
        break;
    }
    case WeaponId::StrikerBeam:
    case WeaponId::DestroyerVolley: {
        const float life = m_iLifetime > 0 ? float(age) / float(m_iLifetime) : 1.0f;
        Pass p;
        p.additive = true;
        p.sy = std::sin(life * 180.0f * kDeg) * (m_iBulletKind == WeaponId::DestroyerVolley ? 1.5f : 1.0f);
        Blit(main, at, rot, p);
        break;
    }
    default: break;
    }
}

void CCom_GameBullet::DrawLinked(CVxBillboard* main) const {
    const VxVec3 at = m_Look.at;
    const float rot = m_Look.rot;
    switch (m_iBulletKind) {
    case WeaponId::Shock:
        for (const VxVec3& spark : m_Look.sparks) {
            Pass p;
            p.additive = true;
            Blit(main, spark, rot, p);
        }
        break;
    case WeaponId::PlasmaShot:
        for (float spin : m_Look.spins) {
            Pass p;
            p.additive = true;
            p.hasRotation = true;
            p.rotation = spin;
            Blit(main, at, rot, p);
        }
        break;
    case WeaponId::SpiderWeb:
    case WeaponId::SniperShot: {
        Pass p;
        p.hasRotation = true;
        p.rotation = m_Look.turn;
        if (m_iBulletKind == WeaponId::SpiderWeb) p.scale = 0.75f;
        Blit(main, at, rot, p);
        break;
    }
    case WeaponId::Mortar: {
        Pass p;
        p.hasRotation = true;
        p.rotation = float(m_Look.age) * 12.0f * kDeg;
        Blit(main, at, rot, p);
        break;
    }
    case WeaponId::Magnet: Blit(main, at, rot, Pass{}); break;
    case WeaponId::MoleDrill: {
        Pass p;
        p.scale = 1.5f;
        p.a = m_Look.alpha;
        Blit(main, at, rot, p);
        break;
    }
    default: break;
    }
}

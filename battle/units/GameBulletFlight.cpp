// A bullet's frame: it moves by its motion, draws itself in the manner of
// its kind with the firer's borrowed sprites, runs its hit test on the frames
// its kind prescribes, and ages.
#include <algorithm>
#include <cmath>

#include "battle/effects/Effect_ItemTransToInterface.h"
#include "battle/units/FieldLookup.h"
#include "battle/units/GameBullet.h"
#include "battle/units/UnitContext.h"
#include "engine/VxBillboard.h"
#include "engine/VxMath.h"
#include "content/UnitIds.h"
#include "content/UnitDefinition.h"
#include "content/StageRules.h"

using namespace units;

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
void Draw(CVxBillboard* sprite, const VxVec3& at, float rotationZ, const Pass& p) {
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

void CCom_GameBullet::Render() {
    CPageGame* page = Page();
    if (!page) return;
    const int t = Frame();
    const int kind = m_iBulletKind;
    const bool upgraded = m_iOwnerUpgrade != 0;
    const float hw = m_Weapon.m_fAreaWidth, hh = m_Weapon.m_fAreaHeight;
    const float W = float(g_iScreenWidth), H = float(g_iScreenHeight);

    // 1. Sprites of the firer's art slot.
    CVxBillboard* main = nullptr;
    CVxBillboard* second = nullptr;
    if (m_iGraphic >= 0 && m_iGraphic < HAND_SLOTS) {
        main = page->m_aHandArt[m_iGraphic].m_pWeapon;
        second = page->m_aHandArt[m_iGraphic].m_pWeapon2;
    } else if (m_iGraphic >= 1000 && m_iGraphic % 1000 < STAGE_ENEMY_RECORDS) {
        main = page->m_aEnemyArt[m_iGraphic % 1000].m_pWeapon;
        second = page->m_aEnemyArt[m_iGraphic % 1000].m_pWeapon2;
    }
    bool mainAdditive = false;
    if (kind == 11 && second) {
        main = second;
        mainAdditive = true;
    }

    // 2. Lane.
    m_iLane = int(page->FindNearestCell(m_vPosition.x, m_vPosition.y, m_vPosition.z).y);

    // 3. Motion.
    switch (m_Weapon.m_iMotion) {
    case MOTION_STRAIGHT:
        m_vPosition.x += m_vVelocity.x;
        m_vPosition.y += m_vVelocity.y;
        m_vPosition.z += m_vVelocity.z;
        if (kind == 10) {
            m_vPosition.x += 2.0f * std::sin(float(m_iSerial * 70 + t * 20) * kDeg);
        } else if (kind == 3) {
            m_vRotation.z = float(m_iAge) * kDeg;
        } else if (kind == 14) {
            const float sh = main ? main->m_vSize.y : 0.0f;
            auto probeCell = [&] {
                return CellAt(page->m_aFieldCells,
                              page->FindNearestCell(m_vPosition.x, m_vPosition.y + sh * 0.5f - 40.375f, 0.0f));
            };
            const FieldCell* c = probeCell();
            const bool rolls = c && (c->m_iStageKind == CELL_GROUND || c->m_iStageKind == CELL_WATER_SURFACE) &&
                               c->m_fY <= m_vPosition.y;
            if (!rolls) {
                m_vPosition.y -= 10.0f;
                c = probeCell();
                if (c && (c->m_iStageKind == CELL_GROUND || c->m_iStageKind == CELL_WATER_SURFACE))
                    m_vPosition.y = c->m_fY;
            }
            m_vRotation.z = float(m_iAge) * 2.5f * kDeg;
        }
        break;
    case MOTION_SPIN:
        if (m_iAge < 90) {
            const float f = std::cos(float(m_iAge) * 2.0f * kDeg);
            m_vPosition.x += f * m_vVelocity.x;
            m_vPosition.y += f * m_vVelocity.y;
        }
        m_vRotation.z += 0.5235988f;
        break;
    case MOTION_HOMING: {
        const CCom_GameRobot* owner = Owner();
        const bool seesConcealed = owner && owner->m_bSeesConcealed;
        const CCom_GameRobot* best = nullptr;
        float bestDistance = 10000.0f;
        for (const CCom_GameRobot& r : page->m_lstRobots) {
            if (r.m_Unit.m_iSide == m_iSide || r.m_Unit.m_iRole == ROLE_ONESHOT || r.m_iHp <= 0) continue;
            if (std::fabs(r.m_vLastPosition.x) > W * 0.5f + 70.0f) continue;
            if (r.m_bConcealed && !seesConcealed) continue;
            const float d = DistanceXZ(r.m_vPosition, m_vPosition);
            if (d < bestDistance) {
                bestDistance = d;
                best = &r;
            }
        }
        if (best) {
            const float cur = std::fmod(m_vRotation.z * 57.2957763671875f + 360.0f, 360.0f);
            const float want = AngleBetweenPoints(best->m_vPosition, m_vPosition);
            const float d = WrapAngleDifference(want, cur);
            const float step = d > 0.0f ? 4.0f : d < 0.0f ? -4.0f : 0.0f;
            const float next = cur + step;
            const float heading = std::fabs(WrapAngleDifference(want, next)) < 4.0f ? want : next;
            m_vRotation = VxVec3{0.0f, 0.0f, heading * kDeg};
        }
        const float r = m_vRotation.z, v = float(m_Weapon.m_iSpeed);
        m_vVelocity = VxVec3{std::sin(r) * v, -std::cos(r) * v, m_vVelocity.z * v};
        m_vPosition.x += m_vVelocity.x;
        m_vPosition.y += m_vVelocity.y;
        m_vPosition.z += m_vVelocity.z;
        break;
    }
    case MOTION_LOB:
        m_vPosition.x += m_vVelocity.x;
        m_vPosition.y += m_vVelocity.y;
        m_vPosition.z += m_vVelocity.z;
        if (m_iLifetime > 0) m_vPosition.y += 4.0f * std::cos(float(m_iAge) / float(m_iLifetime) * 180.0f * kDeg);
        break;
    case MOTION_GLIDE:
        if (m_iAge != m_iLifetime) {
            const float f = 1.0f - float(m_iLifetime - m_iAge) / 100.0f;
            m_vPosition.x += m_vVelocity.x;
            const VxVec3 aim{m_vAimPoint.x + m_vVelocity.x * 100.0f, m_vAimPoint.y + m_vVelocity.y * 100.0f, 0.0f};
            const FieldCell* c = CellAt(page->m_aFieldCells, page->FindNearestCell(aim.x, aim.y, aim.z));
            const float cy = c ? c->m_fY : m_vAimPoint.y;
            m_vPosition.y = 0.5f * ((1.0f - f) * m_vAimPoint.y + f * cy);
        } else {
            const float g = page->GetCellCentre(m_vPosition.x, m_vPosition.y, m_vPosition.z).y;
            if (m_vPosition.y < g) m_vPosition.y += 1.0f;
            else if (m_vPosition.y > g) m_vPosition.y -= 1.0f;
            if (std::fabs(m_vPosition.y - g) >= 1.0f) {
                --m_iAge;
            } else {
                if (page->m_iBattleState == BATTLE_PLAYING)
                    page->CallEnemyRobot(MachineId::Rocket, m_vPosition.x - 40.0f, m_vPosition.y, 0.0f, true);
                m_iAge = m_iLifetime;
                m_iHitsLeft = 0;
            }
        }
        break;
    case MOTION_SUMMON:
        if (m_iHitsLeft != 0) {
            CCom_GameRobot* made = nullptr;
            if (page->m_iBattleState == BATTLE_PLAYING)
                made = page->CallEnemyRobot(MachineId::Rocket, m_vPosition.x, m_vPosition.y, m_vPosition.z, true);
            const CCom_GameRobot* owner = Owner();
            if (made && owner) {
                switch (owner->Type()) {
                case MachineId::BlastTank:
                    made->m_Unit.m_fSpeed = 2.0f;
                    made->m_aiAux[2] = 1;
                    made->m_Unit.m_iHeartDecrease = 1;
                    made->m_Unit.m_iMaxHp = made->m_iHp = 100;
                    break;
                case MachineId::FrostOrca:
                    made->m_Unit.m_fSpeed = 4.0f;
                    made->m_aiAux[2] = 2;
                    made->m_Unit.m_iHeartDecrease = 1;
                    made->m_Unit.m_iMaxHp = made->m_iHp = 100;
                    made->m_vPosition.x += 50.0f;
                    break;
                case MachineId::FighterSub:
                case MachineId::SpeederSub: made->m_aiAux[2] = 3; break;
                default: break;
                }
                if (Stage() == 155 && page->m_iBattleState == BATTLE_PLAYING) {
                    const float os = owner->m_Unit.m_fSpeed, ns = made->m_Unit.m_fSpeed;
                    if ((os < 0.0f && ns > 0.0f) || (os >= 0.0f && ns < 0.0f)) made->m_Unit.m_fSpeed = -ns;
                }
            }
            m_iAge = m_iLifetime;
            m_iHitsLeft = 0;
        }
        return;
    default: break;
    }

    // 4 and 5. Drawing and the hit test by kind.
    const VxVec3 at = m_vPosition;
    const float rot = m_vRotation.z;
    auto area = [&](float l, float r, float top, float bottom) {
        m_rcHitArea = BulletHitArea{true, l, r, top, bottom};
        TestHits(true);
    };
    const bool lastFrame = m_iAge == m_iLifetime - 1;
    const float life = m_iLifetime > 0 ? float(m_iAge) / float(m_iLifetime) : 1.0f;
    switch (kind) {
    case 0:
    case 1012:
        if (m_iAge >= 11) {
            if (upgraded && second) {
                Pass p;
                p.addTexture = true;
                p.r = p.g = p.b = Pulse(m_iSerial, t);
                Draw(second, at, rot, p);
            } else {
                Draw(main, at, rot, Pass{});
            }
            TestHits(false);
        }
        break;
    case 3:
        if (m_iAge >= 11) {
            Pass p;
            p.hasRotation = true;
            p.rotation = float(m_iAge) * (upgraded ? 10.0f : 3.0f) * kDeg;
            p.scale = upgraded ? 1.25f : 0.85f;
            Pass add = p;
            add.additive = true;
            Draw(main, at, rot, add);
            Draw(main, at, rot, p);
            add.a = 0.5f + 0.5f * std::sin(float(t) * 20.0f * kDeg);
            Draw(main, at, rot, add);
            const int ghosts = upgraded ? 4 : 3;
            for (int i = 1; i <= ghosts; ++i) {
                Pass g = p;
                g.a = upgraded ? 0.35f : 0.6f / float(i);
                if (upgraded) g.scale = 0.45f;
                Draw(main, VxVec3{at.x - m_vVelocity.x * float(i), at.y - m_vVelocity.y * float(i), at.z}, rot, g);
            }
            TestHits(false);
        }
        break;
    case 5: {
        Pass p;
        p.scale = 1.5f * life;
        p.r = p.g = p.b = 1.0f - life;
        Draw(main, at, rot, p);
        if (m_iAge == 0) area(at.x - hw, at.x + 2.0f * hw, at.y + hh, at.y - hh);
        break;
    }
    case 6: {
        const CCom_GameRobot* owner = Owner();
        if (!owner || owner->m_iHp < 1) {
            m_iHitsLeft = 0;
            break;
        }
        if (Stage() <= 150) m_vPosition = owner->m_vLastPosition;
        const int layers = upgraded ? 4 : 3;
        for (int i = 0; i < layers; ++i) {
            Pass p;
            p.additive = true;
            p.sx = 1.0f + 0.15f * float(i);
            p.a = 0.5f + 0.3f * std::sin(float(t * 25 + i * 90) * kDeg);
            Draw(main, VxVec3{m_vPosition.x - 40.0f * float(i + 1), m_vPosition.y, m_vPosition.z}, rot, p);
        }
        if (t % 3 == 0) area(m_vPosition.x - hw, m_vPosition.x, m_vPosition.y + hh / 2.0f, m_vPosition.y - hh / 2.0f);
        break;
    }
    case 7: {
        Pass p;
        p.hasRotation = true;
        p.rotation = -0.6981317f;
        p.sx = 0.5f;
        p.sy = 0.85f;
        p.additive = true;
        Draw(main, VxVec3{at.x - 80.0f, at.y + 30.0f, at.z}, rot, p);
        if (m_iAge == 0) TestHits(false);
        break;
    }
    case 8: {
        Pass p;
        p.scale = float(m_iAge) * 0.05f;
        p.r = p.g = p.b = 1.0f - life;
        Draw(main, at, rot, p);
        if (lastFrame) area(at.x - hw, at.x + hw, at.y + hh, at.y - hh);
        break;
    }
    case 9: {
        Pass p;
        p.scale = upgraded ? 1.1f : 1.0f;
        Draw(main, at, rot, p);
        if (m_iAge % 10 == 0) TestHits(false);
        break;
    }
    case 11:
    case 1011: {
        Pass p;
        p.scale = float(m_iAge) * 0.06f;
        p.a = std::max(0.0f, 1.0f - float(m_iAge) / 30.0f);
        p.additive = true;
        (void)mainAdditive;
        Draw(main, at, rot, p);
        if (lastFrame) area(at.x - hw, at.x + hw, at.y + hh, at.y - hh);
        break;
    }
    case 12: {
        float a = 0.85f;
        if (m_iAge < 20) a *= float(m_iAge) / 20.0f;
        if (m_iLifetime - m_iAge < 20) a *= float(m_iLifetime - m_iAge) / 20.0f;
        Pass cloud;
        cloud.a = a;
        Draw(main, at, rot, cloud);
        Pass bolt;
        bolt.additive = true;
        bolt.a = a;
        bolt.hasRotation = true;
        bolt.rotation = 0.3f * std::sin(float(t) * 15.0f * kDeg);
        bolt.sx = (upgraded ? 64.0f : 32.0f) / std::max(1.0f, main ? main->m_vSize.x : 32.0f);
        Draw(second ? second : main, VxVec3{at.x, at.y - 80.0f, at.z}, rot, bolt);
        if (t % 3 == 0) area(at.x - hw / 2.0f, at.x + hw / 2.0f, at.y + hh, at.y - 42.75f);
        break;
    }
    case 13:
        if (main) {
            main->SaveState();
            main->SetTextureRect(float(((m_iSerial * 90 + t) / 10) % 2) * 0.5f, 0.0f, 0.5f, 1.0f);
            Draw(main, at, rot, Pass{});
            main->RestoreState();
        }
        TestHits(false);
        break;
    case 14:
        if (m_iAge >= 6) {
            Pass p;
            p.sy = SnowballHeight(m_iHitsLeft, m_Weapon.m_iHits);
            VxVec3 where = at;
            const FieldCell* c = CellAt(page->m_aFieldCells, page->FindNearestCell(at.x, at.y, at.z));
            if (c && c->m_iStageKind == CELL_WATER_SURFACE)
                where.y = c->m_fY - 28.2625f + 5.0f * std::sin(float(m_iAge) * 5.0f * kDeg);
            if (m_iHopTimer > 0) {
                --m_iHopTimer;
                const float s = std::sin(float(m_iHopTimer) * 9.0f * kDeg);
                p.addTexture = true;
                p.r = 0.5f * s + 0.5f;
                p.g = p.r * 0.5f;
                p.b = 0.0f;
                where.y += 40.0f * s;
            }
            Draw(main, where, rot, p);
        }
        TestHits(false);
        break;
    case 15: {
        Pass p;
        p.hasRotation = true;
        p.rotation = float(t) * 20.0f * kDeg;
        Draw(main, at, rot, p);
        p.scale = 1.15f;
        p.additive = true;
        Draw(main, at, rot, p);
        TestHits(false);
        break;
    }
    case 16: {
        Pass p;
        p.scale = 0.5f;
        Draw(main, at, rot, p);
        p.scale = 0.65f;
        p.additive = true;
        Draw(main, at, rot, p);
        TestHits(false);
        break;
    }
    case 17: {
        if (const CCom_GameRobot* target = FindRobotBySerial(page->m_lstRobots, m_iTargetSerial)) {
            for (int i = 0; i < 3; ++i) {
                const float jx = float(VxRand() % 20 - 10);
                const float jy = float(VxRand() % 20 - 10);
                Pass p;
                p.additive = true;
                const VxVec3 mid{(at.x + target->m_vLastPosition.x) * 0.5f + jx,
                                 (at.y + target->m_vLastPosition.y) * 0.5f + jy, 0.0f};
                Draw(main, mid, rot, p);
            }
        }
        // No flight path fills the area: with it unset the last frame strikes nothing.
        if (lastFrame) TestHits(true);
        break;
    }
    case 19:
    case 22: {
        Pass p;
        p.scale = float(m_iAge) * 0.5f;
        p.additive = true;
        Draw(main, at, rot, p);
        if (lastFrame) area(-W, W, H, -H);
        break;
    }
    case 20:
        for (int i = 0; i < 2; ++i) {
            Pass p;
            p.additive = true;
            p.hasRotation = true;
            p.rotation = float(VxRand() % 360) * kDeg;
            Draw(main, at, rot, p);
        }
        TestHits(false);
        break;
    case 21: {
        Pass p;
        p.scale = upgraded ? 4.0f : float(m_iAge) * 0.25f;
        p.additive = true;
        Draw(main, at, rot, p);
        if (lastFrame) area(at.x - hw, at.x + hw, at.y + hh, at.y - hh);
        break;
    }
    case 23:
    case 24: {
        const CCom_GameRobot* target = FindRobotBySerial(page->m_lstRobots, m_iTargetSerial);
        if (!target) break;
        const VxVec3 goal = target->m_vLastPosition;
        const int n =
            std::max(1, m_Weapon.m_iSpeed > 0 ? int(DistanceXY(m_vPosition, goal) / float(m_Weapon.m_iSpeed)) : 1);
        const float f = std::min(1.0f, float(m_iAge) / float(n));
        Pass p;
        p.hasRotation = true;
        p.rotation = AngleBetweenPoints(m_vPosition, goal) * kDeg;
        if (kind == 23) p.scale = 0.75f;
        Draw(main, VxVec3{(1.0f - f) * m_vPosition.x + f * goal.x, (1.0f - f) * m_vPosition.y + f * goal.y, 0.0f}, rot,
             p);
        if (m_iAge == n) TestHits(false);
        break;
    }
    case 26: {
        Pass p;
        p.hasRotation = true;
        p.rotation = float(m_iAge) * 12.0f * kDeg;
        Draw(main, at, rot, p);
        const int stage = Stage();
        if (lastFrame) {
            if (!page->m_lstRobots.empty()) m_iTargetSerial = page->m_lstRobots.front().m_iSerial;
        } else if (IsChargeShotStage(stage)) {
            const float reach = float(m_Weapon.m_iSize);
            for (const CCom_GameRobot& r : page->m_lstRobots) {
                if (!r.IsMachine() || r.m_iHp <= 0) continue;
                bool near = DistanceXY(r.m_vPosition, m_vPosition) < reach * 1.75f;
                if (!near && UnitHas(r.Type(), UNIT_TALL))
                    for (int k = 0; k < 255 && !near; ++k)
                        near = DistanceXY(VxVec3{r.m_vPosition.x, r.m_vPosition.y + float(k) * 0.95f, 0.0f},
                                          m_vPosition) < reach;
                if (near) {
                    m_iTargetSerial = r.m_iSerial;
                    break;
                }
            }
        }
        TestHits(false);
        break;
    }
    case 27: {
        auto it = std::find_if(page->m_lstItems.begin(), page->m_lstItems.end(),
                               [&](const CCom_GameItem& i) { return i.m_iSerial == m_iTargetSerial; });
        if (it == page->m_lstItems.end()) break;
        const float f = life;
        Draw(main,
             VxVec3{(1.0f - f) * m_vPosition.x + f * it->m_vPosition.x,
                    (1.0f - f) * m_vPosition.y + f * it->m_vPosition.y, 0.0f},
             rot, Pass{});
        if (lastFrame) {
            if (page->m_pEffectItemTransToInterface)
                page->m_pEffectItemTransToInterface->Add(it->m_iItemKind, it->m_vPosition.x, it->m_vPosition.y,
                                                         it->m_vPosition.z);
            page->PlayPickupSound(*it);
            if (it->m_iItemKind >= 4 && it->m_iItemKind <= 7) page->m_iPanelTimer = 300;
            page->m_lstItems.erase(it);
        }
        break;
    }
    case 29:
        for (int i = 0; i < 3; ++i) {
            Pass p;
            p.a = 1.0f - 0.3f * float(i);
            Draw(main, VxVec3{at.x - m_vVelocity.x * float(i) * 2.0f, at.y - m_vVelocity.y * float(i) * 2.0f, at.z},
                 rot, p);
        }
        if (lastFrame) area(at.x - hw, at.x + hw, at.y + hh, at.y - hh);
        break;
    case 30:
        if (lastFrame) area(at.x - hw, at.x + hw, at.y + hh, at.y - hh);
        break;
    case 1000:
    case 1001:
    case 1006:
    case 1009:
    case 1010:
    case 1017: TestHits(false); break;
    case 1002: {
        m_vRotation.z = -1.5707963f;
        Pass p;
        p.size = 0.0f;
        p.sx = 96.0f / std::max(1.0f, main ? main->m_vSize.x : 96.0f);
        p.sy = 256.0f / std::max(1.0f, main ? main->m_vSize.y : 256.0f);
        p.r = 1.0f, p.g = 0.3f, p.b = 0.3f, p.a = 0.5f;
        const VxVec3 beam{m_vAimPoint.x + 150.0f, m_vAimPoint.y + 30.0f, 0.0f};
        Draw(main, beam, m_vRotation.z, p);
        p.scale = 1.2f;
        p.r = p.g = p.b = p.a = 1.0f;
        Draw(main, beam, m_vRotation.z, p);
        TestHits(false);
        break;
    }
    case 1007: {
        const CCom_GameRobot* owner = Owner();
        if (m_iAge == 0 && owner && owner->m_Unit.m_iTerrain == TERRAIN_GROUND)
            page->AddFieldEffect(m_iGraphic, 24, m_vAimPoint.x, m_vPosition.y - 40.375f, 0.0f);
        Pass p;
        p.scale = 1.5f;
        p.a = owner && owner->m_bConcealed ? 0.5f : 1.0f;
        Draw(main, VxVec3{m_vAimPoint.x, m_vPosition.y - 40.0f + 40.0f * std::min(1.0f, life * 2.0f), 0.0f}, rot, p);
        if (lastFrame)
            area(m_vAimPoint.x - hw / 2.0f, m_vAimPoint.x + hw / 2.0f, m_vPosition.y + hh, m_vPosition.y - 42.75f);
        break;
    }
    case 1008:
    case 1015: {
        Pass p;
        p.additive = true;
        p.sy = std::sin(life * 180.0f * kDeg) * (kind == 1015 ? 1.5f : 1.0f);
        Draw(main, at, rot, p);
        if (t % 3 == 0) area(at.x - 42.75f, at.x + hw, at.y + hh / 2.0f, at.y - hh / 2.0f);
        break;
    }
    case 1013: {
        Pass p;
        p.hasRotation = true;
        p.rotation = -float(m_iAge * 36) * kDeg;
        p.scale = 1.0f + 0.05f * float(m_iAge);
        p.additive = true;
        Draw(second ? second : main, at, rot, p);
        break;
    }
    case 1014:
        if (const CCom_GameRobot* target = FindRobotBySerial(page->m_lstRobots, m_iTargetSerial)) {
            const float tx = target->m_vPosition.x;
            m_iTargetSerial = -1;
            area(tx - 85.5f, tx + hw, at.y + hh, at.y);
        }
        break;
    case 1004:
        if (m_iAge >= 6) Draw(main, at, rot, Pass{});
        break;
    default: {
        // 1, 2, 4, 10, 18, 25, 28, 1003, 1005, 1016 and any kind without its own row.
        if (m_iAge >= 6 || kind == 4) {
            Pass p;
            if (kind == 10 && !upgraded) p.scale = 0.8f;
            if (kind == 1 && upgraded && second) {
                p.addTexture = true;
                p.r = p.g = p.b = Pulse(m_iSerial, t);
                Draw(second, at, rot, p);
            } else if (kind == 18 && upgraded) {
                p.scale = 1.2f;
                p.addTexture = true;
                p.r = p.g = p.b = 0.75f + 0.25f * std::sin(float(m_iSerial * 73 + t * 20) * kDeg);
                Draw(main, at, rot, p);
            } else if (kind == 25) {
                if (m_iAge >= 11) {
                    p.size = 110.0f;
                    p.hasRotation = true;
                    p.rotation = float(m_iAge) * 15.0f * kDeg;
                    Pass a = p;
                    a.additive = true;
                    a.r = a.g = a.b = a.a = 0.5f;
                    Draw(main, at, rot, a);
                    p.a = 0.75f;
                    Draw(main, at, rot, p);
                }
            } else {
                Draw(main, at, rot, p);
                if (kind == 4 && upgraded && second) {
                    Pass q;
                    q.scale = 1.1f;
                    q.a = 0.85f;
                    Draw(second, at, rot, q);
                }
            }
        }
        TestHits(false);
        break;
    }
    }

    // 6. Ageing.
    if (m_iAge < m_iLifetime) ++m_iAge;
    else m_iHitsLeft = 0;
}

float CCom_GameBullet::SnowballHeight(int hitsLeft, int hits) {
    const float left = hits > 0 ? float(hitsLeft) / float(hits) : 0.0f;
    return 1.0f - (0.5f - left * 0.4f);
}

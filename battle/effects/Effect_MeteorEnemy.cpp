#include "battle/effects/Effect_MeteorEnemy.h"

#include <cmath>

#include "battle/page/PageGame.h"
#include "battle/units/GameRobot.h"
#include "platform/Random.h"
#include "game/GameApplication.h"

namespace {

CPageGame* Battle() { return BattlePageOf(g_pGameAppInstance); }

// A field whose middle columns hold no ground would make the search endless.
constexpr int kMaxCellDraws = 1000;

}  // namespace

void CEffect_MeteorEnemy::OnStart(int index) {
    EffectInstance& r = m_aInstances[index];
    CPageGame* page = Battle();
    if (!page) return;
    const int stage = g_pGameAppInstance ? int(g_pGameAppInstance->m_iCurrentStage) : 1;
    const int columns = stage < 151 ? 4 : 6;
    int cell = 0;
    for (int draw = 0; draw < kMaxCellDraws; ++draw) {
        const int c = 1 + VxRand() % columns;
        const int row = VxRand() % FIELD_ROWS;
        cell = c * FIELD_ROWS + row;
        if (page->m_aFieldCells[cell].m_iStageKind == CELL_GROUND) break;
    }
    const FieldCell& t = page->m_aFieldCells[cell];
    r.params[3] = t.m_fX;
    r.params[4] = t.m_fY;
    r.params[5] = t.m_fZ;
    r.params[0] = t.m_fX - 0.6f * float(g_iScreenWidth);
    r.params[1] = t.m_fY + 0.6f * float(g_iScreenHeight);
    r.params[2] = 0.0f;
    const float dx = r.params[3].f - r.params[0].f, dy = r.params[4].f - r.params[1].f;
    r.state[0] = int(std::sqrt(dx * dx + dy * dy)) / 10;
}

void CEffect_MeteorEnemy::OnFrame(int index) {
    EffectInstance& r = m_aInstances[index];
    if (r.age < r.state[0]) return;
    const int type = r.kind;
    const VxVec3 target{r.params[3].f, r.params[4].f, r.params[5].f};
    Clear(index);
    CPageGame* page = Battle();
    if (!page) return;
    CCom_GameRobot* machine = page->CallEnemyRobot(type, target.x, target.y, target.z, false);
    if (machine) {
        machine->m_vPosition = target;
        machine->m_vHome = target;
        machine->m_vCell = page->FindNearestCell(target.x, target.y, target.z);
        machine->RevertVariant();
    }
    page->AddFieldEffect(0, 24, target.x, target.y - 40.375f, target.z);
    if (g_pGameAppInstance) g_pGameAppInstance->m_fScreenShake = 5.0f;
    for (CCom_GameRobot& robot : page->m_lstRobots) {
        const int role = robot.m_Unit.m_iRole;
        if (robot.IsMachine() || robot.m_iState == ROBOT_DYING || robot.m_iHp <= 0 || role == ROLE_ONESHOT ||
            role == ROLE_PLATFORM || role == ROLE_TIMER)
            continue;
        if (std::fabs(robot.m_vPosition.y - target.y) < 15.0f && std::fabs(robot.m_vPosition.x - target.x) < 20.0f) {
            robot.TakeDamage(10000);
            break;
        }
    }
}

bool CEffect_MeteorEnemy::IsIdle() const {
    for (int i = 0; i < m_nPoolSize; ++i)
        if (m_aInstances[i].life > 0) return false;
    return true;
}

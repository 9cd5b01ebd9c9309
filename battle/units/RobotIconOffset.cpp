#include "battle/units/RobotIconOffset.h"

#include "content/UnitDefinition.h"
#include "content/UnitIds.h"

VxVec3 GetRobotIconOffset(const UnitDefinition& d, const VxVec3& base) {
    float dx = 0.0f, dy = -20.0f;
    if (d.m_iType == RobotId::RemoverBot) {
        dy = -35.0f;
    } else if (d.m_iType == RobotId::StormBot || d.m_iType == RobotId::MiniMine) {
        dy = 20.0f;
    } else if (d.m_iRole == ROLE_PLATFORM || d.m_iType == RobotId::MiniBomber || d.m_iType == RobotId::AtomicBot) {
        dy = 0.0f;
    } else if (d.m_iTerrain == TERRAIN_GROUND) {
        if (d.m_iType == RobotId::WarriorBot) dx = 8.0f, dy = -15.0f;
        else if (d.m_iType == RobotId::SpiderBot) dx = 4.0f, dy = -10.0f;
        else dy = -15.0f;
    } else if (d.m_iType == RobotId::DropperBot) {
        dx = 3.0f;
    }
    return VxVec3{base.x + dx, base.y + dy, 0.0f};
}

#include "battle/effects/RobotIconOffset.h"

#include "content/UnitDefinition.h"

VxVec3 GetRobotIconOffset(const UnitDefinition& d, const VxVec3& base) {
    float dx = 0.0f, dy = -20.0f;
    if (d.m_iType == 39) {
        dy = -35.0f;
    } else if (d.m_iType == 20 || d.m_iType == 6) {
        dy = 20.0f;
    } else if (d.m_iRole == 4 || d.m_iType == 14 || d.m_iType == 26) {
        dy = 0.0f;
    } else if (d.m_iTerrain == TERRAIN_GROUND) {
        if (d.m_iType == 9) dx = 8.0f, dy = -15.0f;
        else if (d.m_iType == 16) dx = 4.0f, dy = -10.0f;
        else dy = -15.0f;
    } else if (d.m_iType == 7) {
        dx = 3.0f;
    }
    return VxVec3{base.x + dx, base.y + dy, 0.0f};
}

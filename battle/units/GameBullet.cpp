#include "battle/units/GameBullet.h"

int g_iNextBulletSerial = 0;

CCom_GameBullet::CCom_GameBullet() : m_iSerial(g_iNextBulletSerial++) {}

void CCom_GameBullet::Reset() {
    m_iAge = 0;
    m_vVelocity = VxVec3{0.0f, 0.0f, 0.0f};
    m_iTargetSerial = -1;
    m_iHopTimer = 0;
}

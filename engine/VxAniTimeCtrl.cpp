#include "engine/VxAniTimeCtrl.h"

#include <cstddef>

#include "engine/VxApplication.h"

CVxAniTimeCtrl::CVxAniTimeCtrl() { m_iTime = g_pApp ? int32_t(g_pApp->m_nFrame) : 0; }

void CVxAniTimeCtrl::AddFrame(int ticks) { m_aiDurations.push_back(ticks); }

void CVxAniTimeCtrl::Update() {
    int32_t sum = 0;
    for (std::size_t i = 0; i < m_aiDurations.size(); ++i) {
        const int32_t duration = m_aiDurations[i];
        if (duration == 0) return;
        if (sum <= m_iTime && m_iTime < sum + duration) {
            m_iFrame = int32_t(i);
            m_iTicksIntoFrame = m_iTime - sum;
            m_fFraction = float(m_iTicksIntoFrame) / float(duration);
            m_bLastTick = (sum + duration - 1 == m_iTime);
            return;
        }
        sum += duration;
    }
}

#include "engine/VxEffect.h"

#include <cstring>

#include "platform/host/ZeroedPages.h"

CVxEffect::CVxEffect()
    : m_aInstances(static_cast<EffectInstance*>(host::MapZeroedPages(sizeof(EffectInstance) * EFFECT_POOL_CAPACITY))) {
    m_iOwnerId = OWNER_NONE;
}

void CVxEffect::PoolPages::operator()(EffectInstance* pool) const {
    host::UnmapZeroedPages(pool, sizeof(EffectInstance) * EFFECT_POOL_CAPACITY);
}

int CVxEffect::PoolSize() const {
    if (m_nPoolSize < 0) return 0;
    return m_nPoolSize > EFFECT_POOL_CAPACITY ? EFFECT_POOL_CAPACITY : m_nPoolSize;
}

void CVxEffect::Fill(int index, int kind, const EffectParam (&p)[6]) {
    EffectInstance& r = m_aInstances[index];
    r.kind = kind;
    r.life = m_iDefaultLife;
    r.age = 0;
    for (int k = 0; k < 6; ++k) r.params[k] = p[k];
    std::memset(r.state, 0, sizeof r.state);
}

int CVxEffect::Start(int index, int kind, EffectParam p0, EffectParam p1, EffectParam p2, EffectParam p3,
                     EffectParam p4, EffectParam p5) {
    if (index < 0 || index >= PoolSize()) return -1;
    Fill(index, kind, {p0, p1, p2, p3, p4, p5});
    OnStart(index);
    return index;
}

void CVxEffect::Clear(int index) {
    if (index < 0 || index >= EFFECT_POOL_CAPACITY) return;
    m_aInstances[index] = EffectInstance{};
}

int CVxEffect::Add(int kind, float p0, float p1, float p2, float p3, float p4, float p5) {
    return AddDelayed(0, kind, p0, p1, p2, p3, p4, p5);
}

int CVxEffect::AddAtPoint(float x, float y, float z) { return Add(0, x, y, z, 0.0f, 0.0f, 0.0f); }

int CVxEffect::AddDelayed(int delay, int kind, EffectParam p0, EffectParam p1, EffectParam p2, EffectParam p3,
                          EffectParam p4, EffectParam p5) {
    const int n = PoolSize();
    for (int index = 0; index < n; ++index) {
        if (m_aInstances[index].life > 0) continue;
        m_aInstances[index].delay = delay;
        Fill(index, kind, {p0, p1, p2, p3, p4, p5});
        OnStart(index);
        return index;
    }
    return -1;
}

void CVxEffect::Tick() {
    const int n = PoolSize();
    for (int index = 0; index < n; ++index) {
        EffectInstance& r = m_aInstances[index];
        if (r.delay > 0) {
            --r.delay;
            continue;
        }
        if (r.life <= 0) continue;
        OnFrame(index);
        ++r.age;
        if (r.life != EFFECT_ENDLESS_LIFE) --r.life;
    }
}

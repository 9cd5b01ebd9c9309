#pragma once
// Base of every effect: a resource manager (the effect owns what it loads)
// plus a fixed pool of instance records, each one running occurrence with a
// delay, a life in frames and an age. The owner ticks the effect once a
// frame; the derived class's OnFrame updates and draws each live record.
#include <cstdint>
#include <memory>
#include <type_traits>

#include "engine/VxResourceManager.h"

// One of the six caller arguments of a record: a float or an integer, as the
// effect class reads it.
union EffectParam {
    float f;
    int32_t i;
    EffectParam() : i(0) {}
    EffectParam(float v) : f(v) {}
    EffectParam(double v) : f(float(v)) {}
    EffectParam(int v) : i(v) {}
};
static_assert(sizeof(EffectParam) == 4, "a parameter is one 32-bit word");

struct EffectInstance {
    int32_t kind;
    int32_t delay;  // frames to wait before the record runs
    int32_t life;   // > 0 live; EFFECT_ENDLESS_LIFE never runs out
    int32_t age;    // frames run so far
    EffectParam params[6];
    int32_t classWords[3];  // the class's own; kept when a record starts
    int32_t state[20];      // cleared when a record starts
    uint8_t extra[160];     // the class's own; kept when a record starts
};

// Records live in zeroed pages that are never constructed one by one.
static_assert(std::is_trivially_copyable<EffectInstance>::value &&
                  std::is_trivially_destructible<EffectInstance>::value,
              "a record is plain bytes");

constexpr int EFFECT_POOL_CAPACITY = 1000;
// A record with this life lives until its class (or Clear) ends it.
constexpr int32_t EFFECT_ENDLESS_LIFE = 30000;

class CVxEffect : public CVxResourceManager {
public:
    CVxEffect();  // owner id: none; the derived constructor sets the pool size and life
    ~CVxEffect() override = default;

    // (Re)starts record index with the default life, age 0 and cleared state;
    // the delay is kept. Answers the index, or -1 for an index outside the pool.
    virtual int Start(int index, int kind, EffectParam p0 = {}, EffectParam p1 = {}, EffectParam p2 = {},
                      EffectParam p3 = {}, EffectParam p4 = {}, EffectParam p5 = {});
    // Zeroes the whole record (free).
    virtual void Clear(int index);
    // The first free record; -1 when the pool is full.
    virtual int Add(int kind, float p0 = 0, float p1 = 0, float p2 = 0, float p3 = 0, float p4 = 0, float p5 = 0);
    // A kind 0 record with the parameters (x, y, z, 0, 0, 0); -1 when full.
    int AddAtPoint(float x, float y, float z);
    virtual int AddDelayed(int delay, int kind, EffectParam p0 = {}, EffectParam p1 = {}, EffectParam p2 = {},
                           EffectParam p3 = {}, EffectParam p4 = {}, EffectParam p5 = {});
    // One frame for every record of the pool.
    virtual void Tick();
    virtual void OnStart(int /*index*/) {}
    virtual void OnFrame(int index) = 0;

    // All zeros at the start. Most effects use a few records of the pool, so
    // the pool's pages are taken from the system only where written.
    struct PoolPages {
        void operator()(EffectInstance* pool) const;
    };
    std::unique_ptr<EffectInstance[], PoolPages> m_aInstances;
    int32_t m_nPoolSize = 1;
    int32_t m_iDefaultLife = 1;

protected:
    int PoolSize() const;

private:
    void Fill(int index, int kind, const EffectParam (&p)[6]);
};

#include "battle/model/AmbientRecords.h"

#include <cmath>

#include "battle/model/BattleRules.h"
#include "battle/units/GameRobot.h"
#include "battle/units/GameStage.h"
#include "engine/VxXApplication.h"
#include "game/GameApplication.h"

namespace {

// Until it leaves the screen.
constexpr int kEndless = 1;

float CosDeg(double degrees) { return float(std::cos(degrees * 0.017453292519943295)); }

}  // namespace

int AmbientRecords::FirstFree(const Piece* pool, int size) {
    for (int i = 0; i < size; ++i)
        if (pool[i].life <= 0) return i;
    return -1;
}

int AmbientRecords::Live(const Piece* pool, int size) {
    int n = 0;
    for (int i = 0; i < size; ++i) n += pool[i].life > 0 ? 1 : 0;
    return n;
}

bool AmbientRecords::StartFlower(FlowerRoll& out) {
    const int i = FirstFree(m_aFlowers, AMBIENT_FLOWERS);
    if (i < 0) return false;
    out = RollFlower();
    m_aFlowers[i] = Piece{};
    m_aFlowers[i].life = FLOWER_LIFE;
    return true;
}

bool AmbientRecords::StartGreenBall(GreenBallRoll& out, float screenWidth) {
    const int i = FirstFree(m_aGreenBalls, AMBIENT_GREEN_BALLS);
    if (i < 0) return false;
    out = RollGreenBall();
    Piece& p = m_aGreenBalls[i] = Piece{};
    p.life = kEndless;
    p.x = -0.6f * screenWidth;
    p.speed = out.speed;
    return true;
}

bool AmbientRecords::StartSandWind(SandWindRoll& out, float screenWidth) {
    const int i = FirstFree(m_aSandWinds, AMBIENT_SAND_WINDS);
    if (i < 0) return false;
    out = RollSandWind();
    Piece& p = m_aSandWinds[i] = Piece{};
    p.life = kEndless;
    p.x = -0.6f * screenWidth;
    p.speed = out.speedX;
    return true;
}

bool AmbientRecords::StartFish(FishRoll& out, float screenWidth, float camera, bool fastWater) {
    const int i = FirstFree(m_aFish, AMBIENT_FISH);
    if (i < 0) return false;
    out = RollFish();
    Piece& p = m_aFish[i] = Piece{};
    p.life = kEndless;
    p.direction = out.direction;
    p.speed = out.speed;
    if (fastWater) p.speed += out.direction < 0 ? 5.0f : -3.0f;
    p.x = (float(out.direction) + 0.1f * float(out.offset)) * (-0.6f * screenWidth);
    p.cameraAtStart = camera;
    return true;
}

bool AmbientRecords::StartSnow(SnowRoll& out) {
    const int i = FirstFree(m_aSnow, AMBIENT_SNOW);
    if (i < 0) return false;
    out = RollSnow();
    m_aSnow[i] = Piece{};
    m_aSnow[i].life = SNOW_LIFE;
    return true;
}

bool AmbientRecords::StartMeteor(MeteorRoll& out, float y) {
    const int i = FirstFree(m_aMeteors, AMBIENT_METEORS);
    if (i < 0) return false;
    out = RollMeteor();
    Piece& p = m_aMeteors[i] = Piece{};
    p.life = kEndless;
    p.y = y;
    p.speed = out.speed;
    p.direction = out.direction;
    return true;
}

bool AmbientRecords::StartSpike(SpikeRoll& out) {
    const int i = FirstFree(m_aSpikes, AMBIENT_SPIKES);
    if (i < 0) return false;
    out = RollSpike();
    m_aSpikes[i] = Piece{};
    m_aSpikes[i].life = SPIKE_LIFE;
    m_aSpikes[i].hold = out.hold;
    return true;
}

void AmbientRecords::TickBeforeUnits() {
    for (Piece& p : m_aFlowers)
        if (p.life > 0) --p.life;
}

// Each moves as its effect moves it, in the same float steps.
void AmbientRecords::TickAfterUnits(const AmbientFrame& frame) {
    const float w = frame.screenWidth;
    for (Piece& p : m_aFish) {
        if (p.life <= 0) continue;
        if (!p.scared && frame.machines > 5) {
            p.scared = true;
            p.speed = frame.fastWater ? p.speed + 2.0f : p.speed * 3.0f;
        }
        p.x += float(p.direction) * p.speed;
        const float x = p.x + (frame.camera - p.cameraAtStart) * 124.0f / 450.0f;
        if (std::fabs(x) > w) p = Piece{};
    }
    for (Piece& p : m_aGreenBalls) {
        if (p.life <= 0) continue;
        p.x += 1.5f * p.speed;
        if (p.x > 0.6f * w) p = Piece{};
    }
    for (Piece& p : m_aSandWinds) {
        if (p.life <= 0) continue;
        p.x += p.speed;
        if (p.x > 0.6f * w) p = Piece{};
    }
    for (Piece& p : m_aSnow)
        if (p.life > 0) --p.life;
    for (Piece& p : m_aMeteors) {
        if (p.life <= 0) continue;
        const double theta = -(p.direction + 40);
        p.y -= p.speed * CosDeg(theta);
        if (p.y < -0.65f * w) p = Piece{};
    }
    for (Piece& p : m_aSpikes) {
        if (p.life <= 0) continue;
        if (p.hold > 0) {
            ++p.life;
            --p.hold;
        }
        --p.life;
    }
}

void TickAmbientBeforeUnits(CBattleModel& model) {
    if (RuleState(model).m_pStage) RuleState(model).m_pStage->m_Ambient.TickBeforeUnits();
}

void TickAmbientAfterUnits(CBattleModel& model) {
    if (!RuleState(model).m_pStage) return;
    AmbientFrame frame;
    frame.screenWidth = float(g_iScreenWidth);
    frame.camera = RuleState(model).m_pStage->m_fScrollX;
    for (const CCom_GameRobot& r : RuleState(model).m_lstRobots) frame.machines += r.IsMachine() ? 1 : 0;
    frame.fastWater = IsFastWaterStage(model.StageNumber());
    RuleState(model).m_pStage->m_Ambient.TickAfterUnits(frame);
}

#include "battle/effects/Effect_Fish.h"

#include <string>

#include "battle/effects/Effect_Oxygen.h"
#include "battle/effects/AmbientArt.h"

using namespace ambient;

namespace {

float Camera(const BattleView* view) { return view ? view->FieldScrollX() : 0.0f; }

}  // namespace

CEffect_Fish::CEffect_Fish() {
    m_nPoolSize = AMBIENT_FISH;
    m_iDefaultLife = EFFECT_ENDLESS_LIFE;
    Clear(0);
    for (int k = 1; k <= FISH_KINDS; ++k) {
        const std::string folder = std::string(kFolder) + "Fish" + std::to_string(k) + "\\";
        for (int f = 1; f <= FISH_FRAMES; ++f) {
            const std::string name = std::string("act1_") + (f < 10 ? "0" : "") + std::to_string(f) + ".png";
            m_apFrames[(k - 1) * FISH_FRAMES + f - 1] = WorldPicture(*this, 3, name.c_str(), folder.c_str());
        }
    }
}

int CEffect_Fish::AddRolled(int lane, const FishRoll& roll) {
    m_Roll = roll;
    return Add(lane);
}

void CEffect_Fish::OnStart(int index) {
    EffectInstance& r = m_aInstances[index];
    Fish& f = m_aFish[index];
    f.kind = m_Roll.kind;
    f.direction = m_Roll.direction;
    f.bubblePeriod = m_Roll.bubblePeriod;
    f.speed = m_Roll.speed;
    if (IsFastWaterStage(Stage())) f.speed += f.direction < 0 ? 5.0f : -3.0f;
    f.scared = false;
    const int offset = m_Roll.offset;
    r.params[0] = (float(f.direction) + 0.1f * float(offset)) * (-0.6f * W());
    const int lane = r.kind >= 0 && r.kind < FIELD_ROWS ? r.kind : 0;
    r.params[1] = m_pView ? m_pView->FieldCells()[lane].m_fY : 0.0f;
    f.cameraAtStart = Camera(m_pView);
}

void CEffect_Fish::OnFrame(int index) {
    EffectInstance& r = m_aInstances[index];
    Fish& f = m_aFish[index];
    const BattleView* view = m_pView;
    if (!f.scared && view) {
        if (view->MachinesOnField() > 5) {
            f.scared = true;
            f.speed = IsFastWaterStage(Stage()) ? f.speed + 2.0f : f.speed * 3.0f;
        }
    }
    r.params[0].f += float(f.direction) * f.speed;
    const int t = r.age;
    const float x = r.params[0].f + (Camera(m_pView) - f.cameraAtStart) * 124.0f / 450.0f;
    const float y = r.params[1].f + 10.0f * SinDeg(2.0 * t);
    if (CVxBillboard* picture = m_apFrames[f.kind * FISH_FRAMES + (t / 5) % FISH_FRAMES]) {
        picture->SaveState();
        picture->SetDiffuse(0.85f, 0.85f, 1.0f, 1.0f);
        picture->SetScale(-float(f.direction), 1.0f, 1.0f);
        picture->SetPosition(x, y, r.params[2].f);
        picture->RenderSRT();
        picture->RestoreState();
    }
    if (t % (60 * f.bubblePeriod) == 0 && x > -0.45f * W() && x < 0.45f * W() && view && view->Drawn().m_pEffectOxygen)
        view->Drawn().m_pEffectOxygen->AddAtPoint(x, y, 0.0f);
    if (std::fabs(x) > W()) Clear(index);
}

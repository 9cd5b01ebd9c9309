#include "battle/effects/Effect_Fish.h"

#include <string>

#include "battle/effects/Effect_Oxygen.h"
#include "battle/effects/AmbientArt.h"
#include "platform/Random.h"

using namespace ambient;

namespace {

float Camera(const BattleView* view) { return view ? view->FieldScrollX() : 0.0f; }

bool FastWaterStage(int stage) { return stage == 156 || stage == 166; }

}  // namespace

CEffect_Fish::CEffect_Fish() {
    m_nPoolSize = 10;
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

void CEffect_Fish::OnStart(int index) {
    EffectInstance& r = m_aInstances[index];
    Fish& f = m_aFish[index];
    f.kind = VxRand() % FISH_KINDS;
    f.direction = VxRand() % 2 == 0 ? -1 : 1;
    f.bubblePeriod = VxRand() % 5 + 3;
    f.speed = float(VxRand() % 3) * 0.5f + 1.5f;
    if (FastWaterStage(Stage())) f.speed += f.direction < 0 ? 5.0f : -3.0f;
    f.scared = false;
    const int offset = VxRand() % 3;
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
            f.speed = FastWaterStage(Stage()) ? f.speed + 2.0f : f.speed * 3.0f;
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

#include "battle/effects/Effect_Meteor.h"

#include "battle/effects/AmbientArt.h"

using namespace ambient;

CEffect_Meteor::CEffect_Meteor() {
    m_nPoolSize = AMBIENT_METEORS;
    m_iDefaultLife = EFFECT_ENDLESS_LIFE;
    Clear(0);
    m_pPicture = WorldPicture(*this, 5, "Bbd_Meteor.png");
}

int CEffect_Meteor::AddRolled(float x, float y, float z, const MeteorRoll& roll) {
    m_Roll = roll;
    return AddAtPoint(x, y, z);
}

void CEffect_Meteor::OnStart(int index) {
    Streak& s = m_aStreaks[index];
    s.speed = m_Roll.speed;
    s.brightness = m_Roll.brightness;
    s.stretch = m_Roll.stretch;
    s.direction = m_Roll.direction;
}

void CEffect_Meteor::OnFrame(int index) {
    EffectInstance& r = m_aInstances[index];
    const Streak& s = m_aStreaks[index];
    // Down and to the right, 40 to 49 degrees from the vertical.
    const double theta = -(s.direction + 40);
    r.params[0].f -= s.speed * SinDeg(theta);
    r.params[1].f -= s.speed * CosDeg(theta);
    if (m_pPicture) {
        const float c = s.brightness;
        m_pPicture->SaveState();
        m_pPicture->ScaleSize2D(0.1f * SinDeg(30.0 * r.age) + 0.25f, 0.1f * float(s.stretch) + 0.5f);
        m_pPicture->SetRotationDegrees(0.0f, 0.0f, float(s.direction + 40));
        m_pPicture->SetBlendMode(BLEND_ADD, m_pPicture->m_iAlphaRef);
        m_pPicture->SetDiffuse(c, c, c, c);
        m_pPicture->SetPosition(r.params[0].f, r.params[1].f, r.params[2].f);
        m_pPicture->RenderSRT();
        m_pPicture->RestoreState();
    }
    if (r.params[1].f < -0.65f * W()) Clear(index);
}

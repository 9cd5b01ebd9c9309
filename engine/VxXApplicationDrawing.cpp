// Small drawing helpers many pages share: the gauge bar and the button state
// pictures.
#include "engine/VxBillboard.h"
#include "engine/VxButton.h"
#include "engine/VxXApplication.h"

void CVxXApplication::DrawGaugeBar(CVxBillboard* billboard, float width, float height, float x, float y,
                                   float fraction) {
    if (!billboard || fraction == 0.0f) return;
    billboard->SetSize(width, height * fraction, 1.0f);
    billboard->SetPosition(x, y - (1.0f - fraction) * 0.5f * height, 0.0f);
    billboard->SetTextureRect(0.0f, 1.0f - fraction, 1.0f, fraction);
    billboard->RenderSRT();
    billboard->SetSize(width, height, 1.0f);
    billboard->SetTextureRect(0.0f, 0.0f, 1.0f, 1.0f);
}

void CVxXApplication::DrawGaugeBarAt(CVxBillboard* billboard, const VxVec3& size, const VxVec3& position,
                                     float fraction) {
    DrawGaugeBar(billboard, size.x, size.y, position.x, position.y, fraction);
}

void CVxButton::SetStateTextures(CVxButton* button, CVxBillboard* press, CVxBillboard* over, CVxBillboard* disable,
                                 CVxBillboard* normal) {
    if (!button) return;
    CVxBillboard* const pictures[4] = {press, over, disable, normal};
    for (int i = 0; i < 4; ++i) {
        if (!pictures[i]) continue;
        button->m_stateBack.m_apState[i] = pictures[i];
        button->SetSize(pictures[i]->m_vSize.x, pictures[i]->m_vSize.y, 1.0f);
    }
}

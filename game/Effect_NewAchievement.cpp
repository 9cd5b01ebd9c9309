#include "game/Effect_NewAchievement.h"

#include "engine/VxBillboard.h"

CEffect_NewAchievement::~CEffect_NewAchievement() { delete m_pPicture; }

void CEffect_NewAchievement::ResetBoard() {
    Clear(0);
    delete m_pPicture;
    m_pPicture = nullptr;
    m_lstPending.clear();
    m_bShowing = false;
}

#include "battle/effects/Effect_HowToMiniGame.h"

#include <cstdio>

#include "content/DescriptiveTexts.h"
#include "content/StageNumbering.h"
#include "game/GameApplication.h"
#include "game/PopupDrawing.h"

std::string CEffect_HowToMiniGame::PictureFor(int stage) {
    char name[48];
    std::snprintf(name, sizeof name, "Bbd_MiniGame_%d_%02d.jpg", GetStageEpisode(stage),
                  (stage - FIRST_MINI_GAME_STAGE) % 10 + 1);
    return name;
}

void CEffect_HowToMiniGame::DrawTitle(float x, float y, int stage) {
    DrawSharedPicture(m_apTitleWord[0], x - 121.0f, y + 247.0f, 0.6f, 0.6f);
    DrawSharedPicture(m_apTitleWord[1], x + 154.0f, y + 247.0f, 0.6f, 0.6f);
    DrawStyledText(g_pGameAppInstance->m_pFontStandard, TitleStyle(0.75f, 8.0f, 0.5f), x, y + 180.0f,
                   GetMiniGameName(stage));
}

std::string CEffect_HowToMiniGame::PageText(int stage) const {
    return std::string(GetMiniGameDescription(stage)) + "\n" + GetMiniGameHowToPlay(stage);
}

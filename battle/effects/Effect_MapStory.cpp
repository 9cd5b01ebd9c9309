#include "battle/effects/Effect_MapStory.h"

#include <cstdio>

#include "content/MapStoryTexts.h"
#include "content/StageNumbering.h"
#include "content/WorldTitle.h"
#include "engine/VxNumber.h"
#include "game/GameApplication.h"
#include "game/PopupDrawing.h"

std::string CEffect_MapStory::PictureFor(int stage) {
    char name[48];
    std::snprintf(name, sizeof name, "Bbd_Story_%d_%02d.jpg", GetStageEpisode(stage), GetStageWorld(stage));
    return name;
}

int CEffect_MapStory::StoryIndex(int stage) { return (GetStageEpisode(stage) - 1) * 5 + GetStageWorld(stage) - 1; }

void CEffect_MapStory::DrawTitle(float x, float y, int stage) {
    CGameApplication* app = g_pGameAppInstance;
    DrawSharedPicture(m_apTitleWord[1], x - 51.0f, y + 247.0f, 0.6f, 0.6f);
    if (CVxNumber* number = app->m_pNumStageBig) {
        number->SaveState();
        number->ScaleSize2D(0.6f, 0.6f);
        number->SetPosition(x + 119.0f, y + 247.0f, 0.0f);
        number->Draw(GetStageWorld(stage));
        number->RestoreState();
    }
    DrawStyledText(app->m_pFontStandard, TitleStyle(0.75f, 8.0f, 0.5f), x, y + 180.0f,
                   GetWorldTitle(StoryIndex(stage)));
}

std::string CEffect_MapStory::PageText(int stage) const { return GetMapStoryText(StoryIndex(stage)); }

#pragma once
// The story board of an area, shown on its first stage: the world's title,
// its picture and a chapter of the story.
#include "battle/effects/Effect_HelpBoard.h"

class CEffect_MapStory : public CEffect_HelpBoard {
public:
    CEffect_MapStory() = default;

    // "Bbd_Story_<episode>_<01..05>.jpg"
    static std::string PictureFor(int stage);
    // The chapter of the stage's area, 0 to 14.
    static int StoryIndex(int stage);

protected:
    std::string PictureName(int stage) const override { return PictureFor(stage); }
    void DrawTitle(float x, float y, int stage) override;
    std::string PageText(int stage) const override;
    float PenX() const override { return -405.0f; }
    int WrapWidth() const override { return 525; }
};

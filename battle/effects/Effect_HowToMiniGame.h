#pragma once
// The instructions board of a mini-game: its name, picture, story and rules,
// shown over a still of the field before the game starts.
#include "battle/effects/Effect_HelpBoard.h"

class CEffect_HowToMiniGame : public CEffect_HelpBoard {
public:
    CEffect_HowToMiniGame() = default;

    // "Bbd_MiniGame_<episode>_<01..10>.jpg"
    static std::string PictureFor(int stage);

protected:
    std::string PictureName(int stage) const override { return PictureFor(stage); }
    void DrawTitle(float x, float y, int stage) override;
    std::string PageText(int stage) const override;
    float PenX() const override { return -400.0f; }
    int WrapWidth() const override { return 520; }
    bool OverStill() const override { return true; }
};

#pragma once
// The drawing of each art style (see ArtStyle.h), shared by the style files.
#include <string>

#include "tools/assetpack/Manifest.h"
#include "tools/assetpack/Painter.h"
#include "tools/assetpack/Palette.h"

struct ArtJob {
    const ManifestItem& item;
    const PackFile& file;
    TextRenderer& text;
    std::string stem;   // file name without folder and extension
    std::string lower;  // whole path, lower case
    bool tga = false, jpg = false;
    bool Has(const char* word) const { return lower.find(word) != std::string::npos; }
    // A number in the file name ("Item03" -> 3, "Achv_12" -> 12), or -1.
    int Number() const;
    // The words of cell `index` of a sheet whose label lists them as
    // "first|second|...": empty when the label has no '|' (a plain label is
    // the resource's name, never drawn).
    std::string CellText(int index) const;
};

constexpr double kPi = 3.14159265358979323846;

// Paints the style files share.
inline Paint Solid(Rgba c, double shade = 0) {
    Paint p;
    p.fill = c;
    p.shade = shade;
    return p;
}

// Filled and outlined in the frames' dark ink.
inline Paint Inked(Rgba c, double width, double shade = 0.8) {
    Paint p;
    p.fill = c;
    p.outline = ui::kFrameDark;
    p.outlineWidth = width;
    p.shade = shade;
    return p;
}

inline Paint Soft(Rgba c, double softness) {
    Paint p;
    p.fill = c;
    p.softness = softness;
    return p;
}

// A raised box: dark rim, bevelled edge, gradient face.
void BevelBox(Painter& p, double x, double y, double w, double h, double radius, Rgba face, double rim = 3);
// White text with a dark outline, shrunk to fit and centred in the box.
void OutlinedText(Canvas& c, TextRenderer& text, const std::string& s, int x, int y, int w, int h, Rgba colour,
                  Rgba edge, int maxPixels, int thickness = 2);

// An open book seen from the front, its spine at cx: each page runs from the
// spine (spineTop above cy, spineBottom below) out to half on either side
// (edgeTop above cy, edgeBottom below).
inline void OpenBook(Painter& p, double cx, double cy, double half, double spineTop, double edgeTop, double edgeBottom,
                     double spineBottom, const Paint& paint) {
    for (double side : {-1.0, 1.0})
        p.Polygon({{cx, cy - spineTop},
                   {cx + side * half, cy - edgeTop},
                   {cx + side * half, cy + edgeBottom},
                   {cx, cy + spineBottom}},
                  paint);
}

// The emblem of achievement n (1 to 40; 0 the locked one) on a medal's face
// of radius r (AchievementArt.cpp).
void DrawAchievementEmblem(Painter& p, int n, double cx, double cy, double r);

// A toothed wheel, inked, with its hub (FxArt.cpp).
void Gear(Painter& p, double cx, double cy, double r, int teeth, Rgba c, double width);

// Interface (UiArt.cpp)
void DrawPanel(Canvas& c, const ArtJob& job);
void DrawBand(Canvas& c, const ArtJob& job);
void DrawHeader(Canvas& c, const ArtJob& job);
void DrawStrips(Canvas& c, const ArtJob& job);
void DrawBar(Canvas& c, const ArtJob& job);
void DrawPlaque(Canvas& c, const ArtJob& job);
void DrawAtlas(Canvas& c, const ArtJob& job);
void DrawIcon(Canvas& c, const ArtJob& job);
void DrawRays(Canvas& c, const ArtJob& job);
void DrawGlow(Canvas& c, const ArtJob& job);
void DrawButton(Canvas& c, const ArtJob& job);
void DrawDigits(Canvas& c, const ArtJob& job);
void DrawCount(Canvas& c, const ArtJob& job);
void DrawBanner(Canvas& c, const ArtJob& job);
void DrawLoading(Canvas& c, const ArtJob& job);
void DrawDecor(Canvas& c, const ArtJob& job);
// Won-stage pictures (BoardArt.cpp)
void DrawCapsule(Canvas& c, const ArtJob& job);
void DrawShade(Canvas& c, const ArtJob& job);
void DrawFeature(Canvas& c, const ArtJob& job);

// The mini-games' interface sheet (MiniGameArt.cpp)
void DrawMiniGameSheet(Canvas& c, const ArtJob& job);
void DrawMiniGameCard(Canvas& c, const ArtJob& job);
void DrawPlain(Canvas& c, const ArtJob& job);
void DrawSquare(Canvas& c, const ArtJob& job);
void DrawAchievementNotice(Canvas& c, const ArtJob& job);
void DrawLogo(Canvas& c, const ArtJob& job);

// The menu page's frame, laboratory items, sold-out stamp, profile icons and picture frames (MenuArt.cpp)
void DrawMenuFrame(Canvas& c, const ArtJob& job);
void DrawLabItem(Canvas& c, const ArtJob& job);
void DrawSoldOutStamp(Canvas& c, const ArtJob& job);
void DrawMenuIcon(Canvas& c, const ArtJob& job);
void DrawPictureFrame(Canvas& c, const ArtJob& job);

// Units, cards and portraits (CardArt.cpp)
void DrawUnitFrame(Canvas& c, const ArtJob& job);
void DrawCard(Canvas& c, const ArtJob& job);
void DrawCardFrame(Canvas& c, const ArtJob& job);
void DrawPortrait(Canvas& c, const ArtJob& job);
void DrawRemoverFace(Canvas& c, const ArtJob& job);
void DrawMedal(Canvas& c, const ArtJob& job);

// Battle sprites (FxArt.cpp)
void DrawItem(Canvas& c, const ArtJob& job);
void DrawShot(Canvas& c, const ArtJob& job);
void DrawEffect(Canvas& c, const ArtJob& job);
void DrawPropeller(Canvas& c, const ArtJob& job);

// The fish of the underwater stages (FxArt.cpp)
void DrawFish(Canvas& c, const ArtJob& job);
// The Destroyers' arms and giant hands (BossArt.cpp)
void DrawBossArm(Canvas& c, const ArtJob& job);
void DrawBossHand(Canvas& c, const ArtJob& job);
// The episodes' endings (EndingArt.cpp)
void DrawEnding(Canvas& c, const ArtJob& job);

// Worlds (SceneArt.cpp)
void DrawBackground(Canvas& c, const ArtJob& job);
void DrawTile(Canvas& c, const ArtJob& job);
void DrawWater(Canvas& c, const ArtJob& job);
void DrawSplash(Canvas& c, const ArtJob& job);
// A reading board's scene: story chapters and mini-games (StoryArt.cpp).
void DrawStory(Canvas& c, const ArtJob& job);
// The world a path belongs to: "Stage/3/..." -> 3, "Stage/6/..." the Machines'
// fortress (6); 1 when none.
int WorldFromPath(const std::string& lowerPath);

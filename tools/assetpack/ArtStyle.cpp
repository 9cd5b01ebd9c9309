#include "tools/assetpack/ArtStyle.h"

#include <cctype>
#include <cstring>

#include "tools/assetpack/ArtDraw.h"

namespace {

std::string LowerText(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool EndsWith(const std::string& s, const char* tail) {
    size_t n = std::strlen(tail);
    return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

using DrawFn = void (*)(Canvas&, const ArtJob&);

struct StyleEntry {
    const char* name;
    DrawFn draw;
};

const StyleEntry kStyles[] = {
    {"panel", DrawPanel},
    {"band", DrawBand},
    {"header", DrawHeader},
    {"strips", DrawStrips},
    {"bar", DrawBar},
    {"plaque", DrawPlaque},
    {"remover", DrawRemoverFace},
    {"atlas", DrawAtlas},
    {"icon", DrawIcon},
    {"rays", DrawRays},
    {"glow", DrawGlow},
    {"button", DrawButton},
    {"digits", DrawDigits},
    {"count", DrawCount},
    {"banner", DrawBanner},
    {"loading", DrawLoading},
    {"unit", DrawUnitFrame},
    {"card", DrawCard},
    {"cardframe", DrawCardFrame},
    {"portrait", DrawPortrait},
    {"medal", DrawMedal},
    {"notice", DrawAchievementNotice},
    {"item", DrawItem},
    {"shot", DrawShot},
    {"effect", DrawEffect},
    {"propeller", DrawPropeller},
    {"background", DrawBackground},
    {"tile", DrawTile},
    {"water", DrawWater},
    {"splash", DrawSplash},
    {"decor", DrawDecor},
    {"shade", DrawShade},
    {"minigame", DrawMiniGameSheet},
    {"minigamecard", DrawMiniGameCard},
    {"feature", DrawFeature},
    {"plain", DrawPlain},
    {"square", DrawSquare},
    {"logo", DrawLogo},
    {"story", DrawStory},
    {"menuframe", DrawMenuFrame},
    {"picframe", DrawPictureFrame},
    {"labitem", DrawLabItem},
    {"stamp", DrawSoldOutStamp},
    {"menuicon", DrawMenuIcon},
    {"capsule", DrawCapsule},
    {"fish", DrawFish},
    {"bossarm", DrawBossArm},
    {"bosshand", DrawBossHand},
    {"ending", DrawEnding},
};

// Path patterns, first match wins (lower case, anywhere in the path).
struct Pattern {
    const char* text;
    const char* style;
};

const Pattern kPatterns[] = {
    {"/infostory/", "story"},
    {"/story/bbd_ending", "ending"},
    {"/ambient/fish", "fish"},
    {"/arm/arm_", "bossarm"},
    {"/hand/act4_", "bosshand"},
    {"menuframepc", "menuframe"},
    {"/labitem/", "labitem"},
    {"soldout", "stamp"},
    {"usericon", "menuicon"},
    {"saveicon", "menuicon"},
    {"msgbox_stdheader", "header"},
    {"menuheader", "header"},
    {"cardchoiceheader", "header"},
    {"blackscreen", "shade"},
    {"logo", "logo"},
    {"newachievement", "medal"},
    {"textbg", "band"},
    {"msgbox_std", "panel"},
    {"bbd_interface.", "strips"},
    {"bbd_lg_stage", "atlas"},
    {"guage", "bar"},
    {"gauge", "bar"},
    {"delayframe", "bar"},
    {"bbd_twist", "rays"},
    {"btn_light", "glow"},
    {"/card/card", "card"},
    {"/card/", "cardframe"},
    {"efx_cardfull", "cardframe"},
    {"robotpic", "portrait"},
    {"bbd_copter", "portrait"},
    {"machineupgrade", "portrait"},
    {"achv", "medal"},
    {"/item/", "item"},
    {"/weapon/", "shot"},
    {"copter/act", "propeller"},
    {"efx_lg_count", "count"},
    {"gametext", "banner"},
    {"splash", "splash"},
    {"scoresummaryfg", "decor"},
    {"bbd_loading", "loading"},
    {"checkbox", "icon"},
    {"removericon", "remover"},
    {"unlock", "icon"},
    {"lock", "icon"},
    {"bombicon", "icon"},
    {"canmove", "icon"},
    {"missionicon", "icon"},
    {"attack", "icon"},
    {"reward", "icon"},
    {"tutline", "icon"},
    {"spike", "icon"},
    {"snow", "effect"},
    {"rain", "effect"},
    {"meteor", "effect"},
    {"sandwind", "effect"},
    {"greenball", "effect"},
    {"flower", "effect"},
    {"oxygen", "effect"},
    {"whirlpool", "effect"},
    {"parachute", "effect"},
    {"timebomb", "effect"},
    {"name.", "plaque"},
    {"numberbox", "plaque"},
    {"heart", "icon"},
    {"energy.", "icon"},
    {"flag", "icon"},
    {"arrow", "icon"},
    {"star1", "icon"},
    {"star2", "icon"},
    {"stone", "icon"},
    {"mark.", "icon"},
    {"/effect/", "effect"},
    {"bbd_minigameinterface", "minigame"},
    {"/interface/", "plaque"},
    {"/menu/bbd_new", "plaque"},
    {"number", "plaque"},
    // Last, so that a closer pattern above wins: the unlock board's feature
    // pictures are boards; the menu's picture frames lie over pictures.
    {"/msgbox/bbd_menu_", "panel"},
    {"menupicframe", "picframe"},
    {"minigameframe", "picframe"},
};

}  // namespace

int ArtJob::Number() const {
    int value = -1;
    for (size_t i = 0; i < stem.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(stem[i]))) continue;
        size_t j = i;
        value = 0;
        while (j < stem.size() && std::isdigit(static_cast<unsigned char>(stem[j])))
            value = value * 10 + (stem[j++] - '0');
        i = j;
    }
    return value;
}

std::string ArtJob::CellText(int index) const {
    const std::string& label = item.label;
    if (label.find('|') == std::string::npos) return std::string();
    size_t start = 0;
    for (int i = 0; i < index; ++i) {
        start = label.find('|', start);
        if (start == std::string::npos) return std::string();
        ++start;
    }
    size_t end = label.find('|', start);
    return label.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

bool IsKnownArtStyle(const std::string& style) {
    for (const StyleEntry& s : kStyles)
        if (style == s.name) return true;
    return false;
}

std::string ArtStyleFor(const ManifestItem& item, const std::string& path) {
    // A style the line names must exist: a misspelt one is no style at all.
    if (!item.style.empty()) return IsKnownArtStyle(item.style) ? item.style : std::string();
    if (item.kind == "button" || item.kind == "unit" || item.kind == "digits") return item.kind;
    std::string lower = LowerText(path);
    if (lower.find("/stage/") != std::string::npos) {
        std::string name = lower.substr(lower.rfind('/') + 1);
        if (name.rfind("ground", 0) == 0) return "tile";
        if (name.rfind("water", 0) == 0) return "water";
        if (name.rfind("bg", 0) == 0 || EndsWith(lower, ".jpg")) return "background";
    }
    for (const Pattern& p : kPatterns)
        if (p.style && lower.find(p.text) != std::string::npos) return p.style;
    if (EndsWith(lower, ".jpg")) return "background";
    return std::string();
}

bool DrawsArt(const ManifestItem& item) {
    return item.kind == "picture" || item.kind == "button" || item.kind == "digits" || item.kind == "unit";
}

std::vector<std::string> UnstyledEntries(const std::vector<ManifestItem>& items) {
    std::vector<std::string> errors;
    for (const PackFile& f : ExpandManifest(items)) {
        const ManifestItem& item = items[f.item];
        if (!DrawsArt(item) || !ArtStyleFor(item, f.path).empty()) continue;
        std::string why = item.style.empty() ? "matches no art style; name one with \"art:STYLE\""
                                             : "names the unknown art style \"" + item.style + "\"";
        errors.push_back("manifest line " + std::to_string(item.line) + ": " + f.path + " " + why);
    }
    return errors;
}

Canvas DrawArt(const ManifestItem& item, const PackFile& file, TextRenderer& text) {
    std::string lower = LowerText(file.path);
    size_t slash = file.path.rfind('/');
    std::string name = file.path.substr(slash == std::string::npos ? 0 : slash + 1);
    size_t dot = name.rfind('.');
    ArtJob job{item,
               file,
               text,
               dot == std::string::npos ? name : name.substr(0, dot),
               lower,
               EndsWith(lower, ".tga"),
               EndsWith(lower, ".jpg") || EndsWith(lower, ".jpeg")};
    Canvas canvas(item.width, item.height, Rgba{0, 0, 0, 0});
    std::string style = ArtStyleFor(item, file.path);  // none: left empty, and the pack refuses the line
    for (const StyleEntry& s : kStyles) {
        if (style == s.name) {
            s.draw(canvas, job);
            break;
        }
    }
    return canvas;
}

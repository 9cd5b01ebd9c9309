#pragma once
// The asset manifest: one line per resource (or per family of resources).
//
//   kind  path  size  grid  frames  colour  label...
//
// Fields are separated by blanks, "-" leaves one empty, the label is the rest
// of the line ("\\n" in it starts a new line of text). A label may start with
// "art:STYLE " to choose how the picture is drawn; without it the path and
// kind choose (tools/assetpack/ArtStyle.h). Kinds:
//   picture  one picture, format from the extension (png, jpg, tga); a "%02d"
//            in the path makes "frames" pictures numbered from 1
//   button   path is a base name; one .png per state NORMAL, OVER, PRESS, DISABLE
//   digits   a digit sheet: 0-9 then symbols, in its grid
//   font     path is the font script; the label is the sheet's file name
//   unit     path is a folder; frames lists the pictures per act ("4,6,4,2,1,1")
//   sound    a synthesized clip (.ogg or .wav); size is its length in ms; a
//            label starting "sfx:KIND " picks how it is made (SoundDesign.h),
//            and a sound under BGM/ is a piece of music (MusicScore.h)
//   music    path is a base name; writes base + "Intro.ogg" and "Loop.ogg"
//   effect   the shader effect text naming its technique (the label)
//   cursor   written beside the archive; frames is the hot spot "x,y"
//   rotor    where a flying Machine's rotor turns over the pictures of the
//            unit line of the same folder, act by act (a script of
//            "ROTOR=act,x,y;" the battle reads with the pictures)
#include <cstdint>
#include <string>
#include <vector>

struct ManifestItem {
    std::string kind;
    std::string path;
    int width = 0, height = 0;  // size; for sounds width is the length in ms
    int cols = 1, rows = 1;
    std::vector<int> frames;
    uint32_t colour = 0x808080;
    std::string label;
    std::string
        style;  // from a leading "art:STYLE" (or a sound's "sfx:KIND") in the label; empty: chosen by path and kind
    int line = 0;
};

// One file the manifest produces.
struct PackFile {
    std::string path;  // with '/' separators; "BIN" for the cursor
    size_t item = 0;   // index into the manifest
    int variant = 0;   // button state, music part
    int act = 0;       // unit act (1..6) or numbered picture (0)
    int frame = 0;     // frame number from 1
    bool inArchive = true;
};

// Parses the manifest text; a line it cannot read is reported in errors.
std::vector<ManifestItem> ParseManifest(const std::string& text, std::vector<std::string>* errors);
bool ReadManifestFile(const std::string& path, std::vector<ManifestItem>* items, std::vector<std::string>* errors);

std::vector<PackFile> ExpandManifest(const std::vector<ManifestItem>& items);

extern const char* const kButtonStates[4];

// The archive's entry order for these files: each folder as its own entry
// (name ending in '/'), then the files directly in it in the given order,
// then its subfolders, so that every file follows its folder's entry.
std::vector<std::string> ArchiveLayout(const std::vector<std::string>& files);

#include "content/WorldTitle.h"

namespace {

const char* const kWorldTitles[] = {
    "Green Fields",   "Waste Sands",     "South Ocean",        "Glacier Land",   "Iron Fortress",
    "Power Outage",   "A Discovery",     "Terror in the Deep", "Cold Struggle",  "Simple Plan",
    "Raining Hazard", "Trembling Lands", "Dangerous Water",    "Stormy Weather", "Final Crisis",
};

}  // namespace

const char* GetWorldTitle(int index) {
    if (index < 0 || index >= int(sizeof kWorldTitles / sizeof kWorldTitles[0])) return "-";
    return kWorldTitles[index];
}

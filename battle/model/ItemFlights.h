#pragma once
// A picked-up item flies to its counter on the HUD, 30 px a frame, and is
// paid out there (ItemPayout.h); a capsule flies to where its robot lands.
// The counters are the battle's too: the energy icon comes down and goes up
// with the HUD, and the metal-parts panel slides out while parts come in.
#include "engine/VxMatrix.h"

class CBattleModel;

// Flights in the air at once; an item picked up past them is lost.
constexpr int ITEM_FLIGHTS = 30;

// One slot of the flights. A flight that arrives frees its slot at once, but
// keeps what its last frame shows until the next frame's flights move.
struct ItemFlight {
    int kind = 0;
    VxVec3 from{};        // where it was picked up
    int age = 0;          // frames flown
    bool flying = false;  // the slot holds a flight
    // Its turn this frame: shown at the point, at that age; arrived there.
    bool shown = false;
    bool arrived = false;
    int shownAge = 0;
    VxVec3 at{};
};

// Where the parts panel stands from the loading to the play's end.
constexpr float PARTS_PANEL_X = -125.0f;
// The panel's height: 302 shows its count whole under the screen's top edge,
// 370 hides it above (18 px clear of the 640-high screen).
constexpr int PARTS_PANEL_SHOWN_Y = 302;
constexpr int PARTS_PANEL_HIDDEN_Y = 370;
constexpr int PARTS_PANEL_STEP = 15;
// Frames the panel stays out once parts come in.
constexpr int PARTS_PANEL_OUT_FRAMES = 300;

// Frames of a flight from one point to another (x and y only).
int ItemFlightFrames(float fromX, float fromY, float toX, float toY);

// Where a flight of the kind ends now: the energy icon for energy, 60 px left
// of the parts panel for parts, a capsule's landing point; else the origin.
VxVec3 ItemFlightTarget(const CBattleModel& battle, int kind);

// An item of the kind takes off from the point, in the first free slot;
// false when every slot is in the air.
bool LaunchItemFlight(CBattleModel& battle, int kind, const VxVec3& from);

// At the reward every energy and parts item still on the field flies to its
// counter; the field's items are gone.
void CollectRemainingItems(CBattleModel& battle);
// A frame of the flights, slot by slot: each moves on towards its target as
// it stands at its turn; one that gets there is paid out and lands.
void RunItemFlights(CBattleModel& battle);

// How far above its place the HUD stands this frame: it comes down over the
// loading's first 30 frames and goes up again with the result (20 at rest).
float HudDrop(const CBattleModel& battle);

// The energy icon stands where the HUD shows it this frame.
void PlaceEnergyPanel(CBattleModel& battle);

// A frame of the parts panel: out while its timer runs, back in after,
// between its shown and hidden heights; from the loading to the play's end
// it keeps to its place in play.
void SlidePartsPanel(CBattleModel& battle);

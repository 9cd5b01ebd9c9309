#pragma once
// A collectible on the battle field: energy, metal parts, a reinforcement
// capsule carrying a card, or one of a few picture items. It hops up when
// dropped, drifts and falls to the ground line of its cell, rests, blinks,
// fades and stops; the battle page takes it out when it is finished.
#include <cstdint>
#include <list>

#include "engine/VxObject.h"

class CBattleModel;
class CVxBillboard;
struct BattleScene;

enum ItemKind : int {
    ITEM_ENERGY_0 = 0,  // energy of sizes 0 to 3
    ITEM_PARTS_0 = 4,   // metal parts of sizes 0 to 3
    ITEM_CAPSULE = 8,   // reinforcement capsule carrying a card
    ITEM_OWN_SPRITE_FIRST = 9,
    ITEM_OWN_SPRITE_LAST = 11,
    ITEM_PRODUCED = 12,  // the picture of the next unlock
};

// Energy and metal parts, of sizes 0 to 3 each: what a counter of the HUD credits.
constexpr bool IsEnergyItem(int kind) { return kind >= ITEM_ENERGY_0 && kind < ITEM_PARTS_0; }
constexpr bool IsPartsItem(int kind) { return kind >= ITEM_PARTS_0 && kind < ITEM_CAPSULE; }

// Frames of an item's life.
constexpr int ITEM_HOP_FRAMES = 40;
constexpr int ITEM_BLINK_START = 680;
constexpr int ITEM_FADE_START = 780;
constexpr int ITEM_LAST_AGE = 800;
constexpr int ITEM_PRODUCED_LAST_AGE = 679;

class CCom_GameItem : public CVxObject {
public:
    // A record with no serial, or an item of the battle's, which takes its
    // next item serial.
    CCom_GameItem();
    explicit CCom_GameItem(CBattleModel& model);
    CCom_GameItem(const CCom_GameItem&) = default;
    CCom_GameItem& operator=(const CCom_GameItem&) = default;
    ~CCom_GameItem() override = default;

    // Speed, age, own sprite, card and collected flag back to a fresh item's.
    void Reset() override;
    // One frame of motion and ageing; it takes the look Draw shows.
    void Update(CBattleModel& model);
    // The item as Update left it to be seen, with a capsule's card and the
    // collected mark.
    void Draw(const CBattleModel& model) const;
    // Starts the item of that kind at the point; a produced item shows the
    // scene's next-unlock picture.
    void Launch(CBattleModel& model, int kind, float x, float y, float z);

    // The age at which this item stops counting.
    int LastAge() const { return m_iItemKind == ITEM_PRODUCED ? ITEM_PRODUCED_LAST_AGE : ITEM_LAST_AGE; }

    int32_t m_iSerial = 0;
    int32_t m_iItemKind = 0;
    int32_t m_iAge = 0;                         // frames since launch
    float m_fSpeedX = 0.0f;                     // pixels per frame
    CVxBillboard* m_pOwnSprite = nullptr;       // kinds 9-11, set by the dropper; not owned
    CVxBillboard* m_pProducedSprite = nullptr;  // kind 12: the page's next-unlock picture; not owned
    int32_t m_iCard = -1;                       // hand slot a capsule carries
    bool m_bCollected = false;
    // Drawing scratch, taken by Update: where the picture sits, its scale and
    // the age it shows.
    VxVec3 m_vLookAt{0.0f, 0.0f, 0.0f};
    float m_fLookScale = 1.0f;
    int32_t m_iLookAge = 0;

private:
    // A item runs as Update then Draw; the object's own one-call frame is not for it.
    using CVxObject::Render;

    CVxBillboard* Sprite(const BattleScene& scene) const;
    // Hops, drifts and settles onto its cell's ground line.
    VxVec3 MoveLoose(CBattleModel& model, float spriteHeight);
    // Flies off toward the panel once picked up.
    VxVec3 MoveCollected(CBattleModel& model);
};

using ItemList = std::list<CCom_GameItem>;

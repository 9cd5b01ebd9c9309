#pragma once
// The battle's fixed sizes and the small records its state is made of.
#include <cstdint>
#include <vector>

#include "content/SaveProfile.h"
#include "content/StageDefinition.h"
#include "content/UnitDefinition.h"
#include "game/GameApplication.h"

constexpr int HAND_SLOTS = HAND_SLOT_COUNT;
constexpr int DECK_SLOTS = 10;
constexpr int REMOVER_SLOT = 10;
constexpr int STAGE_ENEMY_RECORDS = ENEMY_RECORD_COUNT;
constexpr int CARD_FLIGHTS = 15;
constexpr int DISPLAY_ROBOTS = 10;
constexpr int MINI_GAME_ROBOT_SLOTS = 10;
constexpr int MINI_GAME_LINKS = 20;  // the ten slots, the boss and nine more
constexpr int BATTLE_SOUND_EFFECTS = 16;
constexpr int MAX_FIELD_EFFECTS = 30;
constexpr int CAGE_FRAMES = 10;
constexpr int BOSS_ARM_FRAMES = 10;
constexpr int BOSS_HAND_FRAMES = 10;
constexpr int STAGE_STATS = 5;
constexpr int STATE_FLAGS = 8;
constexpr int HAND_SOUNDS_KEPT = 11;  // sounds of these first slots are the page's own

// A mini-game's reel: the card codes it shows in turn, where it stands, how
// often it steps, and whether it turns or has stopped and awaits its payout.
struct SlotReel {
    std::vector<int> m_vecCodes;
    int m_iPosition = 0;
    int m_iPeriod = 0;
    uint8_t m_bRunning = 0;
    uint8_t m_bStopped = 0;
};

// A robot sliding in an arc to a point. The robot is held by serial: a robot
// that leaves the field simply ends its slide.
struct MiniGameTween {
    int m_iSerial = -1;
    float m_afStart[3] = {};
    float m_afEnd[3] = {};
    int m_iDuration = 0;
    int m_iFramesLeft = 0;  // 0: the slot is free
};
constexpr int MINI_GAME_TWEENS = 3;
constexpr int SLOT_REELS = 3;

// A card flying between the card list and the hand.
struct CardFlight {
    int m_iTotalFrames;
    int m_iFramesLeft;  // 0: free
    float m_fX, m_fY, m_fZ;
    int m_iCard;
    int m_iSlot;
};

#pragma once
// Small records and numbers shared by the battle page, its units and its effects.
#include "engine/VxEffect.h"

// The thirteen states a battle goes through, from the opening fade to the
// result board.
enum BattleState : int {
    BATTLE_OPENING = 0,
    BATTLE_INTRO = 1,
    BATTLE_NEW_ENEMIES = 2,
    BATTLE_DECK_CHECK = 3,
    BATTLE_CARD_SELECT = 4,
    BATTLE_LOADING = 5,
    BATTLE_BEGIN = 6,
    BATTLE_PLAYING = 7,
    BATTLE_REWARD = 8,
    BATTLE_RESULT = 9,
    BATTLE_UNLOCKS = 10,
    BATTLE_ACHIEVEMENT = 11,
    BATTLE_SUMMARY = 12,
};

// A short animation on the field: kind = its type (0 to 32), parameters 0 to
// 2 its position and 3 the source (hand slot 0-16, or 1000 + stage-enemy slot).
using FieldEffect = EffectInstance;

constexpr int FIELD_EFFECT_TYPES = 33;

// Fills a blank record: kind, position (kept where the caller put it), source
// and life (35 frames; type 21 600, type 32 50).
void InitFieldEffect(FieldEffect& record, int type, int source, float x, float y, float z);
// One frame of a field effect: its life falls by one.
void UpdateFieldEffect(FieldEffect& record);

// Serial counters of every constructed robot, bullet and item (temporaries
// included); the battle's set-up puts them back to 0.
extern int g_iNextRobotSerial;
extern int g_iNextBulletSerial;
extern int g_iNextItemSerial;

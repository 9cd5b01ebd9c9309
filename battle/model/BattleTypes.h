#pragma once
// Small records and numbers shared by the battle page, its units and its effects.
#include "content/FieldEffectTypes.h"
#include "engine/VxEffect.h"
#include "game/BattleLink.h"

// A short animation on the field: kind = its FieldEffectType, parameters 0 to
// 2 its position and 3 the source (hand slot 0-16, or 1000 + stage-enemy slot).
using FieldEffect = EffectInstance;

constexpr int FIELD_EFFECT_TYPES = 33;

// Fills a blank record: kind, position (kept where the caller put it), source
// and life (35 frames; the final bombardment 600, the shot ring 50).
void InitFieldEffect(FieldEffect& record, FieldEffectType type, int source, float x, float y, float z);
// The record's kind: read it through this, never as the record's number.
inline FieldEffectType FieldEffectKind(const FieldEffect& record) { return FieldEffectType(record.kind); }

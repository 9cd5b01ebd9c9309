#pragma once
// Every field-effect kind by name: the short animations on the field, a few of
// which act on the battle at fixed ages. A weapon's hit type is one of them.
// A kind is a type of its own with the names below: a bare number where a kind
// is meant (an argument, a comparison, a case label) does not compile.
#include <cstdint>

enum class FieldEffectType : int32_t {};

constexpr FieldEffectType FIELD_EFFECT_NONE{-1};  // a hit that shows nothing
constexpr FieldEffectType FIELD_EFFECT_HIT{0};
constexpr FieldEffectType FIELD_EFFECT_SHOT_BURST{1};
constexpr FieldEffectType FIELD_EFFECT_SHOT_BURST_ADD{2};
constexpr FieldEffectType FIELD_EFFECT_SHOT_SWELL{3};
constexpr FieldEffectType FIELD_EFFECT_SHOT_SWELL_ADD{4};
constexpr FieldEffectType FIELD_EFFECT_SHOT_STREAKS{5};
constexpr FieldEffectType FIELD_EFFECT_SHOT_RISE{6};
constexpr FieldEffectType FIELD_EFFECT_SHOT_STAY{7};
constexpr FieldEffectType FIELD_EFFECT_SHOT_SPIN{8};
constexpr FieldEffectType FIELD_EFFECT_RESERVED_9{9};
constexpr FieldEffectType FIELD_EFFECT_SPARK_RING{10};
constexpr FieldEffectType FIELD_EFFECT_SMOKE_SPREAD{11};
constexpr FieldEffectType FIELD_EFFECT_SMOKE_SPARK_RING{12};
constexpr FieldEffectType FIELD_EFFECT_WIDE_BURST{13};
constexpr FieldEffectType FIELD_EFFECT_GLOW_BURST{14};
constexpr FieldEffectType FIELD_EFFECT_BURROW_DUST{15};
constexpr FieldEffectType FIELD_EFFECT_RED_HIT{16};
constexpr FieldEffectType FIELD_EFFECT_SPLIT_SPAWN{17};  // a Stingray's split into three
constexpr FieldEffectType FIELD_EFFECT_RED_GLOW_BURST{18};
constexpr FieldEffectType FIELD_EFFECT_BLAST{19};
constexpr FieldEffectType FIELD_EFFECT_BOMBARDMENT{20};
constexpr FieldEffectType FIELD_EFFECT_FINAL_BOMBARDMENT{21};
constexpr FieldEffectType FIELD_EFFECT_BOMB_BLAST{22};
constexpr FieldEffectType FIELD_EFFECT_SMOKE_FAN{23};
constexpr FieldEffectType FIELD_EFFECT_GROUND_DUST{24};
constexpr FieldEffectType FIELD_EFFECT_RESERVED_25{25};
constexpr FieldEffectType FIELD_EFFECT_RESERVED_26{26};
constexpr FieldEffectType FIELD_EFFECT_RESERVED_27{27};
constexpr FieldEffectType FIELD_EFFECT_GROUND_DEBRIS{28};
constexpr FieldEffectType FIELD_EFFECT_TARGET_MARK{29};
constexpr FieldEffectType FIELD_EFFECT_LANDING_DUST{30};
constexpr FieldEffectType FIELD_EFFECT_BREAK_UP{31};
constexpr FieldEffectType FIELD_EFFECT_SHOT_RING{32};  // fires bullets while it lives

#pragma once
// Levels of the three sound groups, in hundredths of a decibel:
// 0 is full, -10000 silent. The save header keeps them between runs.

// Group 0: sound effects.
extern int g_iEffectVolume;
// Group 1: music.
extern int g_iMusicVolume;
// Group 2.
extern int g_iGroup2Volume;

constexpr int DEFAULT_EFFECT_VOLUME = -2200;
constexpr int DEFAULT_MUSIC_VOLUME = -5000;

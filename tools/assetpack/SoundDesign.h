#pragma once
// Sound effects made by kind. The manifest names a sound's kind with a
// leading "sfx:KIND" in its label (click, error, shot-gun, hit-bomb,
// explosion-l, rain, ...); the file's name seeds the details, so two sounds
// of one kind still differ, and the pack is the same every time.
#include <string>
#include <vector>

// Samples at 22050 Hz in [-1, 1], already at the loudness of the sound's role
// (interface quiet, explosions loud, every peak well under full scale). Loops
// (the weather) wrap round without a seam. An unknown kind gives a plain blip.
std::vector<double> DesignEffect(const std::string& kind, const std::string& path, int lengthMs);

// True for the kinds the game plays looped.
bool IsLoopedEffect(const std::string& kind);

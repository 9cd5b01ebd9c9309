#pragma once
// Rules that single out particular stages, each asked by what it is about.

#include "content/StageKinds.h"

// The mini-games that end an episode: the Destroyer duel of each episode.
bool IsEpisodeFinalBossStage(int stage);
// The mini-games whose robots are picked up and put on other cells.
bool IsRelocationStage(int stage);
// The slot-machine mini-games: the hand is dealt by reels, each slot charged.
bool IsSlotMachineStage(int stage);
// The mini-games where placing a card leaves its slot charged.
bool StageKeepsCardCharge(int stage);
// The duels where the whales surface and wait for the robots.
bool IsWhaleDuelStage(int stage);
// The mini-games whose one robot fires a charged shot.
bool IsChargeShotStage(int stage);
// The boss duels fought from robot bases: the episode finals and 174.
bool IsBaseDuelStage(int stage);
// The mini-games where the robot jumps from ledge to ledge.
bool IsJumpStage(int stage);

// The weather of the third episode, one to an area (none in its last area
// and in the other episodes): acid rain, earthquakes, whirlpools, and jet
// streams that blow along a row, where no card may go while one blows.
enum class StageWeather { None, AcidRain, Earthquake, Whirlpools, JetStreams };
StageWeather WeatherOf(int stage);

#pragma once
// Stage ids: 1 to 150 are the ordinary stages of the three episodes, 151 to
// 180 the mini-games; mini-game 150 + k is played right after stage 5k.

constexpr int FIRST_MINI_GAME_STAGE = 151;
constexpr int LAST_STAGE = 180;

bool IsMiniGameStage(int stage);

// The ordinary stage a mini-game is played after (5k for mini-game 150 + k);
// an ordinary stage is its own.
int OrdinaryStageOf(int stage);
// Position of a stage in its episode's fifty places, 0 to 149 over the campaign.
int GetStagePosition(int stage);
// Episode 1 to 3.
int GetStageEpisode(int stage);
// Area 1 to 5 within the episode.
int GetStageWorld(int stage);
// Place 1 to 50 within the episode.
int GetStageInEpisode(int stage);
// The stage played after stage (180 wraps to 151; callers stop at 180).
int NextStageId(int stage);
// Place of a stage in the order of play, 0 (stage 1) to 179 (stage 180);
// -1 for anything that is not a stage id.
int GetStagePlayOrder(int stage);
// Whether the stage in play is the mini-game that ends an episode (160, 170, 180).
bool IsEpisodeFinalStage();
// Moves g_CurrentProfile.m_iFurthestStage to stage when stage comes later in play.
void AdvanceFurthestStage(int stage);

// List predicate for battle code: whether the robot (taken by value) is on
// side 0 (Tinkerlings) or 1 (Machines).
template <class Robot>
bool IsRobotOnSide(Robot robot, int side) {
    return robot.m_Unit.m_iSide == side;
}

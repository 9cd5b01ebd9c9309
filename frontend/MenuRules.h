#pragma once
// The progress rules of the menu screens, as plain functions of the furthest
// stage reached: which episodes, areas, stages and mini-games are open, and
// which stage a mission button starts. A furthest stage above 150 (the
// mini-game 150 + k) counts as the ordinary stage 5k it follows.

// The ordinary stage a furthest stage counts as.
int OrdinaryFurthestStage(int furthest);
// Episode 1 to 3 of the furthest stage.
int EpisodeOfProgress(int furthest);
// Mini-games reached, 0 to 30.
int OpenMiniGameCount(int furthest);
// Open areas of episode e (0 to 2), at most 5; 0 or less for an episode not reached.
int OpenAreaCount(int furthest, int episode);
// Open stages of area a (0 to 4) of episode e, at most 10; 0 or less when not reached.
int OpenStageCount(int furthest, int episode, int area);
// Whether button i (0 to 9) of area a of episode e is the furthest stage itself.
bool IsNewestStageButton(int furthest, int episode, int area, int index);
// The button of area a that stands for the pending mini-game (the stage it
// follows), while one is pending and episode 3 was never finished; -1 none.
int PendingMiniGameButton(int furthest, bool episode3Finished, int episode, int area);
// The stage button i of area a starts: the pending mini-game on its button.
int MissionButtonStage(int furthest, bool episode3Finished, int episode, int area, int index);
// Groups of ten on the mini-game list: 1, 2 once episode 2 is finished, 3 once episode 3 is.
int MiniGameGroupCount(int episode2Finished, int episode3Finished);

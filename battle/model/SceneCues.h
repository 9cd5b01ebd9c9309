#pragma once
// What the battle's rules start on the overlays the page owns: a tutorial
// step, the Destroyer's hands, a Machine dropped from the sky. Each is defined
// beside its effect, so the rules name the cue and never the effect's class.
// Every cue does nothing when the scene lacks the effect (a battle run
// without a page).
struct BattleScene;

// The tutorial board is up, and the step it shows (-1 without a board).
bool TutorialShown(const BattleScene& scene);
int TutorialStep(const BattleScene& scene);
// The step the board was asked for and has not shown yet (-1 without a board).
int TutorialRequestedStep(const BattleScene& scene);
// The step on show has faded out completely (false without a board).
bool TutorialStepDismissed(const BattleScene& scene);
void CueTutorialStep(BattleScene& scene, int step);

// A meteor with a Machine inside starts to fall, and lands.
void CueMeteorFalls(BattleScene& scene);
void CueMeteorLands(BattleScene& scene);

// The round banner of 151 (the last round's for the fifth), and whether it still shows.
void CueRoundBanner(BattleScene& scene, bool lastRound);
bool RoundBannerShown(const BattleScene& scene);

// The player cut a parachute.
void CueParachuteCut(BattleScene& scene);

// The tutorial board shows no step and fades none (false without a board).
bool TutorialIdle(const BattleScene& scene);
// The frames the step on show has been up while it is not fading out (-1
// while it fades out, and without a board).
int TutorialStepShownFrames(const BattleScene& scene);

// The wave banner: a wave comes, or the final one.
void CueWaveBanner(BattleScene& scene, bool finalWave);

// Machines crossed the field: the notice shows the life lost.
void CueLifeLost(BattleScene& scene, int damage);

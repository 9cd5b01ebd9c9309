#pragma once
// What the battle's rules start on the overlays the page owns: a tutorial
// step's click, the Destroyer's hands, a Machine dropped from the sky. Each is defined
// beside its effect, so the rules name the cue and never the effect's class.
// Every cue does nothing when the scene lacks the effect (a battle run
// without a page).
struct BattleScene;

// A tutorial step was clicked away: the click sounds.
void CueTutorialClick(BattleScene& scene);

// A meteor with a Machine inside starts to fall, and lands.
void CueMeteorFalls(BattleScene& scene);
void CueMeteorLands(BattleScene& scene);

// The round banner of 151 (the last round's for the fifth), and whether it still shows.
void CueRoundBanner(BattleScene& scene, bool lastRound);
bool RoundBannerShown(const BattleScene& scene);

// The player cut a parachute.
void CueParachuteCut(BattleScene& scene);

// The wave banner: a wave comes, or the final one.
void CueWaveBanner(BattleScene& scene, bool finalWave);

// Machines crossed the field: the notice shows the life lost.
void CueLifeLost(BattleScene& scene, int damage);

// A jolt: the screen shakes by the amplitude, in pixels, the last asked
// holding. Whoever shows the battle takes it and hands it to the screen; it
// waits in the scene till then.
void CueScreenShake(BattleScene& scene, float amplitude);
bool TakeScreenShake(BattleScene& scene, float& amplitude);

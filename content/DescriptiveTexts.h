#pragma once
// Descriptive texts of mini-games, robot upgrades, Machine variants and units,
// and the two columns of the unit info panel. Texts use "\n" for a line break
// and "\t" for an indent; the bitmap font draws both. Composed texts are
// temporary strings.

// "?????????" outside 151 to 180.
const char* GetMiniGameName(int stage);
// "Description :\n\t" + the story + "\n".
const char* GetMiniGameDescription(int stage);
// "How to Play :\n\t" + the rules + "\n".
const char* GetMiniGameHowToPlay(int stage);
// The bare story and rules ("????????" outside 151 to 180).
const char* GetMiniGameStory(int stage);
const char* GetMiniGameRules(int stage);

// Robot ids 0 to 39.
const char* GetRobotUpgradeName(int robotId);
// The bare effect sentence of a robot's upgrade.
const char* GetRobotUpgradeEffect(int robotId);
// The effect sentence laid out for the screen that shows it.
const char* GetRobotUpgradeEffectText(int robotId);

// EnemyVariant kind and Machine type.
const char* GetEnemyVariantName(int kind, int type);
const char* GetEnemyVariantDescription(int kind, int type);

// Units 0 to 39 and 1000 to 1032: "\t" + one or two lines + "\n".
const char* GetUnitAbilityText(int type);
// "Description :\n\t" + the unit's encyclopedia story.
const char* GetUnitDescription(int type);
// The bare encyclopedia story; null for an unknown unit.
const char* GetUnitStory(int type);

// The label and value columns of the info panel, line for line.
const char* BuildUnitInfoLabels(int type);
const char* BuildUnitInfoValues(int type);

#pragma once
// How one battle runs: its length, its eight Machine slots with their weights,
// and the two timed streams (single Machines and growing waves).

constexpr int STAGE_ENEMY_SLOTS = 8;
constexpr int STAGE_WAVE_TIMES = 20;

struct StageDefinition {
    int m_iLength;                         // seconds
    int m_aiEnemyType[STAGE_ENEMY_SLOTS];  // 1000 or more, 0 for an empty slot
    float m_afWaveWeight[STAGE_ENEMY_SLOTS];
    float m_afWaveWeightStep[STAGE_ENEMY_SLOTS];
    float m_afStreamWeight[STAGE_ENEMY_SLOTS];
    float m_afStreamWeightStep[STAGE_ENEMY_SLOTS];
    int m_iStreamWeightTotal;
    int m_iWaveWeightTotal;
    int m_iStreamStart;  // seconds
    int m_iWaveStart;
    int m_iStreamInterval;
    int m_iWaveInterval;
    int m_iWaveSize;
    int m_iWaveSizeStep;
    int m_iWaveSizeCap;
    int m_iExtraEnemies;
    int m_aiWaveTime[STAGE_WAVE_TIMES];  // seconds, ascending
    int m_nWaveTimes;
    bool m_bCardCharge;
    bool m_bRemoverCard;
    bool m_bAttacksAllowed;
    bool m_bEnemySchedule;
    bool m_bLifeInPlay;
    bool m_bEnergyInPlay;
    float m_fItemFallSpeed;
    int m_iBackground;  // -1, or world * 100 + picture position
    bool m_bEdgeTiles;
    int m_iGroundRow;  // -1: derived from the terrain
    bool m_bFinalWave;
    bool m_bEnergyShower;  // every defeated Machine drops energy (clear in every stage)
    bool m_bRuleHold;      // the mini-game loss rules are held off (clear in every stage)
};

// Whether a stage has a record to be played by: a number 1 to LAST_STAGE,
// and a mini-game with its row.
bool HasStageRecord(int stage);

// Fills a value-initialised record for a stage (1 to 180) on the live profile's
// difficulty.
void GetStageDefinition(int stage, StageDefinition& record);
// The same for a given difficulty (0, 1 or 2).
void GetStageDefinition(int stage, int difficulty, StageDefinition& record);

// The cycle length of a weight row: the running sum truncated after every slot.
int SumTruncatedWeights(const float* weights);

// World (1 to 6) of the stage in play: the battle page's background override
// when it has one, else the area of the current stage.
int GetCurrentStageWorld();
// The world a battle's backdrop shows: the record's background, or the stage's own.
int GetStageWorldOf(const StageDefinition& record, int stage);

// The Machine mixes, one filler per stage range. Each writes the eight types and
// the four weight rows (and the ground row where a range has one); a stage
// outside the range writes nothing. The mini-game filler also writes the
// mini-game timing and rules and reads the difficulty where those differ.
void FillStageEnemies1To50(int stage, StageDefinition& record);
void FillStageEnemies51To100(int stage, StageDefinition& record);
void FillStageEnemies101To150(int stage, StageDefinition& record);
void FillStageEnemies151To180(int stage, StageDefinition& record);
void FillStageEnemies151To180(int stage, int difficulty, StageDefinition& record);

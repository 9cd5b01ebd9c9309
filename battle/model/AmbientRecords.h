#pragma once
// The field's decoration as the battle keeps it: which pieces of each kind
// are running, in pools of the sizes their effects have. A piece rolls its
// numbers only when its effect has a free record to start, so the battle
// follows each record's life here: the petals, flakes and spike bursts for
// their frames, the balls, gusts, fish and meteors until they leave the
// screen, moving as their effects move them. The stage unit keeps one for
// its battle (the page makes both, and the effects, together); the logic pass
// ticks it where the page ticks the effects.
#include "battle/model/AmbientDraws.h"

class CBattleModel;

// What an ambient tick reads of the battle.
struct AmbientFrame {
    float screenWidth = 0.0f;
    float camera = 0.0f;  // the field's scroll
    int machines = 0;     // Machines on the field
    bool fastWater = false;
};

class AmbientRecords {
public:
    // A piece starts when its pool has a free record: then its numbers are
    // rolled into out and the answer is true; otherwise nothing is drawn.
    bool StartFlower(FlowerRoll& out);
    bool StartGreenBall(GreenBallRoll& out, float screenWidth);
    bool StartSandWind(SandWindRoll& out, float screenWidth);
    bool StartFish(FishRoll& out, float screenWidth, float camera, bool fastWater);
    bool StartSnow(SnowRoll& out);
    bool StartMeteor(MeteorRoll& out, float y);
    bool StartSpike(SpikeRoll& out);

    // The petals run before the units; everything else after them.
    void TickBeforeUnits();
    void TickAfterUnits(const AmbientFrame& frame);

    // Running pieces of a pool (tests).
    int LiveFlowers() const { return Live(m_aFlowers, AMBIENT_FLOWERS); }
    int LiveGreenBalls() const { return Live(m_aGreenBalls, AMBIENT_GREEN_BALLS); }
    int LiveSandWinds() const { return Live(m_aSandWinds, AMBIENT_SAND_WINDS); }
    int LiveFish() const { return Live(m_aFish, AMBIENT_FISH); }
    int LiveSnow() const { return Live(m_aSnow, AMBIENT_SNOW); }
    int LiveMeteors() const { return Live(m_aMeteors, AMBIENT_METEORS); }
    int LiveSpikes() const { return Live(m_aSpikes, AMBIENT_SPIKES); }

    // A record: live while life > 0. The endless ones keep their life until
    // they leave the screen; where they are and how fast they go decide it.
    struct Piece {
        int life = 0;
        int hold = 0;  // spike bursts: frames before the life runs down
        float x = 0.0f, y = 0.0f;
        float speed = 0.0f;
        int direction = 0;
        bool scared = false;
        float cameraAtStart = 0.0f;
    };

private:
    static int FirstFree(const Piece* pool, int size);
    static int Live(const Piece* pool, int size);

    Piece m_aFlowers[AMBIENT_FLOWERS];
    Piece m_aGreenBalls[AMBIENT_GREEN_BALLS];
    Piece m_aSandWinds[AMBIENT_SAND_WINDS];
    Piece m_aFish[AMBIENT_FISH];
    Piece m_aSnow[AMBIENT_SNOW];
    Piece m_aMeteors[AMBIENT_METEORS];
    Piece m_aSpikes[AMBIENT_SPIKES];
};

// The ticks at their places in the logic pass, on the stage unit's records
// (nothing without a stage unit).
void TickAmbientBeforeUnits(CBattleModel& model);
void TickAmbientAfterUnits(CBattleModel& model);

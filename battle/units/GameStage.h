#pragma once
// The battle's backdrop: a background picture that scrolls with parallax, the
// water strip of the sea worlds and the ground tiles of the field's cells. It
// also moves the field across the screen in the special stages, tells the
// render road when the backdrop must be drawn again, and spawns each world's
// ambient weather. The battle page makes one per battle (m_pStage) and hands
// it the model's battle at every call.
#include "battle/model/AmbientRecords.h"
#include "engine/VxEffect.h"

class CBattleModel;
class CVxBillboard;

constexpr int STAGE_GROUND_TILES = 16;
constexpr float STAGE_REST_SCROLL_X = 450.0f;

// The pictures a stage shows: area 1-5 (the folder), variant 1-5 and whether
// the picture is mirrored. backgroundOverride is the stage record's
// background number (-1 none).
struct StageBackdrop {
    int area;
    int variant;
    bool mirrored;
};
StageBackdrop GetStageBackdrop(int stage, int backgroundOverride);

// How far the field moves each frame in the special stages (0 elsewhere).
float StageScrollStep(int stage, float scrollY);

class CCom_GameStage : public CVxEffect {
public:
    // The backdrop of the model's battle, loaded for its stage record and cells.
    explicit CCom_GameStage(const CBattleModel& model);
    ~CCom_GameStage() override;
    CCom_GameStage(const CCom_GameStage&) = delete;
    CCom_GameStage& operator=(const CCom_GameStage&) = delete;

    // Frame counter and scroll back to the start.
    void Reset();
    // The pictures of the current stage, through the stage's own manager.
    using CVxResource::Load;
    void Load(const CBattleModel& model);
    // Once a frame: scroll, redraw flag, ambient spawns. force redraws even
    // when nothing moved (spikes cleared from the ground).
    void Update(const CBattleModel& model, bool force);
    // Background and ground, into the render road's stage target.
    void Render(const CBattleModel& model);
    // The scrolling water line of the sea worlds.
    void DrawWaterStrip(const CBattleModel& model);
    // The strip's copies side by side centred on 0: as many as cover a
    // screen of that width at every offset, and the x of copy k at a frame
    // (stage 177's water runs back at twice the speed).
    static int WaterStripCopies(float screenWidth, float stripWidth);
    static float WaterStripX(int k, int copies, float stripWidth, int frame, bool backwards);
    void OnFrame(int) override {}

    int m_iFrame = 0;
    CVxBillboard* m_pBackground = nullptr;
    CVxBillboard* m_apGround[STAGE_GROUND_TILES] = {};  // j + 4 i for "Ground" j i ".tga"
    CVxBillboard* m_pWater = nullptr;
    float m_fScrollX = STAGE_REST_SCROLL_X;
    float m_fLastScrollX = STAGE_REST_SCROLL_X + 1.0f;
    float m_fScrollY = 0.0f;
    float m_fLastScrollY = 0.0f;
    int m_nGroundLanes = 0;
    // The decoration running on the field, as the battle follows it: the
    // effects the page makes with this unit start and end their records in
    // step with it.
    AmbientRecords m_Ambient;

private:
    void SpawnAmbient(const CBattleModel& model);
    void DrawBackground(float y0);
    void DrawGround(const CBattleModel& model);
    void DrawTile(int index, float x, float y);
};

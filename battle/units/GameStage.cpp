#include "battle/units/GameStage.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "battle/effects/Effect_Fish.h"
#include "battle/effects/Effect_Flower.h"
#include "battle/effects/Effect_GreenBall.h"
#include "battle/effects/Effect_Meteor.h"
#include "battle/effects/Effect_Oxygen.h"
#include "battle/effects/Effect_SandWind.h"
#include "battle/effects/Effect_Snow.h"
#include "battle/units/UnitContext.h"
#include "content/MiniGameTable.h"
#include "content/StageDefinition.h"
#include "content/StageKinds.h"
#include "engine/VxBillboard.h"
#include "content/StageNumbering.h"
#include "engine/framework/MyD3DApplication.h"
#include "platform/ResourceArchive.h"

namespace {

constexpr float kColumn = 85.5f;        // 90 x 0.95
constexpr float kTileDrop = 78.73125f;  // a tile's centre below its cell's
constexpr float kEdgeDrop = 80.75f;     // the edge piece one row lower
constexpr float kTileReach = 492.75f;   // tiles beyond this x are off screen
constexpr float kPictureSize = 1024.0f;

const FieldCell& Cell(const CBattleModel& model, int column, int row) {
    return RuleState(model).m_aFieldCells[column * FIELD_ROWS + row];
}

int TileIndex(const FieldCell& cell) { return int(cell.m_fEdgeSet) + 4 * int(cell.m_fEdgeShape); }

}  // namespace

StageBackdrop GetStageBackdrop(int stage, int backgroundOverride) {
    int s = stage;
    while (s > 150) s = OrdinaryStageOf(s);
    const int n = s - 1;
    StageBackdrop b{(n % 50) / 10 + 1, IsMiniGameStage(stage) ? 5 : (n % 10) / 2 + 1, n % 2 == 1};
    if (backgroundOverride != -1) {
        b.area = backgroundOverride / 100;
        b.variant = ((backgroundOverride % 100) - 1) / 2 + 1;
        b.mirrored = (backgroundOverride - 1) % 2 != 0;
    }
    return b;
}

float StageScrollStep(int stage, float scrollY) {
    // The climb slows as it nears the top.
    if (ModeOf(stage) == MiniGameMode::Climb) return (scrollY + 9550.0f) / -955.0f + 10.0f;
    return MiniGameRowOf(stage).scroll;
}

CCom_GameStage::CCom_GameStage(const CBattleModel& model) {
    m_nPoolSize = 0;
    m_iDefaultLife = 1;
    Load(model);
}

CCom_GameStage::~CCom_GameStage() = default;

void CCom_GameStage::Reset() {
    m_iFrame = 0;
    m_fScrollX = STAGE_REST_SCROLL_X;
    m_fLastScrollX = STAGE_REST_SCROLL_X + 1.0f;
    m_fScrollY = 0.0f;
    m_fLastScrollY = 0.0f;
}

void CCom_GameStage::Load(const CBattleModel& model) {
    Reset();
    const int stage = model.StageNumber();
    const StageBackdrop b = GetStageBackdrop(stage, RuleState(model).m_StageDefinition.m_iBackground);
    const std::string folder = "Resource\\Stage\\" + std::to_string(b.area) + "\\";

    const std::string bg = "BG" + std::to_string(b.area) + "_" + std::to_string(b.variant) + ".jpg";
    m_pBackground = CreateBillboard(bg.c_str(), folder.c_str(), nullptr);
    if (m_pBackground) {
        m_pBackground->ScaleSizeUniform(1.0001f);
        if (b.mirrored) m_pBackground->SetScale(-1.0f, 1.0f, 1.0f);
    }

    const char* waterFolder = nullptr;
    if (b.area == 4 || ModeOf(stage) == MiniGameMode::Swim) waterFolder = "Resource\\Stage\\4\\";
    else if (b.area == 5) waterFolder = "Resource\\Stage\\5\\";
    if (waterFolder) {
        m_pWater = CreateBillboard("Water.tga", waterFolder, nullptr);
        if (m_pWater) m_pWater->SetAlphaBlend(true);
    }

    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            const std::string name = "Ground" + std::to_string(j) + std::to_string(i) + ".tga";
            // A tile the world has no use for is simply not there.
            if (!ResourceFileExists(name.c_str(), folder.c_str())) continue;
            CVxBillboard* tile = CreateBillboard(name.c_str(), folder.c_str(), nullptr);
            if (!tile) continue;
            tile->SetAlphaBlend(true);
            tile->ScaleSizeUniform(0.955f);
            m_apGround[j + 4 * i] = tile;
        }

    m_nGroundLanes = 0;
    for (int r = 0; r < FIELD_ROWS; ++r)
        if (Cell(model, 0, r).m_iStageKind == CELL_GROUND) ++m_nGroundLanes;
}

void CCom_GameStage::Update(const CBattleModel& model, bool force) {
    const int stage = model.StageNumber();
    const bool paused = model.StillShown();
    if (!paused) {
        ++m_iFrame;
        m_fScrollX += StageScrollStep(stage, m_fScrollY);
    }
    if (m_fScrollX == m_fLastScrollX && m_fScrollY == m_fLastScrollY && !force) {
        g_bStageRedraw = false;
    } else {
        g_bStageRedraw = true;
        m_fLastScrollX = m_fScrollX;
        m_fLastScrollY = m_fScrollY;
    }
    SpawnAmbient(model);
}

// Every number is drawn whether or not the page's effects are there to show
// the piece; a piece's own numbers only when its pool has room for it.
void CCom_GameStage::SpawnAmbient(const CBattleModel& model) {
    const BattleScene& scene = model.Scene();
    const int stage = model.StageNumber();
    const int f = units::Frame(model);
    const float w = float(g_iScreenWidth), h = float(g_iScreenHeight);
    const int iw = g_iScreenWidth;
    switch (GetStageWorldOf(RuleState(model).m_StageDefinition, stage)) {
    case 1:
        if (f % 1800 > 900 && f % 120 == 0) {
            const int rx = VxRand() % 10;
            const int ry = VxRand() % int(0.6f * h);
            FlowerRoll roll;
            if (m_Ambient.StartFlower(roll) && scene.m_pEffectFlower)
                scene.m_pEffectFlower->AddRolled(float(rx) - 0.6f * w, float(ry) - 0.25f * h, 0.0f, roll);
        }
        break;
    case 2:
        if (ModeOf(stage) == MiniGameMode::BaseDuel) break;
        if (f % 1200 == 0) {
            const int n = VxRand() % 2 == 1 ? 2 : 1;
            for (int i = 0; i < n; ++i) {
                GreenBallRoll roll;
                if (m_Ambient.StartGreenBall(roll, w) && scene.m_pEffectGreenBall)
                    scene.m_pEffectGreenBall->AddRolled(roll);
            }
        }
        if (f % 300 == 0) {
            SandWindRoll roll;
            if (m_Ambient.StartSandWind(roll, w) && scene.m_pEffectSandWind) scene.m_pEffectSandWind->AddRolled(roll);
        }
        break;
    case 3:
        if (f % 180 == 0 && VxRand() % 3 != 0) {
            const int rx = VxRand() % iw;
            const int ry = VxRand() % 100;
            if (scene.m_pEffectOxygen)
                scene.m_pEffectOxygen->AddAtPoint(float(rx) - 0.5f * w, 50.0f - float(ry) - 0.5f * h, 0.0f);
        }
        if (f % 720 == 0) {
            const bool fastWater = IsFastWaterStage(model.StageNumber());
            for (int lane = 0; lane < FIELD_ROWS; ++lane) {
                if (VxRand() % 3 != 0) continue;
                FishRoll roll;
                if (m_Ambient.StartFish(roll, w, m_fScrollX, fastWater) && scene.m_pEffectFish)
                    scene.m_pEffectFish->AddRolled(lane, roll);
            }
        }
        break;
    case 4: {
        const bool third = GetStageEpisode(stage) == 3;
        const int period = third ? 10 : 30;
        if (f % period != 0) break;
        if (third && VxRand() % 3 == 0) break;
        const int band = third ? int(1.5f * w) : iw;
        const int b = band / 5;
        const int k = (f / period) % 5;
        const int rx = VxRand() % b;
        const float x = third ? float(rx + k * b - band) : float(k * b + rx) - 0.65f * float(band);
        const int ry = VxRand() % (third ? 100 : 50);
        SnowRoll roll;
        if (m_Ambient.StartSnow(roll) && scene.m_pEffectSnow)
            scene.m_pEffectSnow->AddRolled(x, 0.6f * h + float(ry), 0.0f, roll);
        break;
    }
    case 5: {
        const int period = int(120.0 - 2.0 * double(stage % 10));
        if (period <= 0 || f % period != 0) break;
        if (VxRand() % 3 == 0) break;
        const int rx = VxRand() % iw;
        const int ry = VxRand() % 100;
        const float y = 0.5f * h + float(ry) + 50.0f;
        MeteorRoll roll;
        if (m_Ambient.StartMeteor(roll, y) && scene.m_pEffectMeteor)
            scene.m_pEffectMeteor->AddRolled(-float(rx), y, 0.0f, roll);
        break;
    }
    default: break;
    }
}

void CCom_GameStage::Render(const CBattleModel& model) {
    if (g_pApp) g_pApp->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    const int row = RuleState(model).m_StageDefinition.m_iGroundRow != -1
                        ? RuleState(model).m_StageDefinition.m_iGroundRow
                        : RuleState(model).m_iFieldGroundRow;
    DrawBackground(float(int((4 - row) * 85 * 0.95 + 67.0)));
    DrawGround(model);
}

void CCom_GameStage::DrawBackground(float y0) {
    if (!m_pBackground) return;
    const float px = (1.0f - m_fScrollX / 450.0f) * -62.0f;
    const float py = (1.0f - m_fScrollY / 300.0f) * -62.0f;
    // One more picture for every 1024 pixels the parallax has moved.
    const int nx = int(m_fScrollX < 0.0f ? -m_fScrollX / 7432.2583f : m_fScrollX / 7432.0f) + 1;
    const int ny = int(m_fScrollY < 0.0f ? -m_fScrollY / 4954.839f : m_fScrollY / 4954.0f) + 1;
    for (int ky = -ny; ky <= ny; ++ky)
        for (int kx = -nx; kx <= nx; ++kx) {
            const float ox = px + kPictureSize * float(kx), oy = py + kPictureSize * float(ky);
            if (ox < -kPictureSize || ox > kPictureSize || oy < -kPictureSize || oy > kPictureSize) continue;
            m_pBackground->SetPosition(ox, oy + y0, 0.0f);
            m_pBackground->RenderSRT();
        }
}

void CCom_GameStage::DrawTile(int index, float x, float y) {
    if (index < 0 || index >= STAGE_GROUND_TILES) return;
    CVxBillboard* tile = m_apGround[index];
    if (!tile || x < -kTileReach || x > kTileReach) return;
    tile->SetPosition(x, y, 0.0f);
    tile->RenderSRT();
}

void CCom_GameStage::DrawGround(const CBattleModel& model) {
    const int stage = model.StageNumber();
    const bool world5 = GetStageWorldOf(RuleState(model).m_StageDefinition, stage) == 5;
    const bool edges = RuleState(model).m_StageDefinition.m_bEdgeTiles;
    const float yS = 0.2f * m_fScrollY;
    const float w = float(g_iScreenWidth);
    // A spiked cell of world 5 shows the tile two columns further.
    auto spiked = [&](const FieldCell& c) { return world5 && c.m_iSpikeFree == 0 ? 2 : 0; };

    // Extra columns beyond the field edge continue the edge column's ground.
    auto sideColumns = [&](int column, int dir) {
        bool ground = false;
        for (int r = 0; r < FIELD_ROWS; ++r) ground = ground || Cell(model, column, r).m_iStageKind == CELL_GROUND;
        if (!ground) return;
        int n = 1;
        int x = int(Cell(model, column, 0).m_fX);
        if (dir < 0)
            while (x > -(w / 2.0f + m_fScrollX)) x = int(float(x) - kColumn), ++n;
        else
            while (x < w / 2.0f - m_fScrollX) x = int(float(x) + kColumn), ++n;
        const bool beforeBattle =
            dir < 0 && RuleState(model).m_iBattleState < BATTLE_PLAYING && !IsMiniGameStage(stage);
        for (int k = 1; k < n; ++k) {
            for (int r = 0; r < FIELD_ROWS; ++r) {
                const FieldCell& c = Cell(model, column, r);
                const float cx = c.m_fX + m_fScrollX + float(dir * k) * kColumn;
                const float cy = c.m_fY + yS - kTileDrop;
                if (beforeBattle && c.m_iKind != c.m_iStageKind) {
                    const int m = r == 3 ? 2 : 3;
                    if (k >= m) {
                        const int base = k == m ? 8 : 4;
                        DrawTile(base + spiked(c), cx, cy);
                        continue;
                    }
                }
                if (c.m_fEdgeSet >= 0.0f) DrawTile(int(c.m_fEdgeSet) + 4, cx, cy);
            }
            if (edges) {
                const FieldCell& bottom = Cell(model, column, FIELD_ROWS - 1);
                int piece = 5;
                if (beforeBattle) {
                    const FieldCell& above = Cell(model, column, FIELD_ROWS - 2);
                    if (k == 3 && bottom.m_iKind != bottom.m_iStageKind) piece = 9;
                    if (k == 2 && bottom.m_iKind != CELL_GROUND && above.m_iKind != above.m_iStageKind) piece = 9;
                }
                DrawTile(piece, bottom.m_fX + m_fScrollX + float(dir * k) * kColumn,
                         bottom.m_fY + yS - kTileDrop - kEdgeDrop);
            }
        }
    };
    sideColumns(0, -1);

    if (edges) {
        for (int pass = 0; pass < 4; ++pass)
            for (int c = 0; c < FIELD_COLUMNS; ++c) {
                for (int r = 0; r < FIELD_ROWS; ++r) {
                    const FieldCell& cell = Cell(model, c, r);
                    if (cell.m_iStageKind == CELL_GROUND || int(cell.m_fEdgeShape) != pass || cell.m_fEdgeShape < 0.0f)
                        continue;
                    DrawTile(TileIndex(cell), cell.m_fX + m_fScrollX, cell.m_fY + yS - kTileDrop);
                }
                const FieldCell& bottom = Cell(model, c, FIELD_ROWS - 1);
                if (bottom.m_fEdgeShape >= 0.0f && int(bottom.m_fEdgeShape) == pass)
                    DrawTile(1 + 4 * pass, bottom.m_fX + m_fScrollX, bottom.m_fY + yS - kTileDrop - kEdgeDrop);
            }
    }
    for (int i = 0; i < FIELD_CELLS; ++i) {
        const FieldCell& cell = RuleState(model).m_aFieldCells[i];
        if (cell.m_iStageKind != CELL_GROUND || cell.m_fEdgeShape < 0.0f) continue;
        DrawTile(TileIndex(cell) + spiked(cell), cell.m_fX + m_fScrollX, cell.m_fY + yS - kTileDrop);
    }

    sideColumns(FIELD_COLUMNS - 1, +1);
}

void CCom_GameStage::DrawWaterStrip(const CBattleModel& model) {
    if (!m_pWater) return;
    int top = -1;
    for (int r = 0; r < FIELD_ROWS && top < 0; ++r)
        if (Cell(model, 0, r).m_iStageKind == CELL_WATER_SURFACE) top = r;
    if (Cell(model, 0, FIELD_ROWS - 1).m_iStageKind != CELL_WATER_SURFACE) return;
    const int level = top < 0 ? 0 : 4 - top;
    const float w = m_pWater->m_vSize.x;
    if (w < 1.0f) return;
    const int n = WaterStripCopies(float(g_iScreenWidth), w);
    const bool backwards = KindOf(model.StageNumber()) == StageKind::ConveyorCatch;
    const float y = float(level) * 85.0f * 0.95f - 265.0f + 5.0f;
    for (int k = 0; k < n; ++k) {
        m_pWater->SetPosition(WaterStripX(k, n, w, m_iFrame, backwards), y, 0.0f);
        m_pWater->RenderSRT();
    }
}

int CCom_GameStage::WaterStripCopies(float screenWidth, float stripWidth) {
    // Rounded up: rounded to the nearest, 880 / 256 leaves a gap at one edge
    // for part of every cycle.
    return int(std::ceil(screenWidth / stripWidth)) + 2;
}

float CCom_GameStage::WaterStripX(int k, int copies, float stripWidth, int frame, bool backwards) {
    const int wrap = std::max(1, int(stripWidth));
    const float o = backwards ? -float((2 * frame) % wrap) : float(frame % wrap);
    return (float(k) - float(copies - 1) / 2.0f) * stripWidth + o;
}

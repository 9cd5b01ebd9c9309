// The battle page's sound and drawing through real stage runs: unit sounds
// lowered together keep playing, the metal-parts panel slides, the "can move"
// marker of the relocation games, the prize over a won stage's capsule, and
// the hand while the stage loader runs.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "battle/effects/Effect_Paratrooper.h"
#include "battle/effects/Effect_Reward.h"
#include "battle/model/BattleRules.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameRobot.h"
#include "engine/VxBillboard.h"
#include "engine/VxSound.h"
#include "engine/VxTexture.h"
#include "engine/VxXApplication.h"
#include "game/GameApplication.h"
#include "platform/host/RecordingDevice.h"
#include "tests/HandInputSupport.h"

namespace {

// A battle that may draw into a recording device or hold the loader flag up.
template <class Base>
class Recorded : public Base {
protected:
    void TearDown() override {
        if (this->run) this->run->App().m_pDevice = nullptr;
        g_bLoaderRunning = false;
        Base::TearDown();
    }
    host::RecordingDevice device{880, 640};
};

class BattlePageTest : public Recorded<HandInputTest> {
protected:
    CPageGame& Playing(int stage, std::vector<int> hand = {}) {
        Begin(stage, 1, 77, std::move(hand));
        EXPECT_TRUE(run->RunUntilState(BATTLE_PLAYING, 5000));
        return Page();
    }
    // No Machine comes and no unit sound plays.
    void Quiet() {
        CPageGame& p = Page();
        RuleState(p.m_Battle).m_StageDefinition.m_bEnemySchedule = false;
        RuleState(p.m_Battle).m_lstRobots.clear();
        for (auto& slot : p.m_apCardSounds)
            for (CVxSound* s : slot)
                if (s) s->Stop();
        for (auto& slot : p.m_apEnemySounds)
            for (CVxSound* s : slot)
                if (s) s->Stop();
    }
    // One frame drawn into the recording device.
    void DrawnFrame() {
        run->App().m_pDevice = &device;
        device.draws.clear();
        run->Step();
        run->App().m_pDevice = nullptr;
    }
    struct Drawn {
        float x, y, width;
    };
    // Where the frame drew the picture: centre and drawn width.
    std::vector<Drawn> DrawsOf(const CVxBillboard* picture) const {
        std::vector<Drawn> out;
        if (!picture || !picture->m_pTexture || !picture->m_pTexture->m_pTexture) return out;
        for (const host::DrawRecord& d : device.draws) {
            if (d.state.texture != picture->m_pTexture->m_pTexture || d.vertices.empty()) continue;
            float lo = d.vertices[0].x, hi = lo;
            for (const host::Vertex& v : d.vertices) lo = std::min(lo, v.x), hi = std::max(hi, v.x);
            out.push_back({d.state.world[12], d.state.world[13], (hi - lo) * d.state.world[0]});
        }
        return out;
    }
};

// ---- sound ----

struct Lowering {
    const char* name;
    int sounds;    // unit sounds started together
    float factor;  // the level they are lowered to
};

const Lowering kLowerings[] = {
    {"OneSoundKeepsItsLevel", 1, 1.0f},
    {"TwoSoundsAreLoweredOneStep", 2, 0.96f},
    {"ThreeSoundsAreLoweredTwoSteps", 3, 0.92f},
};

TEST_F(BattlePageTest, UnitSoundsLoweredTogetherPlayOnToTheirEnd) {
    // The Fusor Bot's card has three sounds of 250 ms (15 frames).
    CPageGame& p = Playing(3, {0});
    for (const Lowering& row : kLowerings) {
        SCOPED_TRACE(row.name);
        Quiet();
        Frames(20);
        std::vector<CVxSound*> sounds;
        for (int i = 0; i < row.sounds; ++i) {
            CVxSound* s = p.m_apCardSounds[0][i];
            ASSERT_NE(s, nullptr);
            s->SetVolumeFactor(1.0f);
            s->Play();
            sounds.push_back(s);
        }
        // Ten frames hold two lowerings (every fifth engine frame).
        for (int f = 0; f < 10; ++f) {
            run->Step();
            for (CVxSound* s : sounds) EXPECT_TRUE(s->IsPlaying()) << "frame " << f;
        }
        for (CVxSound* s : sounds) EXPECT_FLOAT_EQ(s->m_fVolumeFactor, row.factor);
        // Played on from where they were stopped, not from their start.
        Frames(12);
        for (CVxSound* s : sounds) EXPECT_FALSE(s->IsPlaying());
    }
}

// ---- the metal-parts panel ----

struct Slide {
    const char* name;
    int timer;   // m_iPanelTimer set before the frames
    int frames;  // frames played from the hidden panel
    int y;       // the panel's y after them
};

const Slide kSlides[] = {
    {"HiddenAboveTheTopEdgeWithoutAPickUp", 0, 30, 370},   {"APickUpSlidesItDown15AFrame", 300, 1, 355},
    {"NotYetShownAfterFourFrames", 300, 4, 310},           {"ShownAfterFiveFrames", 300, 5, 302},
    {"StaysShownWhileTheTimerRuns", 300, 200, 302},        {"SlidesBackUpWhenTheTimerEnds", 300, 302, 332},
    {"HiddenAgainFiveFramesAfterTheTimer", 300, 305, 370},
};

TEST_F(BattlePageTest, TheMetalPartsPanelSlidesAndStaysWhereItIs) {
    CPageGame& p = Playing(3, {0});
    Quiet();
    CVxBillboard* panel = run->App().m_apBbdInterface[3];
    ASSERT_NE(panel, nullptr);
    for (const Slide& row : kSlides) {
        SCOPED_TRACE(row.name);
        RuleState(p.m_Battle).m_iPanelTimer = 0;
        p.SetPartsPanelPosition(-125.0f, 370.0f);  // the battle keeps the place; the picture follows
        RuleState(p.m_Battle).m_iPanelTimer = row.timer;
        Frames(row.frames);
        EXPECT_EQ(int(panel->m_vPosition.y), row.y);
        EXPECT_EQ(int(panel->m_vPosition.x), -125);
    }
}

// ---- the "can move" marker of the relocation games ----

struct Marker {
    const char* name;
    int hitFlash;  // the robot's hit flash before the frame
    bool picked;   // the player holds it
    int copies;    // markers drawn over it
    bool larger;   // drawn larger than an untouched robot's
};

const Marker kMarkers[] = {
    {"AnOwnRobotGetsOneMarker", 0, false, 1, false},
    {"AFreshHitMakesItLarger", 30, false, 1, true},
    {"APickedRobotsMarkerPulses", 0, true, 2, false},
};

TEST_F(BattlePageTest, RelocationGamesMarkTheRobotsThePlayerCanMove) {
    CPageGame& p = Playing(153);
    ASSERT_NE(p.m_pCanMoveIcon, nullptr);
    RuleState(p.m_Battle).m_StageDefinition.m_bEnemySchedule = false;
    std::vector<CCom_GameRobot*> own;
    for (CCom_GameRobot& r : RuleState(p.m_Battle).m_lstRobots)
        if (!r.IsMachine() && r.m_iHp > 0 && r.m_iState != ROBOT_DYING) own.push_back(&r);
    ASSERT_GE(own.size(), 2u) << "the game starts with robots on the field";
    DrawnFrame();
    const std::vector<Drawn> plain = DrawsOf(p.m_pCanMoveIcon);
    ASSERT_EQ(plain.size(), own.size()) << "one marker over every own robot";
    const float width = plain[0].width;
    for (const Marker& row : kMarkers) {
        SCOPED_TRACE(row.name);
        CCom_GameRobot& r = *own[0];
        r.m_iHitFlash = row.hitFlash;
        RuleState(p.m_Battle).m_iRelocatingRobot = row.picked ? r.m_iSerial : -1;
        DrawnFrame();
        std::vector<Drawn> over;
        for (const Drawn& d : DrawsOf(p.m_pCanMoveIcon))
            if (std::fabs(d.x - (r.m_vPosition.x + 38.0f)) < 0.5f && std::fabs(d.y - (r.m_vPosition.y + 27.0f)) < 0.5f)
                over.push_back(d);
        ASSERT_EQ(int(over.size()), row.copies) << "38 right of and 27 above the robot";
        EXPECT_EQ(over[0].width > width + 1.0f, row.larger);
    }
    RuleState(p.m_Battle).m_iRelocatingRobot = -1;
    // A robot on its way out has none.
    own[0]->m_iState = ROBOT_DYING;
    DrawnFrame();
    EXPECT_EQ(DrawsOf(p.m_pCanMoveIcon).size(), own.size() - 1);
}

// ---- the prize rising out of a won stage's capsule ----

struct Prize {
    const char* name;
    int stage;  // the furthest reached, won
};

const Prize kPrizes[] = {
    {"ANewRobot", 7},
    {"ALaboratoryItem", 2},
    {"AGameFeature", 10},
    {"AnUpgradedRobotsCard", 53},
    {"NothingNewTheRewardItem", 60},
};

TEST_F(BattlePageTest, ThePrizeOverTheCapsuleIsSeeThrough) {
    for (const Prize& row : kPrizes) {
        SCOPED_TRACE(row.name);
        CPageGame& p = Playing(row.stage);
        Quiet();
        ASSERT_NE(p.m_pNextUnlockPicture, nullptr);
        SetBattleState(p.m_Battle, BATTLE_REWARD);
        for (int f = 0; f < 600 && p.m_pEffectReward->m_iRewardState != 1; ++f) run->Step();
        ASSERT_EQ(p.m_pEffectReward->m_iRewardState, 1) << "the capsule has landed";
        DrawnFrame();
        ASSERT_FALSE(DrawsOf(p.m_pNextUnlockPicture).empty());
        for (const host::DrawRecord& d : device.draws) {
            if (d.state.texture != p.m_pNextUnlockPicture->m_pTexture->m_pTexture) continue;
            EXPECT_TRUE(d.state.render[host::RS_ALPHABLENDENABLE]) << "no opaque square round the prize";
        }
    }
}

// ---- the carried card's ghost on the episodes' last stages ----

struct GhostBase {
    const char* name;
    int card;   // the carried card
    int bases;  // robot bases drawn under the ghost
};

const GhostBase kGhostBases[] = {
    {"AGroundCardStandsOnTheBase", 2, 1},
    {"TheCannonCardOnItsBaseToo", 1, 1},
    {"ACardMountedOnARobotHasNone", 38, 0},
    {"TheMachineGunCardHasNone", 37, 0},
};

TEST_F(BattlePageTest, OnTheFinalBossStagesTheCarriedGhostStandsOnTheRobotBase) {
    // Stage 180 deals 2, 1, 18, 9, 30, 38, 37.
    CPageGame& p = Playing(180);
    ASSERT_NE(p.m_pRobotBase, nullptr);
    const VxVec3 cursor{100.0f, 280.0f, 0.0f};  // above the field band: the ghost follows the cursor
    for (const GhostBase& row : kGhostBases) {
        SCOPED_TRACE(row.name);
        const int slot = p.m_Battle.FindHandCard(row.card);
        ASSERT_GE(slot, 0);
        RuleState(p.m_Battle).m_iCarriedCard = slot;
        Aim(cursor.x, cursor.y);
        DrawnFrame();
        int under = 0;
        for (const Drawn& d : DrawsOf(p.m_pRobotBase))
            under += std::fabs(d.x - (cursor.x + p.m_vRobotBaseOffset.x)) < 0.5f &&
                     std::fabs(d.y - (cursor.y + p.m_vRobotBaseOffset.y)) < 0.5f;
        EXPECT_EQ(under, row.bases);
    }
    RuleState(p.m_Battle).m_iCarriedCard = -1;
}

// ---- stage 171: robots under parachutes ----

struct Hanging {
    const char* name;
    bool machineGun;  // the Gunner's slot holds the Machine Gun card
    float dx;         // where it stands for its own call
};

const Hanging kHangings[] = {
    {"AGunnerRunsWhereItStands", false, 0.0f},
    {"AGunnerWithTheMachineGunRuns10PxFurtherLeft", true, -10.0f},
};

TEST_F(BattlePageTest, OnStage171TheRobotsHangFromParachutes) {
    CPageGame& p = Playing(171);
    ASSERT_NE(p.m_pEffectParatrooper, nullptr);
    const CVxBillboard* parachute = p.m_pEffectParatrooper->Parachute();
    ASSERT_NE(parachute, nullptr);
    CCom_GameRobot* gunner = p.m_Battle.State().m_apMiniGameRobots[0];
    ASSERT_NE(gunner, nullptr);
    ASSERT_EQ(gunner->Type(), 1);
    const int gunSlot = p.m_Battle.FindHandCard(37), ownSlot = gunner->m_iUnitSlot;
    ASSERT_GE(gunSlot, 0);
    for (const Hanging& row : kHangings) {
        SCOPED_TRACE(row.name);
        gunner->m_iUnitSlot = row.machineGun ? gunSlot : ownSlot;
        DrawnFrame();
        EXPECT_FLOAT_EQ(gunner->m_vLastPosition.x, gunner->m_vPosition.x + row.dx);
        int over = 0;
        for (const Drawn& d : DrawsOf(parachute)) over += std::fabs(d.x - gunner->m_vPosition.x) < 0.5f;
        EXPECT_EQ(over, 1) << "its parachute over it";
    }
}

// ---- the debug view ----

struct CellColour {
    const char* name;
    int kind;  // every cell's current kind
    int r, g, b;
};

const CellColour kCellColours[] = {
    {"AirIsWhite", CELL_AIR, 255, 255, 255},
    {"GroundIsGreen", CELL_GROUND, 0, 255, 0},
    {"WaterSurfaceIsPaleBlue", CELL_WATER_SURFACE, 127, 127, 255},
    {"UnderwaterIsBlue", CELL_UNDERWATER, 0, 0, 255},
    {"AnyOtherKindIsBlack", 5, 0, 0, 0},
};

TEST_F(BattlePageTest, TheDebugViewColoursEveryCellByItsCurrentKind) {
    setenv("CSQ_DEBUG_VIEW", "1", 1);
    CPageGame& p = Playing(3, {0});
    unsetenv("CSQ_DEBUG_VIEW");
    ASSERT_TRUE(p.m_bDebugView) << "switched on as the battle loads";
    Quiet();
    ASSERT_NE(p.m_pPlaceMark, nullptr);
    for (const CellColour& row : kCellColours) {
        SCOPED_TRACE(row.name);
        for (FieldCell& cell : RuleState(p.m_Battle).m_aFieldCells) cell.m_iKind = row.kind;
        DrawnFrame();
        int cells = 0;
        for (const host::DrawRecord& d : device.draws) {
            if (!p.m_pPlaceMark->m_pTexture || d.state.texture != p.m_pPlaceMark->m_pTexture->m_pTexture) continue;
            const uint32_t c = d.vertices[0].color;
            const int r = int((c >> 16) & 0xFF), g = int((c >> 8) & 0xFF), b = int(c & 0xFF);
            if (c >> 24 == 0xFF && std::abs(r - row.r) <= 1 && std::abs(g - row.g) <= 1 && std::abs(b - row.b) <= 1)
                ++cells;
        }
        EXPECT_EQ(cells, FIELD_CELLS);
    }
    // Without the variable a battle has no debug view.
    run.reset();
    Begin(3, 1, 77, {0});
    EXPECT_FALSE(Page().m_bDebugView);
}

// ---- the hand while the stage loader runs ----

class LoadingHandTest : public Recorded<CardChoicePlay> {};

TEST_F(LoadingHandTest, AChosenHandStaysDrawnWhileTheLoaderRuns) {
    ASSERT_NO_FATAL_FAILURE(OpenChoice());
    const std::vector<int> ids = Usable();
    ASSERT_GE(ids.size(), 2u);
    ClickCard(ids[0]);
    Land();
    ClickCard(ids[1]);
    Land();
    Key(13);
    ASSERT_TRUE(run->RunUntilState(BATTLE_LOADING, 200));
    CVxBillboard* card = run->App().m_apBbdCard[ids[1]];
    ASSERT_NE(card, nullptr);
    // The runner's loader is done at once; this one keeps running.
    g_bLoaderRunning = true;
    run->App().m_pDevice = &device;
    device.draws.clear();
    Frames(3);
    run->App().m_pDevice = nullptr;
    int drawn = 0;
    for (const host::DrawRecord& d : device.draws)
        drawn += card->m_pTexture && d.state.texture == card->m_pTexture->m_pTexture;
    EXPECT_EQ(drawn, 3) << "the card in slot 1, once a frame";
    EXPECT_EQ(Page().m_Battle.State().m_iBattleState, BATTLE_LOADING) << "the battle waits for the loader";
}

TEST_F(LoadingHandTest, TheLoadersRecordsReachTheHandOnlyWhenHandedOver) {
    ASSERT_NO_FATAL_FAILURE(OpenChoice());
    const std::vector<int> ids = Usable();
    ASSERT_GE(ids.size(), 1u);
    ClickCard(ids[0]);
    Land();
    CPageGame& p = Page();
    RuleState(p.m_Battle).m_aHandDefs[0] = UnitDefinition{};
    const size_t lastTypes = p.m_Battle.State().m_lstDrawLastTypes.size();
    p.BuildHand();  // as the loader thread runs it
    EXPECT_EQ(p.m_Battle.State().m_aHandDefs[0].m_iRechargeTime, 0) << "untouched while the main thread may draw";
    EXPECT_EQ(p.m_Battle.State().m_lstDrawLastTypes.size(), lastTypes);
    EXPECT_TRUE(p.m_bLoadedHandWaiting);
    p.TakeLoadedHand();
    EXPECT_EQ(p.m_Battle.State().m_aHandDefs[0].m_iType, ids[0]);
    EXPECT_EQ(p.m_Battle.State().m_aHandDefs[0].m_iRechargeTime,
              p.m_Battle.State().m_aCardDefs[ids[0]].m_iRechargeTime);
    EXPECT_EQ(p.m_Battle.State().m_aHand[REMOVER_SLOT].m_iCard, ROBOT_REMOVER);
    EXPECT_EQ(p.m_Battle.State().m_lstDrawLastTypes.back(), ROBOT_REMOVER);
    EXPECT_FALSE(p.m_bLoadedHandWaiting);
}

}  // namespace

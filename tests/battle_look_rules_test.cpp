// Rules of how the battle looks that a player would notice: the water strip
// covers the screen, the stage 2 lesson points at cells that take the robot
// it asks for, the life-loss notice leaves with the play, the in-battle
// help points only at a Remover button that is drawn, every unit is drawn
// where it is, and the background holds while a still shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <string>

#include "battle/model/SkyDrops.h"
#include "battle/effects/Effect_HeartDecreased.h"
#include "battle/effects/Effect_HowToPlay.h"
#include "battle/effects/Effect_Paratrooper.h"
#include "battle/effects/Effect_Tutorials.h"
#include "battle/model/BattleRules.h"
#include "battle/units/GameStage.h"
#include "content/UnitIds.h"
#include "engine/VxBillboard.h"
#include "engine/VxTexture.h"
#include "tests/HandInputSupport.h"
#include "tests/PackPicture.h"
#include "tests/RecordingDevice.h"
#include "tests/StageRunSupport.h"

namespace {

// ---- the water strip ---------------------------------------------------------

struct StripCase {
    const char* name;
    float screen, strip;
    bool backwards;
};

const StripCase kStrips[] = {
    {"WaterStripCoversTheScreenAtEveryOffset", 880.0f, 256.0f, false},
    {"WaterStripRunningBackCoversTheScreenAtEveryOffset", 880.0f, 256.0f, true},
    {"NarrowStripCoversTheScreen", 880.0f, 100.0f, false},
    {"StripWiderThanTheScreenCoversIt", 880.0f, 1000.0f, true},
    {"StripAsWideAsTheScreenCoversIt", 880.0f, 880.0f, false},
};

class WaterStripRule : public ::testing::TestWithParam<StripCase> {};

TEST_P(WaterStripRule, NoBareEdgeAtAnyFrame) {
    const StripCase& c = GetParam();
    const int n = CCom_GameStage::WaterStripCopies(c.screen, c.strip);
    for (int frame = 0; frame < 2 * int(c.strip) + 3; ++frame) {
        float left = 1e9f, right = -1e9f;
        for (int k = 0; k < n; ++k) {
            const float x = CCom_GameStage::WaterStripX(k, n, c.strip, frame, c.backwards);
            left = std::min(left, x - c.strip / 2.0f);
            right = std::max(right, x + c.strip / 2.0f);
        }
        ASSERT_LE(left, -c.screen / 2.0f) << "bare at the left edge at frame " << frame;
        ASSERT_GE(right, c.screen / 2.0f) << "bare at the right edge at frame " << frame;
    }
}

INSTANTIATE_TEST_SUITE_P(Battle, WaterStripRule, ::testing::ValuesIn(kStrips),
                         [](const ::testing::TestParamInfo<StripCase>& i) { return std::string(i.param.name); });

// ---- stage 2's lesson ----------------------------------------------------------

struct ArrowCase {
    const char* name;
    int arrow;   // 0 to 4, right to left
    int column;  // the column it stands over
};

const ArrowCase kArrows[] = {
    {"LessonArrowOverColumn9TakesAGroundRobot", 0, 9}, {"LessonArrowOverColumn8TakesAGroundRobot", 1, 8},
    {"LessonArrowOverColumn7TakesAGroundRobot", 2, 7}, {"LessonArrowOverColumn6TakesAGroundRobot", 3, 6},
    {"LessonArrowOverColumn5TakesAGroundRobot", 4, 5},
};

class LessonArrowRule : public HandInputTest, public ::testing::WithParamInterface<ArrowCase> {};

TEST_P(LessonArrowRule, TheCellPointedAtTakesTheRobotItAsksFor) {
    const ArrowCase& c = GetParam();
    Begin(2, 1, 5, {0});  // the Fusor Bot, a ground robot
    g_CurrentProfile.m_iFurthestStage = 2;
    g_CurrentProfile.m_iEnergyBooster = 0;
    ASSERT_TRUE(run->RunUntilState(BATTLE_PLAYING, 5000));
    const TutorialSteps* lesson = &Page().m_Battle.State().m_Tutorial;
    for (int f = 0; f < 3000 && lesson->Step() != 16; ++f) run->Step();
    ASSERT_EQ(lesson->Step(), 16) << "the lesson comes once the first card has charged";
    VxVec3 points[5];
    bool flipped = true;
    ASSERT_EQ(CEffect_Tutorials::ArrowPoints(16, &Page().m_Battle, 0.0f, points, flipped), 5);
    ASSERT_FALSE(flipped) << "the arrows point down";
    const VxVec3 arrow = points[c.arrow];
    EXPECT_NEAR(arrow.x, Cell(c.column, 0).x, 2.0f);

    // Its tip, half the 64-pixel arrow below its centre, lies in a cell.
    const float tipY = arrow.y - 32.0f;
    int row = -1;
    for (int r = 0; r < FIELD_ROWS; ++r)
        if (std::abs(Cell(c.column, r).y - tipY) <= 80.75f / 2.0f) row = r;
    ASSERT_GE(row, 0);
    EXPECT_EQ(Page().m_Battle.State().m_aFieldCells[c.column * FIELD_ROWS + row].m_iKind, CELL_GROUND)
        << "what the arrow points into is drawn as ground";

    // Dismissed with a click; then the robot goes where the arrow points.
    for (int f = 0; f < 200 && !lesson->IsStepDismissed(); ++f) Click(0.0f, 0.0f);
    Frames(40);
    CPageGame& p = Page();
    RuleState(p.m_Battle).m_iEnergy = 500;
    RuleState(p.m_Battle).m_aHand[0].m_iCharge = RuleState(p.m_Battle).m_aHandDefs[0].m_iRechargeTime;
    Click(HandSlot(0).x, HandSlot(0).y);
    Move(arrow.x, tipY, 12);
    Click(arrow.x, tipY);
    EXPECT_EQ(Message(), "");
    EXPECT_EQ(Robots(), 1);
}

INSTANTIATE_TEST_SUITE_P(Lesson, LessonArrowRule, ::testing::ValuesIn(kArrows),
                         [](const ::testing::TestParamInfo<ArrowCase>& i) { return std::string(i.param.name); });

// ---- the life-loss notice ------------------------------------------------------

class LifeLossRule : public StageRunTest {};

TEST_F(LifeLossRule, TheLastHeartsNoticeStandsOverTheFirstResultFrames) {
    // Undefended: the Machines walk through and the last life goes.
    Begin(47, 1, 3, {0});
    ASSERT_TRUE(run->RunUntilState(BATTLE_PLAYING, 5000));
    CPageGame& page = run->Battle();
    // Lives enough for a loss or two in play before the last.
    RuleState(page.m_Battle).m_iLife = 6;
    CVxEffect* notice = page.m_pEffectHeartDecreased;
    ASSERT_NE(notice, nullptr);
    int lifeBeforeLast = 0;
    for (int f = 0; f < 60000 && run->State() == BATTLE_PLAYING; ++f) {
        lifeBeforeLast = page.m_Battle.State().m_iLife;
        run->Step();
    }
    ASSERT_EQ(run->State(), BATTLE_RESULT);
    ASSERT_EQ(page.m_Battle.State().m_iLife, 0);
    const EffectInstance& r = notice->m_aInstances[0];
    EXPECT_GT(r.life, 0) << "the last hearts' loss shows as the result begins";
    EXPECT_LE(r.age, 1) << "started by the last loss, not left over from an earlier one";
    EXPECT_GE(r.kind, lifeBeforeLast) << "it counts the hearts that went";
    for (int f = 0; f < 60; ++f) run->Step();
    EXPECT_GT(r.life, 0) << "the notice stands over the result's first second";
}

// ---- the in-battle help --------------------------------------------------------

struct HelpCase {
    const char* name;
    bool removerUnlocked;
};

const HelpCase kHelp[] = {
    {"HelpWithTheRemoverLockedPointsAtNothing", false},
    {"HelpWithTheRemoverUnlockedPointsAtItsButton", true},
};

class HelpPointerRule : public InBuildFolder, public ::testing::WithParamInterface<HelpCase> {};

TEST_P(HelpPointerRule, ThePointerIsDrawnOnlyWithTheButton) {
    const HelpCase& c = GetParam();
    RecordingDevice device;
    StageRunOptions o;
    o.stage = 7;
    o.seed = 9;
    o.hand = {0, 1};
    RecordedRun run(o, &device);
    ASSERT_TRUE(run.Start()) << run.Error();
    g_CurrentProfile.m_abRobotUnlocked[ROBOT_REMOVER] = c.removerUnlocked ? 1 : 0;
    ASSERT_TRUE(run.RunUntilState(BATTLE_PLAYING, 5000));
    CPageGame& page = run.Battle();
    auto* help = dynamic_cast<CEffect_HowToPlay*>(page.m_pEffectHowToPlay);
    ASSERT_NE(help, nullptr);
    ASSERT_NE(help->m_pArrow, nullptr);
    // Over the still of the paused battle, with the kind the pause box's
    // Help hands over for this player.
    run.App().m_bCaptureStill = true;
    run.App().m_bShowStill = false;
    help->Add(c.removerUnlocked ? 1 : 0);
    device.drawn.clear();
    for (int i = 0; i < 3; ++i) run.Step();
    ASSERT_GT(help->m_aInstances[0].life, 0);
    ASSERT_GT(help->m_aInstances[0].age, 0) << "the help is shown";
    const host::TextureHandle arrow = help->m_pArrow->m_pTexture ? help->m_pArrow->m_pTexture->m_pTexture : 0;
    const bool pointerDrawn = arrow != 0 && device.drawn.count(arrow) != 0;
    const bool buttonDrawn = page.m_pRemoverButton && page.m_pRemoverButton->m_vPosition.x < 9000.0f;
    EXPECT_EQ(buttonDrawn, c.removerUnlocked);
    EXPECT_EQ(pointerDrawn, buttonDrawn) << "the help's arrow and the button it points at";
}

INSTANTIATE_TEST_SUITE_P(Battle, HelpPointerRule, ::testing::ValuesIn(kHelp),
                         [](const ::testing::TestParamInfo<HelpCase>& i) { return std::string(i.param.name); });

// ---- the paratroopers ----------------------------------------------------------

// Stage 177's robots float down from above the screen, through the HUD: the
// overlays, the parachutes among them, are drawn after the HUD, so they pass
// in front of it.
class ParatrooperRule : public InBuildFolder {};

TEST_F(ParatrooperRule, ParachutesFallInFrontOfTheHud) {
    RecordingDevice device;
    StageRunOptions o;
    o.stage = 177;
    o.seed = 4;
    RecordedRun run(o, &device);
    ASSERT_TRUE(run.Start()) << run.Error();
    ASSERT_TRUE(run.RunUntilState(BATTLE_PLAYING, 5000));
    CPageGame& page = run.Battle();
    ASSERT_NE(page.m_pEffectParatrooper, nullptr);
    StartParatrooper(page.m_Battle, 0);
    for (int i = 0; i < 5; ++i) run.Step();
    const CVxBillboard* chute = page.m_pEffectParatrooper->Parachute();
    // The HUD's "Bonus Stage" label, drawn by the HUD alone.
    const CVxBillboard* label = run.App().m_apBbdStage[0];
    ASSERT_TRUE(chute && chute->m_pTexture && label && label->m_pTexture);
    const CVxTexture* hud = label->m_pTexture;
    device.sequence.clear();
    run.Step();
    const auto& seq = device.sequence;
    const auto firstHud = std::find(seq.begin(), seq.end(), hud->m_pTexture);
    const auto lastChute = std::find(seq.rbegin(), seq.rend(), chute->m_pTexture->m_pTexture);
    ASSERT_NE(firstHud, seq.end()) << "the HUD is drawn";
    ASSERT_NE(lastChute, seq.rend()) << "a parachute is drawn";
    EXPECT_GT(seq.rend() - lastChute - 1, firstHud - seq.begin());
}

// ---- where a unit is drawn ----------------------------------------------------

// A unit's point (where shots hit it, where its flash and smoke show) lies
// inside the body of every picture the game draws it with, a little way in
// from its edge, in each guise a stage gives it: on its own terrain, at sea in
// the fourth world, as a flier on the finals and on 171, the Frost Orca
// aloft on 174. A flying variant's rotor stands on its body's top straight
// above its point: the foot of the rotor's shaft on the body, nothing of the
// picture from the rotor's hub up. Walking, such a Machine carries nothing
// behind its body.
struct GuiseCase {
    const char* name;
    int stage;
};

const GuiseCase kGuises[] = {
    {"OnTheirOwnTerrain", 12},      {"AtSeaInTheFourthWorld", 90}, {"AsTheFinalsVariants", 160},
    {"AllAloftOnTheHighRoad", 171}, {"TheOrcaAloft", 174},         {"UnderTheirRotors", 180},
};

// How far in from the body's edge the point must lie, in pixels.
constexpr int kPointMargin = 4;

// The unit's art loaded into a free slot of the application's cache and shown
// in the scene's first slot of its side, put back when done.
class BorrowedArt {
public:
    BorrowedArt(CGameApplication& app, BattleScene& scene, int id)
        : m_App(app), m_Machine(id >= 1000), m_Shown(m_Machine ? scene.m_aEnemyArt[0] : scene.m_aHandArt[0]) {
        ArtCacheSlot* cache = m_Machine ? app.m_aEnemyCache : app.m_aRobotCache;
        const int slots = m_Machine ? ENEMY_CACHE_SLOTS : ROBOT_CACHE_SLOTS;
        for (int k = 0; k < slots && m_iSlot < 0; ++k)
            if (cache[k].m_iId < 0) m_iSlot = k;
        if (m_iSlot < 0) return;
        if (m_Machine) app.LoadEnemyResources(id, m_iSlot);
        else app.LoadRobotResources(id, m_iSlot);
        m_Saved = m_Shown;
        m_Shown = cache[m_iSlot].m_Art;
    }
    ~BorrowedArt() {
        if (m_iSlot < 0) return;
        m_Shown = m_Saved;
        if (m_Machine) m_App.ReleaseEnemyResources(m_iSlot);
        else m_App.ReleaseRobotResources(m_iSlot);
    }
    BorrowedArt(const BorrowedArt&) = delete;
    BorrowedArt& operator=(const BorrowedArt&) = delete;
    bool Loaded() const { return m_iSlot >= 0; }
    const RobotArt& Art() const { return m_Shown; }

private:
    CGameApplication& m_App;
    bool m_Machine;
    RobotArt& m_Shown;
    RobotArt m_Saved{};
    int m_iSlot = -1;
};

// A state the unit is put in before its frame, and what it is called.
struct UnitPose {
    const char* name;
    int state;
    bool concealed;
    int form;  // the Rocket's form word
};

const UnitPose kPoses[] = {
    {"idle", ROBOT_IDLE, false, 0},       {"moving", ROBOT_MOVE, false, 0},      {"attacking", ROBOT_ATTACK, false, 0},
    {"dying", ROBOT_DYING, false, 0},     {"guarding", ROBOT_GUARD, false, 0},   {"hidden", ROBOT_MOVE, true, 0},
    {"hidden idle", ROBOT_IDLE, true, 0}, {"second form", ROBOT_IDLE, false, 1}, {"third form", ROBOT_IDLE, false, 2},
};

// A world point on a drawn picture, in its pixels (column right, row down):
// the draw's place, turn and scale undone.
struct PicturePoint {
    float col, row;
};
PicturePoint OnPicture(const RobotDrawStep& s, const CVxBillboard& b, float x, float y) {
    const float dx = x - s.at.x, dy = y - s.at.y;
    const float c = std::cos(-s.rotation), n = std::sin(-s.rotation);
    const float lx = (dx * c - dy * n) / s.sx, ly = (dx * n + dy * c) / s.sy;
    return {b.m_vSize.x / 2.0f + lx, b.m_vSize.y / 2.0f - ly};
}

// The point and the four points kPointMargin away from it are opaque.
bool InsideBody(const DecodedPicture& pic, PicturePoint p) {
    const int dx[5] = {0, -kPointMargin, kPointMargin, 0, 0}, dy[5] = {0, 0, 0, -kPointMargin, kPointMargin};
    for (int k = 0; k < 5; ++k) {
        const int x = int(std::floor(p.col)) + dx[k], y = int(std::floor(p.row)) + dy[k];
        if (x < 0 || y < 0 || x >= pic.width || y >= pic.height) return false;
        if (pic.rgba[(size_t(y) * size_t(pic.width) + size_t(x)) * 4 + 3] < 128) return false;
    }
    return true;
}

// Alpha of a picture's pixel at a picture point; 0 off the picture.
int AlphaAt(const DecodedPicture& pic, PicturePoint p) {
    const int x = int(std::floor(p.col)), y = int(std::floor(p.row));
    if (x < 0 || y < 0 || x >= pic.width || y >= pic.height) return 0;
    return pic.rgba[(size_t(y) * size_t(pic.width) + size_t(x)) * 4 + 3];
}

// How far behind the body, at the row of a picture point inside it, the
// picture reaches: from the back end of the body's span on that row to the
// picture's first solid column.
float ReachBehind(const DecodedPicture& pic, PicturePoint p) {
    int back = int(std::floor(p.col)), first = back;
    while (AlphaAt(pic, {float(back - 1), p.row}) >= 128) --back;
    for (int y = 0; y < pic.height; ++y)
        for (int x = 0; x < first; ++x)
            if (AlphaAt(pic, {float(x), float(y)}) >= 128) first = x;
    return float(back - first);
}

// How far below its middle the rotor's shaft reaches: the lowest opaque
// pixel of the picture's middle column.
float ShaftFoot(const DecodedPicture& rotor) {
    int foot = rotor.height / 2;
    for (int y = 0; y < rotor.height; ++y)
        if (AlphaAt(rotor, {float(rotor.width) / 2.0f, float(y)}) >= 128) foot = y;
    return float(foot) + 0.5f - float(rotor.height) / 2.0f;
}

// The art's picture a draw shows: act and frame, 0-based; false for none.
bool WhichPicture(const RobotArt& art, const CVxBillboard* b, int& act, int& frame) {
    for (act = 0; act < ROBOT_ACTS; ++act)
        for (frame = 0; frame < ROBOT_ACT_FRAMES; ++frame)
            if (b && art.m_apAct[act][frame] == b) return true;
    return false;
}

class UnitPointRule : public InBuildFolder, public ::testing::WithParamInterface<GuiseCase> {};

TEST_P(UnitPointRule, EveryPictureHoldsItsUnitsPoint) {
    const GuiseCase& c = GetParam();
    RecordingDevice device;
    StageRunOptions o;
    o.stage = c.stage;
    o.seed = 1;
    RecordedRun run(o, &device);
    ASSERT_TRUE(run.Start()) << run.Error();
    ASSERT_TRUE(run.RunUntilState(BATTLE_PLAYING, 20000));
    ResourceArchive pack;
    pack.OpenResourceArchive(std::string(CSQ_BINARY_DIR) + "/DATA");
    CBattleModel& model = run.Model();
    const FieldCell& cell = RuleState(model).m_aFieldCells[5 * FIELD_ROWS + 2];
    const std::set<const CVxBillboard*> rotors(std::begin(run.App().m_apMineCopter),
                                               std::end(run.App().m_apMineCopter));
    const float shaftFoot = ShaftFoot(PackPicture(pack, "Resource/Effect/MineCopter/act1_01.png"));
    ASSERT_GT(shaftFoot, 4.0f) << "the rotor's shaft hangs below its hub";
    int rotorsJudged = 0;

    std::vector<int> ids;
    for (int id = 0; id < ROBOT_TYPES; ++id) ids.push_back(id);
    for (int id = FIRST_MACHINE_TYPE; id <= LAST_MACHINE_TYPE; ++id) ids.push_back(id);
    std::set<std::string> judged;
    for (int id : ids) {
        const std::string name = GetUnitName(id);
        BorrowedArt art(run.App(), model.Scene(), id);
        ASSERT_TRUE(art.Loaded()) << name;
        CCom_GameRobot placed(model);
        GetUnitDefinition(placed.m_Unit, id);
        placed.m_iUnitSlot = 0;
        placed.m_iHp = placed.m_Unit.m_iMaxHp;
        placed.Place(model, cell.m_fX, cell.m_fY, cell.m_fZ);
        // Two guises the game draws nowhere near the point: the Mole at sea
        // swims tilted 120 to 170 px under its lane, and the Rocket as a
        // flier is drawn 35 px right of a place already 35 px left of its
        // picture's middle, so its point is the picture's left edge.
        const int terrain = placed.m_Unit.m_iTerrain;
        if ((id == MachineId::Mole && terrain == TERRAIN_MARINE) || (id == MachineId::Rocket && terrain == TERRAIN_AIR))
            continue;
        for (const UnitPose& pose : kPoses) {
            if (pose.form != 0 && id != MachineId::Rocket) continue;
            if (pose.concealed && placed.m_Unit.m_iConcealment == 0) continue;
            if (pose.state == ROBOT_GUARD && id >= FIRST_MACHINE_TYPE) continue;
            // Two frames: the first settles what moves after it is drawn.
            CCom_GameRobot unit = placed;
            for (int step = 0; step < 2; ++step) {
                unit.m_iState = pose.state;
                unit.m_iAnimTick = unit.m_iActionTimer = unit.m_iCountdown = 0;
                unit.m_bConcealed = pose.concealed ? 1 : 0;
                unit.m_aiAux[2] = pose.form;
                unit.Update(model);
            }
            const RobotDrawStep* body = nullptr;
            int act = 0, frame = 0;
            // The unit itself is its picture's last draw (a Barrier Bot's
            // trail comes before it).
            for (int i = unit.DrawStepCount() - 1; i >= 0 && !body; --i) {
                const RobotDrawStep& s = unit.DrawStepAt(i);
                if (s.kind == RobotDrawStep::TINTED && WhichPicture(art.Art(), s.billboard, act, frame)) body = &s;
            }
            if (!body) continue;  // the game draws nothing of it in this state
            char path[64];
            std::snprintf(path, sizeof path, "Resource/Robot/%04d/Act%d_%02d.png", id, act + 1, frame + 1);
            const std::string what = name + " " + pose.name + " (" + path + ")";
            const DecodedPicture pic = PackPicture(pack, path);
            ASSERT_FALSE(pic.rgba.empty()) << what;
            ASSERT_EQ(body->billboard->m_vSize.x, float(pic.width)) << what;
            const PicturePoint p = OnPicture(*body, *body->billboard, unit.m_vLastPosition.x, unit.m_vLastPosition.y);
            char where[64];
            std::snprintf(where, sizeof where, " at column %.0f, row %.0f of %dx%d", p.col, p.row, pic.width,
                          pic.height);
            if (judged.insert(what + where).second) {
                EXPECT_TRUE(InsideBody(pic, p)) << what << ": its point lies outside its body" << where;
                // A walking Machine's legs may stride a little behind it; a
                // deck would reach far.
                if (id >= FIRST_MACHINE_TYPE && unit.m_Unit.m_iTerrain == TERRAIN_GROUND) {
                    EXPECT_LE(ReachBehind(pic, p), 24.0f) << what << ": it carries something behind its body" << where;
                }
            }

            // The rotor: a dying unit has none (its hit points are gone).
            for (int i = 0; i < unit.DrawStepCount() && pose.state != ROBOT_DYING; ++i) {
                const RobotDrawStep& s = unit.DrawStepAt(i);
                if (s.kind != RobotDrawStep::PLACED || rotors.count(s.billboard) == 0) continue;
                ++rotorsJudged;
                const PicturePoint hub = OnPicture(*body, *body->billboard, s.at.x, s.at.y);
                const PicturePoint foot = OnPicture(*body, *body->billboard, s.at.x, s.at.y - shaftFoot);
                EXPECT_NEAR(foot.col, p.col, float(kPointMargin)) << what << ": its rotor stands off its body's top";
                EXPECT_GE(AlphaAt(pic, foot), 128)
                    << what << ": its rotor's shaft stands on nothing, its foot at column " << foot.col << ", row "
                    << foot.row;
                int over = 0;
                for (float row = hub.row; row >= 0; --row) over += AlphaAt(pic, {hub.col, row}) >= 128;
                EXPECT_EQ(over, 0) << what << ": its rotor turns inside or under its body, at column " << hub.col
                                   << ", row " << hub.row;
            }

            // A boss's arms start at its body: the shoulder joint, on the
            // arm's inner end, lies on the body.
            for (int i = 0; i < unit.DrawStepCount(); ++i) {
                const RobotDrawStep& s = unit.DrawStepAt(i);
                if (s.kind != RobotDrawStep::ARM) continue;
                const float reach = -0.375f * s.billboard->m_vSize.x;
                const float sx = s.at.x + reach * std::cos(s.rotation), sy = s.at.y + reach * std::sin(s.rotation);
                const PicturePoint shoulder = OnPicture(*body, *body->billboard, sx, sy);
                EXPECT_TRUE(InsideBody(pic, shoulder)) << what << ": an arm hangs off its body, its shoulder at column "
                                                       << shoulder.col << ", row " << shoulder.row;
            }
        }
    }
    EXPECT_GE(judged.size(), 200u);
    // Every Machine that flies as a variant there turns its rotor.
    if (c.stage == 180) {
        EXPECT_GE(rotorsJudged, 13 * 3);
    }
}

INSTANTIATE_TEST_SUITE_P(Battle, UnitPointRule, ::testing::ValuesIn(kGuises),
                         [](const ::testing::TestParamInfo<GuiseCase>& i) { return std::string(i.param.name); });

}  // namespace

// The mini-games whose background scrolls, by how far a frame.
TEST(StageScroll, TheMiniGamesBackgroundsScrollTheirOwnStepAFrame) {
    const struct {
        int stage;
        float scrollY;
        float step;
    } rows[] = {
        {154, 0.0f, 2.2f},   {156, 0.0f, 15.0f}, {166, 0.0f, 15.0f}, {157, 0.0f, 10.0f}, {160, 0.0f, 20.0f},
        {170, 0.0f, 20.0f},  {180, 0.0f, 20.0f}, {163, 0.0f, -1.0f}, {167, 0.0f, 0.0f},  {167, -9550.0f, 10.0f},
        {171, 0.0f, 100.0f}, {174, 0.0f, 50.0f}, {179, 0.0f, 0.0f},  {153, 0.0f, 0.0f},  {12, 0.0f, 0.0f},
    };
    for (const auto& r : rows) EXPECT_FLOAT_EQ(StageScrollStep(r.stage, r.scrollY), r.step) << "stage " << r.stage;
}

// The background scrolls and its clock runs only while the game shows no
// still: a paused battle holds its picture.
class StageStill : public StageRunTest {};

TEST_F(StageStill, TheBackgroundHoldsWhileAStillShowsAndScrollsOtherwise) {
    Begin(157, 1, 5);
    ASSERT_TRUE(run->RunUntilState(BATTLE_PLAYING, 5000));
    CCom_GameStage* stage = run->Model().State().m_pStage;
    ASSERT_NE(stage, nullptr);
    const struct {
        bool still;
        float scrolled;
        int ticks;
    } rows[] = {{false, 10.0f, 1}, {true, 0.0f, 0}};
    for (const auto& r : rows) {
        run->App().m_bShowStill = r.still;
        const float x = stage->m_fScrollX;
        const int frame = stage->m_iFrame;
        stage->Update(run->Model(), false);
        EXPECT_FLOAT_EQ(stage->m_fScrollX - x, r.scrolled) << r.still;
        EXPECT_EQ(stage->m_iFrame - frame, r.ticks) << r.still;
    }
    run->App().m_bShowStill = false;
}

// Every picture the battle and the menu draw without blending must be opaque:
// a see-through picture drawn unblended shows its clear parts as black
// squares. Headless stage runs draw into a recording device, which keeps each
// uploaded picture's see-through verdict and notes every unblended draw of one.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/RecordingDevice.h"
#include "tests/StageRunSupport.h"
#include "battle/model/BattleRules.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameRobot.h"
#include "engine/PageIndices.h"
#include "engine/VxBillboard.h"
#include "engine/VxPage.h"
#include "engine/VxResourceManager.h"
#include "engine/VxTexture.h"
#include "game/GameApplication.h"

namespace {

// The file names of the textures behind the handles, read from every
// resource manager the application and its pages own.
std::string NameHandles(CGameApplication& app, const std::set<host::TextureHandle>& handles) {
    std::map<host::TextureHandle, std::string> names;
    auto take = [&](CVxTexture* t) {
        if (t && t->m_pTexture && t->m_pszName) names[t->m_pTexture] = t->m_pszName;
    };
    auto walk = [&](CVxResourceManager* rm) {
        if (!rm) return;
        for (CVxTexture* t : rm->m_lstTextures) take(t);
        for (CVxObject* o : rm->m_lstObjects)
            if (auto* b = dynamic_cast<CVxBillboard*>(o)) take(b->m_pTexture);
        for (CVxObject* o : rm->m_lstExtra)
            if (auto* b = dynamic_cast<CVxBillboard*>(o)) take(b->m_pTexture);
    };
    walk(app.m_pResourceManager);
    for (CVxPage* page : app.m_apPages)
        if (page) walk(page->m_pResourceManager);
    std::string out;
    for (host::TextureHandle h : handles) {
        auto it = names.find(h);
        out += (it == names.end() ? "(texture " + std::to_string(h) + ")" : it->second) + " ";
    }
    return out;
}

struct BlendCase {
    const char* what;
    int stage;
    int frames;  // battle frames played with a defence placed
};

// The areas, the Time Bomb mini-game, the paratroopers and the three boss fights.
const BlendCase kBlendCases[] = {
    {"Area1Lesson", 2, 900},     {"Area2", 45, 1500},         {"Area3Underwater", 75, 1500}, {"Area4Water", 105, 1500},
    {"Area5", 135, 1500},        {"Boss160", 160, 2400},      {"Boss170", 170, 2400},        {"TimeBombs172", 172, 900},
    {"Parachutes177", 177, 900}, {"FinalBoss180", 180, 2400},
};

class BlendingDraws : public InBuildFolder, public ::testing::WithParamInterface<BlendCase> {};

TEST_P(BlendingDraws, SeeThroughPicturesAreDrawnBlended) {
    const BlendCase& c = GetParam();
    RecordingDevice device;
    StageRunOptions o;
    o.stage = c.stage;
    o.seed = 7;
    o.defend = true;
    o.frameLimit = c.frames;
    RecordedRun run(o, &device);
    ASSERT_TRUE(run.Start()) << run.Error();
    ASSERT_TRUE(run.RunUntilState(BATTLE_PLAYING, 5000));
    // A Destroyer, once in, strikes with both hands (the target marks, the
    // hands, the smoke) and later dies (its dying arm).
    const bool finalStage = c.stage == 160 || c.stage == 170 || c.stage == 180;
    // The boss comes a minute in: skip to just before.
    if (finalStage) RuleState(run.Model()).m_iTimeLeft = RuleState(run.Model()).m_iStageFrames - 3600 + 30;
    int struck = -1;
    for (int f = 0; f < c.frames && run.State() == BATTLE_PLAYING; ++f) {
        run.Step();
        for (CCom_GameRobot& r : RuleState(run.Model()).m_lstRobots) {
            if (r.Type() != 1028 && r.Type() != 1031) continue;
            if (struck < 0 && r.m_iBossTimer == 1 && r.m_iState != ROBOT_DYING) {
                r.m_aiBoss[0] = r.m_aiBoss[2] = 0;
                r.m_aiBoss[1] = r.m_aiBoss[3] = 1;
                struck = f;
            } else if (struck >= 0 && f == struck + 400 && r.m_iState != ROBOT_DYING) {
                r.m_iHp = 0;
                r.BeginDying(run.Model());
            }
        }
    }
    if (finalStage) {
        EXPECT_GE(struck, 0) << "the Destroyer came in";
    }
    EXPECT_GT(device.draws, 1000) << "the run drew almost nothing";
    EXPECT_TRUE(device.unblended.empty())
        << "drawn unblended with see-through pixels: " << NameHandles(run.App(), device.unblended);

    // The menu, drawn by the same application afterwards.
    device.unblended.clear();
    run.App().SwitchPage(MENU_PAGE_INDEX, 0);
    for (int i = 0; i < 200; ++i) run.Step();
    EXPECT_TRUE(device.unblended.empty())
        << "menu drew unblended with see-through pixels: " << NameHandles(run.App(), device.unblended);
}

INSTANTIATE_TEST_SUITE_P(Stages, BlendingDraws, ::testing::ValuesIn(kBlendCases),
                         [](const ::testing::TestParamInfo<BlendCase>& i) { return std::string(i.param.what); });

// The recorder itself: a see-through picture drawn unblended is caught, and
// the same picture drawn blended, or an opaque one drawn unblended, is not.
TEST(BlendingRecorder, CatchesOnlyUnblendedSeeThroughDraws) {
    RecordingDevice d;
    const uint8_t clear[8] = {0, 0, 0, 0, 255, 255, 255, 255};
    const uint8_t solid[8] = {9, 9, 9, 255, 255, 255, 255, 255};
    const host::TextureHandle a = d.CreateTexture(2, 1, clear), b = d.CreateTexture(2, 1, solid);
    const host::Vertex v[4]{};
    d.SetTexture(0, b);
    d.SetRenderState(host::RS_ALPHABLENDENABLE, 0);
    d.DrawPrimitiveUP(host::PT_TRIANGLEFAN, 2, v);
    EXPECT_TRUE(d.unblended.empty());
    d.SetTexture(0, a);
    d.SetRenderState(host::RS_ALPHABLENDENABLE, 1);
    d.DrawPrimitiveUP(host::PT_TRIANGLEFAN, 2, v);
    EXPECT_TRUE(d.unblended.empty());
    d.SetRenderState(host::RS_ALPHABLENDENABLE, 0);
    d.DrawPrimitiveUP(host::PT_TRIANGLEFAN, 2, v);
    EXPECT_EQ(d.unblended, std::set<host::TextureHandle>{a});
}

}  // namespace

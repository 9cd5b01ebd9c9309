// The rules that decide a round of the relocation, slot-machine, charge-shot
// and final-boss mini-games, each driven to its edge.
#include "battle/model/BattleRules.h"
#include "battle/model/RelocationRules.h"
#include "content/UnitIds.h"
#include "tests/MiniGamePlayers.h"

namespace {

class MiniGameRules : public MiniGamePlay {
protected:
    CPageGame& StartPlaying(int stage, int difficulty = 1) {
        Begin(stage, difficulty, 77);
        EXPECT_TRUE(run->RunUntilState(BATTLE_PLAYING, 5000));
        return Page();
    }
    int Capsules(int slot) {
        int n = 0;
        for (const CCom_GameItem& item : Page().m_Battle.State().m_lstItems)
            n += item.m_iItemKind == ITEM_CAPSULE && item.m_iCard == slot;
        return n;
    }
    bool AllStopped() {
        for (const SlotReel& reel : Page().m_Battle.State().m_aSlotReels)
            if (!reel.m_bStopped) return false;
        return true;
    }
};

TEST_F(MiniGameRules, TheFirstSpinStopsAtOnceAndPaysThreeMiniMinesThenTheReelsTurnAgain) {
    for (int stage : {159, 176}) {
        CPageGame& p = StartPlaying(stage);
        const int mine = p.m_Battle.FindHandCard(6);
        ASSERT_GE(mine, 0);
        int frames = 0;
        while (!AllStopped() && frames++ < 60) run->Step();
        ASSERT_TRUE(AllStopped()) << stage;
        for (int i = 0; i < SLOT_REELS; ++i) {
            EXPECT_EQ(p.m_Battle.State().m_aSlotReels[i].m_iPosition, 1) << stage;
            EXPECT_EQ(GetReelSymbol(p.m_Battle, i, 0), 6) << stage;
        }
        EXPECT_EQ(Capsules(mine), 3) << stage;
        int wait = 0;
        while (!p.m_Battle.State().m_aSlotReels[0].m_bRunning && wait++ < 400) run->Step();
        EXPECT_NEAR(wait, 180, 1) << stage;
        for (const SlotReel& reel : p.m_Battle.State().m_aSlotReels)
            EXPECT_TRUE(reel.m_bRunning && !reel.m_bStopped) << stage;
        run.reset();
    }
}

TEST_F(MiniGameRules, ClicksOnTheStopButtonStopTheReelsRightToLeft) {
    CPageGame& p = StartPlaying(159);
    while (!p.m_Battle.State().m_aSlotReels[0].m_bRunning && run->RunnerFrame() < 2000) run->Step();
    ASSERT_TRUE(p.m_Battle.State().m_aSlotReels[0].m_bRunning);
    const VxVec3 lever = p.m_pSlotStopButton->m_vPosition;
    Click(0.0f, 150.0f);  // off the button: nothing stops
    for (const SlotReel& reel : p.m_Battle.State().m_aSlotReels) EXPECT_TRUE(reel.m_bRunning);
    Click(lever.x, lever.y);
    EXPECT_FALSE(p.m_Battle.State().m_aSlotReels[2].m_bRunning);
    EXPECT_TRUE(p.m_Battle.State().m_aSlotReels[1].m_bRunning);
    Click(lever.x, lever.y);  // the lever still swings back
    EXPECT_TRUE(p.m_Battle.State().m_aSlotReels[1].m_bRunning);
    Frames(10);
    Click(lever.x, lever.y);
    EXPECT_FALSE(p.m_Battle.State().m_aSlotReels[1].m_bRunning);
    EXPECT_TRUE(p.m_Battle.State().m_aSlotReels[0].m_bRunning);
}

TEST_F(MiniGameRules, TwoEqualSymbolsPayOneCapsuleThreePayThreeAndNoneNothing) {
    // Stage 159's reels read 6 6 6 6 14 14 14 20 20.
    struct Payout {
        int positions[3];
        int card;
        int capsules;
    };
    const Payout kPayouts[] = {{{0, 1, 4}, 6, 1}, {{4, 5, 6}, 14, 3}, {{0, 4, 7}, 6, 0}, {{7, 4, 8}, 20, 1}};
    CPageGame& p = StartPlaying(159);
    for (const Payout& c : kPayouts) {
        RuleState(p.m_Battle).m_lstItems.clear();
        for (int i = 0; i < SLOT_REELS; ++i) RuleState(p.m_Battle).m_aSlotReels[i].m_iPosition = c.positions[i];
        PayOutSlotMatch(p.m_Battle);
        EXPECT_EQ(Capsules(p.m_Battle.FindHandCard(c.card)), c.capsules)
            << c.positions[0] << c.positions[1] << c.positions[2];
        EXPECT_EQ(int(p.m_Battle.State().m_lstItems.size()), c.capsules);
    }
}

TEST_F(MiniGameRules, FourReelCodesOnThreeSlotsAllGetTheirHandRecords) {
    for (int stage : {176, 178}) {
        CPageGame& p = StartPlaying(stage);
        EXPECT_EQ(p.m_Battle.State().m_nHandSlots, 3);
        for (int code : p.m_Battle.State().m_aSlotReels[0].m_vecCodes) {
            const int slot = p.m_Battle.FindHandCard(code);
            ASSERT_GE(slot, 0) << stage << " card " << code;
            EXPECT_EQ(p.m_Battle.State().m_aHandDefs[slot].m_iType, code);
            EXPECT_GT(p.m_Battle.State().m_aHandDefs[slot].m_iMaxHp, 0) << stage << " card " << code;
        }
        run.reset();
    }
}

TEST_F(MiniGameRules, AChargeOf44FramesFiresNothingAndOf45FiresAShortShot) {
    for (int held : {44, 45}) {
        CPageGame& p = StartPlaying(164);
        Frames(5);
        const CCom_GameRobot* cannon = p.m_Battle.State().m_apMiniGameRobots[0];
        ASSERT_NE(cannon, nullptr);
        const int serial = cannon->m_iSerial;
        auto shots = [&] {
            std::vector<const CCom_GameBullet*> out;
            for (const CCom_GameBullet& b : p.m_Battle.State().m_lstBullets)
                if (b.m_iOwnerSerial == serial) out.push_back(&b);
            return out;
        };
        const size_t before = shots().size();
        Press(0.0f, 0.0f);
        while (p.m_Battle.State().m_iChargeFrames < held) run->Step();
        EXPECT_EQ(p.m_Battle.State().m_iChargeFrames, held);
        Release(0.0f, 0.0f);
        EXPECT_EQ(p.m_Battle.State().m_iChargePhase, 2);
        const auto after = shots();
        if (held == 44) {
            EXPECT_EQ(after.size(), before);
        } else {
            ASSERT_EQ(after.size(), before + 1);
            EXPECT_NEAR(after.back()->m_vAimPoint.x, cannon->m_vLastPosition.x - 87.5f, 0.01f);
        }
        run.reset();
    }
}

TEST_F(MiniGameRules, Stage158DropsAnAttackerEvery1200FramesAndABuoyerEvery900WhileFewerThanFiveFloat) {
    struct Case {
        const char* rule;
        int elapsed;
        int buoyers;  // Buoyer Bots on the field
        int attackers, buoyerCapsules;
    };
    const Case cases[] = {
        {"at 1200 an attacker's capsule", 1200, 0, 1, 0},
        {"at 900 a Buoyer Bot's with four afloat", 900, 4, 0, 1},
        {"none with five afloat", 900, 5, 0, 0},
        {"at 3600 both", 3600, 0, 1, 1},
        {"nothing between", 1199, 0, 0, 0},
        {"nothing before the clock runs", 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        CPageGame& p = StartPlaying(158);
        BattleData& s = RuleState(p.m_Battle);
        const int buoyer = p.m_Battle.FindHandCard(RobotId::BuoyerBot);
        const int first = p.m_Battle.FindHandCard(20), second = p.m_Battle.FindHandCard(14);
        ASSERT_TRUE(buoyer >= 0 && first >= 0 && second >= 0);
        s.m_lstRobots.remove_if([](const CCom_GameRobot& r) { return r.Type() == RobotId::BuoyerBot; });
        for (int i = 0; i < c.buoyers; ++i) {
            CCom_GameRobot r;
            r.m_Unit.m_iType = RobotId::BuoyerBot;
            r.m_iHp = 10;
            s.m_lstRobots.push_back(r);
        }
        s.m_lstItems.clear();
        s.m_iTimeLeft = s.m_iStageFrames - c.elapsed;
        StepSequenceGame(p.m_Battle);
        EXPECT_EQ(Capsules(first) + Capsules(second), c.attackers) << c.rule;
        EXPECT_EQ(Capsules(buoyer), c.buoyerCapsules) << c.rule;
        run.reset();
    }
}

TEST_F(MiniGameRules, Stage158LinesItsThreeRobotsUpOnColumnsFiveSixAndSevenOfTheBottomRow) {
    CPageGame& p = StartPlaying(158);
    BattleData& s = RuleState(p.m_Battle);
    s.m_iSequenceStep = s.m_iSequenceShownStep = 1;
    const float cells[3] = {5.0f, 6.0f, 7.0f};
    for (float column : cells) {
        const SequenceStep step = StepSequenceGame(p.m_Battle);
        ASSERT_NE(step.flyer, nullptr) << column;
        EXPECT_EQ(step.flyer->m_vCell.x, column);
        EXPECT_EQ(step.flyer->m_vCell.y, 4.0f) << column;
    }
    StepSequenceGame(p.m_Battle);
    EXPECT_EQ(s.m_iSequenceStep, 2) << "the line stands: the march begins";
}

TEST_F(MiniGameRules, ACapsuleFromTheLeftEdgeComesInAt5PixelsAFrameFasterForSomeCards) {
    struct Case {
        int stage;
        int card;  // the hand record's card, or -1: the hand slot -1
        int slot;  // on 161 the slot itself sets the speed
        float step;
    };
    const Case cases[] = {
        {161, -1, 0, 6.25f}, {161, -1, 1, 6.75f}, {161, -1, 2, 6.75f}, {161, -1, 3, 7.5f}, {161, -1, -1, 5.0f},
        {158, 14, 0, 7.5f},  {158, 20, 0, 7.5f},  {158, 23, 0, 5.0f},  {158, 19, 0, 5.0f},
    };
    for (const Case& c : cases) {
        CPageGame& p = StartPlaying(c.stage);
        const int slot = c.card >= 0 ? p.m_Battle.FindHandCard(c.card) : c.slot;
        if (c.card >= 0) {
            ASSERT_GE(slot, 0) << c.card;
        }
        RuleState(p.m_Battle).m_lstItems.clear();
        p.m_Battle.DropItem(ITEM_CAPSULE, 0.0f, 0.0f, 0.0f, slot, true);
        CCom_GameItem& capsule = RuleState(p.m_Battle).m_lstItems.back();
        ASSERT_TRUE(capsule.m_bCollected);
        const float x = capsule.m_vPosition.x;
        EXPECT_FLOAT_EQ(x, -0.6f * float(g_iScreenWidth)) << "0.6 of a screen left of the middle";
        capsule.Update(p.m_Battle);
        EXPECT_FLOAT_EQ(capsule.m_vPosition.x - x, c.step) << c.stage << " slot " << slot;
        run.reset();
    }
}

TEST_F(MiniGameRules, Stage158sAttackerCapsuleCarriesCard20OrCard14ByARandomBit) {
    CPageGame& p = StartPlaying(158);
    BattleData& s = RuleState(p.m_Battle);
    const int first = p.m_Battle.FindHandCard(20), second = p.m_Battle.FindHandCard(14);
    int firsts = 0, seconds = 0;
    for (int i = 0; i < 400; ++i) {
        s.m_lstItems.clear();
        s.m_iTimeLeft = s.m_iStageFrames - 1200;
        StepSequenceGame(p.m_Battle);
        firsts += Capsules(first);
        seconds += Capsules(second);
    }
    EXPECT_EQ(firsts + seconds, 400);
    EXPECT_NEAR(firsts, 200, 30) << "an even draw";
}

TEST_F(MiniGameRules, TheEnergyGoalIsLostWithoutFusorsBelowTenAndWonAtAThousand) {
    struct EnergyCase {
        int energy;
        bool fusors;
        int state;  // the state one frame later
    };
    const EnergyCase kCases[] = {
        {9, false, BATTLE_RESULT}, {10, false, BATTLE_PLAYING}, {9, true, BATTLE_PLAYING}, {1000, true, BATTLE_REWARD}};
    for (const EnergyCase& c : kCases) {
        CPageGame& p = StartPlaying(172);
        while (p.m_Battle.State().m_nLiveMachines == 0 && run->RunnerFrame() < 6000) run->Step();
        ASSERT_GT(p.m_Battle.State().m_nLiveMachines, 0);
        if (!c.fusors)
            for (auto it = RuleState(p.m_Battle).m_lstRobots.begin(); it != RuleState(p.m_Battle).m_lstRobots.end();) {
                if (it->Type() != 0 && it->Type() != 35) {
                    ++it;
                    continue;
                }
                p.m_Battle.ForgetMiniGameLinks(it->m_iSerial);
                it = EraseRobot(RuleState(p.m_Battle).m_lstRobots, it);
            }
        RuleState(p.m_Battle).m_iEnergy = c.energy;
        Frames(2);
        EXPECT_EQ(p.m_Battle.State().m_iBattleState, c.state) << c.energy << " " << c.fusors;
        EXPECT_EQ(p.m_Battle.State().m_iLife > 0, c.state != BATTLE_RESULT);
        run.reset();
    }
}

TEST_F(MiniGameRules, TheFinalBossWalksInAndItsDeathEndsTheStageWhileTheClockEndsItLost) {
    for (const bool killed : {true, false}) {
        CPageGame& p = StartPlaying(160);
        RuleState(p.m_Battle).m_iTimeLeft = RuleState(p.m_Battle).m_iStageFrames - 3600 + 1;
        Frames(2);
        CCom_GameRobot* boss = p.m_Battle.State().m_pMiniGameBoss;
        ASSERT_NE(boss, nullptr);
        EXPECT_EQ(boss->Type(), 1028);
        EXPECT_EQ(g_CurrentProfile.m_aEnemySeen[28].met, 1);
        while (boss->m_iBossTimer == 0 && run->RunnerFrame() < 8000) run->Step();
        EXPECT_EQ(boss->m_iBossTimer, 1);
        Frames(1);  // from then on it holds its ground
        EXPECT_FLOAT_EQ(boss->m_vPosition.x, -250.0f);
        if (killed) {
            boss->TakeDamage(p.m_Battle, boss->m_iHp + 1000);
        } else {
            RuleState(p.m_Battle).m_iTimeLeft = 1;
        }
        const int from = run->BattleFrame();
        while (p.m_Battle.State().m_iBattleState == BATTLE_PLAYING && run->BattleFrame() - from < 3000) run->Step();
        if (killed) {
            EXPECT_EQ(p.m_Battle.State().m_iBattleState, BATTLE_REWARD);
            // The boss falls for its whole death sequence before the stage ends.
            EXPECT_GT(run->BattleFrame() - from, 600);
            EXPECT_EQ(p.m_Battle.State().m_pMiniGameBoss, nullptr);
        } else {
            EXPECT_EQ(p.m_Battle.State().m_iBattleState, BATTLE_RESULT);
            EXPECT_EQ(p.m_Battle.State().m_iLife, 0);
        }
        run.reset();
    }
}

}  // namespace

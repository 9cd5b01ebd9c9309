#include <cstdio>
#include "tests/StageRunSupport.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameRobot.h"
#include "engine/PageIndices.h"
TEST_F(StageRunTest, ZZScratch) {
    StageRunOptions o; o.stage = atoi(getenv("ZS")); o.difficulty = atoi(getenv("ZD")); o.seed = 11; o.defend = true;
    run = std::make_unique<StageRun>(o);
    ASSERT_TRUE(run->Start());
    while (run->RunnerFrame() < atoi(getenv("ZF"))) run->Step();
    CPageGame& p = run->Battle();
    std::fprintf(stderr, "state=%d time=%d life=%d live=%d machines=%d\n", p.m_iBattleState, p.m_iTimeLeft, p.m_iLife, p.m_nLiveRobots, p.m_nLiveMachines);
    for (const CCom_GameRobot& r : p.m_lstRobots) std::fprintf(stderr, " type=%d hp=%d st=%d pos=%g,%g speed=%g row=%d\n", r.Type(), r.m_iHp, r.m_iState, r.m_vPosition.x, r.m_vPosition.y, r.m_Unit.m_fSpeed, r.m_iRow);
}

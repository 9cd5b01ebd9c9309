// The items' flights to the HUD and the panels they fly to, held on a bare
// model (no page, no effects): a flight pays out once it has flown its
// length, energy stops at its cap, the parts panel slides out while its
// timer runs and back after, and the energy icon comes down with the HUD.
#include <gtest/gtest.h>

#include "battle/model/BattleModel.h"
#include "battle/model/BattleRules.h"
#include "battle/model/ItemFlights.h"
#include "battle/model/ItemPayout.h"
#include "battle/units/GameItem.h"
#include "content/SaveProfile.h"
#include "engine/VxApplication.h"
#include "game/BattleLink.h"
#include "tests/BareModel.h"

namespace {

const VxVec3 kEnergyAt{295.0f, 289.0f, 0.0f};
const VxVec3 kPartsAt{-125.0f, 302.0f, 0.0f};

struct BareFlights : BareModel {
    BareFlights() {
        RuleState(model).m_vEnergyPanelAt = kEnergyAt;
        RuleState(model).m_vPartsPanelAt = kPartsAt;
    }
    bool Flying(int slot = 0) const { return model.State().m_aItemFlights[slot].flying; }
};

struct FlightCase {
    const char* name;
    int kind;
    float dx, dy;  // from the flight's target
    int frames;    // of flight until it pays out, the paying one included
    int energy;    // paid
    int parts;     // paid
};

TEST(ItemFlights, AFlightPaysOutOnceItHasFlownItsLength) {
    const FlightCase cases[] = {
        {"300 px take ten frames, paid on the eleventh", ITEM_ENERGY_0, -300.0f, 0.0f, 11, 5, 0},
        {"within 30 px an item is paid on its first frame", ITEM_ENERGY_0 + 2, -29.0f, 0.0f, 1, 20, 0},
        {"30 px are one frame of flight", ITEM_ENERGY_0 + 1, 0.0f, -30.0f, 2, 10, 0},
        {"the way counts on the slant: 150 px", ITEM_ENERGY_0 + 3, -90.0f, 120.0f, 6, 40, 0},
        {"parts fly to 60 px left of the panel", ITEM_PARTS_0, -90.0f, 0.0f, 4, 0, 10},
        {"the biggest parts, from the far side", ITEM_PARTS_0 + 3, 600.0f, 0.0f, 21, 0, 1000},
    };
    for (const FlightCase& c : cases) {
        BareFlights b;
        RuleState(b.model).m_iEnergy = 100;
        const VxVec3 target = ItemFlightTarget(b.model, c.kind);
        ASSERT_TRUE(LaunchItemFlight(b.model, c.kind, VxVec3{target.x + c.dx, target.y + c.dy, 0.0f})) << c.name;
        for (int f = 1; f < c.frames; ++f) {
            RunItemFlights(b.model);
            EXPECT_TRUE(b.Flying()) << c.name << ", frame " << f;
            EXPECT_EQ(b.model.State().m_iEnergy, 100) << c.name << ", frame " << f;
            EXPECT_EQ(b.model.State().m_iPartsCollected, 0) << c.name << ", frame " << f;
        }
        RunItemFlights(b.model);
        EXPECT_FALSE(b.Flying()) << c.name;
        EXPECT_TRUE(b.model.State().m_aItemFlights[0].arrived) << c.name;
        EXPECT_EQ(b.model.State().m_iEnergy, 100 + c.energy) << c.name;
        EXPECT_EQ(b.model.State().m_iPartsCollected, c.parts) << c.name;
    }
}

TEST(ItemFlights, AFlightIsShownOnItsWayToItsTarget) {
    BareFlights b;
    ASSERT_TRUE(LaunchItemFlight(b.model, ITEM_ENERGY_0, VxVec3{kEnergyAt.x - 300.0f, kEnergyAt.y, 7.0f}));
    const struct {
        float x;  // where it is shown after that many frames
        int age;
    } rows[] = {{-5.0f, 0}, {25.0f, 1}, {55.0f, 2}};
    for (const auto& r : rows) {
        RunItemFlights(b.model);
        const ItemFlight& f = b.model.State().m_aItemFlights[0];
        EXPECT_TRUE(f.shown);
        EXPECT_EQ(f.shownAge, r.age);
        EXPECT_FLOAT_EQ(f.at.x, r.x) << "age " << r.age;
        EXPECT_FLOAT_EQ(f.at.y, kEnergyAt.y);
        EXPECT_FLOAT_EQ(f.at.z, 0.0f) << "drawn flat, whatever the pick-up's depth";
    }
}

TEST(ItemFlights, EnergyPaidNeverPassesTheCap) {
    const struct {
        const char* name;
        int energy;
        int kind;
        int after;
    } cases[] = {
        {"below the cap it is paid whole", 100, ITEM_ENERGY_0 + 1, 110},
        {"it stops at the cap", 9985, ITEM_ENERGY_0 + 3, ENERGY_CAP},
        {"at the cap it stays", ENERGY_CAP, ITEM_ENERGY_0, ENERGY_CAP},
    };
    for (const auto& c : cases) {
        BareFlights b;
        RuleState(b.model).m_iEnergy = c.energy;
        ASSERT_TRUE(LaunchItemFlight(b.model, c.kind, kEnergyAt)) << c.name;
        RunItemFlights(b.model);
        EXPECT_EQ(b.model.State().m_iEnergy, c.after) << c.name;
    }
}

TEST(ItemFlights, AnItemPickedUpWithEverySlotInTheAirIsLost) {
    BareFlights b;
    const VxVec3 far{kEnergyAt.x - 900.0f, kEnergyAt.y, 0.0f};
    for (int i = 0; i < ITEM_FLIGHTS; ++i) ASSERT_TRUE(LaunchItemFlight(b.model, ITEM_ENERGY_0, far)) << i;
    EXPECT_FALSE(LaunchItemFlight(b.model, ITEM_ENERGY_0, far));
    RuleState(b.model).m_aItemFlights[4].from = kEnergyAt;  // this one arrives at once
    RunItemFlights(b.model);
    EXPECT_FALSE(b.Flying(4));
    ASSERT_TRUE(LaunchItemFlight(b.model, ITEM_ENERGY_0 + 1, kEnergyAt)) << "the freed slot takes the next";
    EXPECT_EQ(b.model.State().m_aItemFlights[4].kind, ITEM_ENERGY_0 + 1);
}

struct SlideCase {
    const char* name;
    int state;
    float x, y;
    int timer;
    int frames;
    float afterX, afterY;
    int afterTimer;
};

TEST(ItemFlights, ThePartsPanelSlidesOutWhileItsTimerRunsAndBackAfter) {
    const SlideCase cases[] = {
        {"out while the timer runs", BATTLE_PLAYING, -125.0f, 370.0f, 300, 1, -125.0f, 355.0f, 299},
        {"back once it has run out", BATTLE_PLAYING, -125.0f, 302.0f, 0, 1, -125.0f, 317.0f, 0},
        {"no further out than shown", BATTLE_PLAYING, -125.0f, 310.0f, 5, 1, -125.0f, 302.0f, 4},
        {"no further back than hidden", BATTLE_PLAYING, -125.0f, 365.0f, 0, 1, -125.0f, 370.0f, 0},
        {"out three frames, back three", BATTLE_PLAYING, -125.0f, 370.0f, 3, 6, -125.0f, 370.0f, 0},
        {"out three frames, back two", BATTLE_PLAYING, -125.0f, 370.0f, 3, 5, -125.0f, 355.0f, 0},
        {"a place off the pixels is cut to them", BATTLE_PLAYING, -125.0f, 350.7f, 1, 1, -125.0f, 335.0f, 0},
        {"in play it keeps to its place", BATTLE_PLAYING, -320.0f, 350.0f, 0, 1, -125.0f, 365.0f, 0},
        {"from the loading on too", BATTLE_LOADING, -320.0f, 350.0f, 0, 1, -125.0f, 365.0f, 0},
        {"before the loading it stays where it was put", BATTLE_CARD_SELECT, -320.0f, 350.0f, 0, 1, -320.0f, 365.0f, 0},
        {"after the play too", BATTLE_SUMMARY, -320.0f, 350.0f, 300, 1, -320.0f, 335.0f, 299},
    };
    for (const SlideCase& c : cases) {
        BareFlights b;
        RuleState(b.model).m_iBattleState = c.state;
        RuleState(b.model).m_vPartsPanelAt = VxVec3{c.x, c.y, 0.0f};
        RuleState(b.model).m_iPanelTimer = c.timer;
        for (int f = 0; f < c.frames; ++f) SlidePartsPanel(b.model);
        EXPECT_FLOAT_EQ(b.model.State().m_vPartsPanelAt.x, c.afterX) << c.name;
        EXPECT_FLOAT_EQ(b.model.State().m_vPartsPanelAt.y, c.afterY) << c.name;
        EXPECT_EQ(b.model.State().m_iPanelTimer, c.afterTimer) << c.name;
    }
}

TEST(ItemFlights, PartsFlyToThePanelWhereItIsAtEachFrame) {
    // The panel hidden at 370; the parts picked up 136 px below its target.
    const struct {
        const char* name;
        int timer;
        int frames;
    } cases[] = {
        {"a panel at rest is four frames away", 0, 5},
        {"a panel sliding out meets the parts a frame sooner", PARTS_PANEL_OUT_FRAMES, 4},
    };
    for (const auto& c : cases) {
        BareFlights b;
        RuleState(b.model).m_iBattleState = BATTLE_PLAYING;
        RuleState(b.model).m_vPartsPanelAt = VxVec3{-125.0f, 370.0f, 0.0f};
        RuleState(b.model).m_iPanelTimer = c.timer;
        ASSERT_TRUE(LaunchItemFlight(b.model, ITEM_PARTS_0, VxVec3{-185.0f, 234.0f, 0.0f})) << c.name;
        int frames = 0;
        while (b.Flying() && frames < 20) {
            SlidePartsPanel(b.model);
            RunItemFlights(b.model);
            ++frames;
        }
        EXPECT_EQ(frames, c.frames) << c.name;
        EXPECT_EQ(b.model.State().m_iPartsCollected, 10) << c.name;
    }
}

TEST(ItemFlights, TheEnergyIconComesDownWithTheHud) {
    const int now = g_pApp ? int(g_pApp->m_nFrame) : 0;
    const struct {
        const char* name;
        int state;
        int entryFrame;
        float y;
    } cases[] = {
        {"at rest in play", BATTLE_PLAYING, -100, 289.0f},
        {"high on the loading's first frame", BATTLE_LOADING, 0, 319.0f},
        {"lower as the loading goes on", BATTLE_LOADING, -20, 299.0f},
        {"at rest from the loading's thirtieth frame", BATTLE_LOADING, -30, 289.0f},
        {"going up with the result", BATTLE_RESULT, -10, 299.0f},
    };
    for (const auto& c : cases) {
        BareFlights b;
        RuleState(b.model).m_iBattleState = c.state;
        RuleState(b.model).m_iStateEntryFrame = now + c.entryFrame;
        PlaceEnergyPanel(b.model);
        EXPECT_FLOAT_EQ(b.model.State().m_vEnergyPanelAt.x, 295.0f) << c.name;
        EXPECT_FLOAT_EQ(b.model.State().m_vEnergyPanelAt.y, c.y) << c.name;
    }
}

}  // namespace

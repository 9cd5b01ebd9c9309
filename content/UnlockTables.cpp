#include "content/UnlockTables.h"

#include "content/Achievements.h"
#include "content/GameLink.h"
#include "content/SaveProfile.h"
#include "content/StageDefinition.h"
#include "content/UnitIds.h"

namespace {

namespace R = RobotId;

constexpr int ACHV_ROBOTS_UNLOCKED = 4;
constexpr int ACHV_MACHINES_MET = 5;
constexpr int ROBOTS_TO_UNLOCK = 40;
constexpr int MACHINE_TYPES_TO_MEET = 32;
// The Hammer Bot to the Mortar Bot are the laboratory's card items 6 to 13.
constexpr int FIRST_CARD_ROBOT = R::HammerBot;
constexpr int LAST_CARD_ROBOT = R::MortarBot;
constexpr int FIRST_CARD_ITEM = 6;

struct StageRobot {
    int stage;
    int robot;
};

const StageRobot kRobotByStage[] = {
    {2, R::CannonBot},     {4, R::BlockerBot},   {6, R::CopterBot},    {8, R::FreezerBot},  {10, R::MiniMine},
    {11, R::DropperBot},   {12, R::FlameBot},    {14, R::WarriorBot},  {16, R::SonarBot},   {18, R::FloaterBot},
    {20, R::BoomerangBot}, {21, R::BubbleBot},   {22, R::MiniBomber},  {24, R::DiverBot},   {26, R::SpiderBot},
    {28, R::SubmergerBot}, {30, R::MissilerBot}, {31, R::SnowBaller},  {32, R::StormBot},   {34, R::MarinerBot},
    {36, R::FixerBot},     {38, R::BuoyerBot},   {40, R::DShotgunner}, {41, R::ShockerBot}, {42, R::AtomicBot},
    {44, R::BarrierBots},  {46, R::PlasmaBot},   {48, R::SurveyorBot}, {50, R::SniperBot},  {151, R::RemoverBot},
};

struct StageVariant {
    int stage;
    EnemyVariantRef variant;
};

const StageVariant kVariantByStage[] = {
    {51, {VARIANT_ZETA, MachineId::Smasher}},         {52, {VARIANT_FLYING, MachineId::Smasher}},
    {54, {VARIANT_FLYING, MachineId::HeavySmasher}},  {56, {VARIANT_FLYING, MachineId::Cycler}},
    {58, {VARIANT_FLYING, MachineId::Transporter}},   {61, {VARIANT_FLYING, MachineId::Driller}},
    {64, {VARIANT_FLYING, MachineId::Jumper}},        {66, {VARIANT_FLYING, MachineId::Knight}},
    {68, {VARIANT_FLYING, MachineId::RocketWagon}},   {82, {VARIANT_SWIMMING, MachineId::Mole}},
    {85, {VARIANT_FLYING, MachineId::MarineStriker}}, {88, {VARIANT_SWIMMING, MachineId::Giant}},
    {91, {VARIANT_FLYING, MachineId::MegaSmasher}},   {93, {VARIANT_FLYING, MachineId::BlastTank}},
    {96, {VARIANT_FLYING, MachineId::UltraCycler}},   {101, {VARIANT_OMEGA, MachineId::Smasher}},
};

struct StageFeature {
    int stage;
    int feature;
};

const StageFeature kFeatureByStage[] = {
    {8, FEATURE_LABORATORY},           {10, FEATURE_ACHIEVEMENTS},    {12, FEATURE_ROBOPEDIA},
    {53, FEATURE_ADVANCED_LABORATORY}, {160, FEATURE_SECOND_EPISODE}, {170, FEATURE_THIRD_EPISODE},
};

// Stage 8 offers two items, Luck Booster first.
const StageFeature kLabItemByStage[] = {
    {2, 2},  {4, 1},  {8, 3},  {8, 0},   {14, 6},  {18, 7},  {22, 8},
    {28, 9}, {32, 4}, {38, 5}, {42, 10}, {48, 11}, {61, 12}, {71, 13},
};

const StageRobot kUpgradeByStage[] = {
    {53, R::GunnerBot},    {57, R::BlockerBot},  {59, R::FusorBot},     {63, R::CopterBot},   {67, R::FloaterBot},
    {69, R::BoomerangBot}, {73, R::MiniMagnet},  {77, R::SubmergerBot}, {79, R::MissilerBot}, {83, R::MarinerBot},
    {87, R::BuoyerBot},    {89, R::SpiderBot},   {93, R::FactoryBot},   {97, R::ShockerBot},  {99, R::RemoverBot},
    {103, R::FreezerBot},  {107, R::FixerBot},   {113, R::RecyclerBot}, {117, R::FlameBot},   {123, R::BubbleBot},
    {127, R::BarrierBots}, {133, R::SnowBaller}, {137, R::PlasmaBot},   {142, R::PapaFusor},  {147, R::MachineGunner},
    {149, R::MortarBot},   {161, R::CannonBot},  {163, R::MiniMine},    {165, R::MiniBomber}, {167, R::StormBot},
    {169, R::SurveyorBot}, {171, R::HammerBot},  {172, R::SonarBot},    {173, R::DropperBot}, {174, R::WarriorBot},
    {175, R::DiverBot},    {176, R::AtomicBot},  {177, R::DShotgunner}, {178, R::SniperBot},  {179, R::MamaFactory},
};

// One step of a counter that only the unlock code raises: stop at the target,
// announce on reaching it.
void CountTowards(SaveProfile& profile, int achievement, int target) {
    int& counter = profile.m_aiAchievementProgress[achievement];
    if (counter >= target) return;
    ++counter;
    if (counter == target) AnnounceAchievement(achievement);
}

// Marks a Machine type met, counting it once.
void MarkMachineMet(SaveProfile& profile, int type) {
    int index = type - 1000;
    if (index < 0 || index >= PROFILE_ENEMY_TYPES) return;  // the Rocket has no record
    EnemySeenRecord& seen = profile.m_aEnemySeen[index];
    if (seen.met) return;
    seen.met = 1;
    CountTowards(profile, ACHV_MACHINES_MET, MACHINE_TYPES_TO_MEET);
}

}  // namespace

int GetRobotUnlockedByStage(int stage) {
    for (const StageRobot& e : kRobotByStage)
        if (e.stage == stage) return e.robot;
    return -1;
}

void UnlockRobot(int robotId) {
    if (robotId < 0 || robotId >= PROFILE_ROBOTS) return;
    SaveProfile& p = g_CurrentProfile;
    if (p.m_abRobotUnlocked[robotId]) return;
    p.m_abRobotUnlocked[robotId] = 1;
    if (robotId != ROBOT_REMOVER) p.m_abRobotNew[robotId] = 1;
    CountTowards(p, ACHV_ROBOTS_UNLOCKED, ROBOTS_TO_UNLOCK);
    // A card robot unlocked by any road counts as bought in the laboratory.
    if (robotId >= FIRST_CARD_ROBOT && robotId <= LAST_CARD_ROBOT)
        p.m_aLabItem[FIRST_CARD_ITEM + robotId - FIRST_CARD_ROBOT].m_iBought = 1;
}

void UnlockRobotsForStage(int stage) {
    SaveProfile& p = g_CurrentProfile;
    int robot = GetRobotUnlockedByStage(stage);
    if (stage == 1) {
        UnlockRobot(0);
        UnlockRobot(1);
        if (p.m_nCardSlots < 2) p.m_nCardSlots = 2;
    }
    if (robot == -1) return;
    UnlockRobot(robot);
    if (robot != ROBOT_REMOVER && p.m_nCardSlots < MAX_CARD_SLOTS_BY_UNLOCK) ++p.m_nCardSlots;
}

void MeetMachine(SaveProfile& profile, int type) { MarkMachineMet(profile, type); }

EnemyVariantRef GetEnemyVariantByStage(int stage) {
    for (const StageVariant& e : kVariantByStage)
        if (e.stage == stage) return e.variant;
    return {VARIANT_NONE, -1};
}

void AnnounceNewEnemiesForStage(int stage) {
    StageDefinition def{};
    GetStageDefinition(stage, def);
    for (int type : def.m_aiEnemyType)
        if (type >= 1000 && type != MACHINE_ROCKET) MarkMachineMet(g_CurrentProfile, type);

    EnemyVariantRef v = GetEnemyVariantByStage(stage);
    if (v.m_iType >= 1000) {
        int index = v.m_iType - 1000;
        if (index < PROFILE_ENEMY_TYPES && v.m_iKind >= 1 && v.m_iKind <= 4)
            g_CurrentProfile.m_aEnemySeen[index].variantMet[v.m_iKind - 1] = 1;
        MarkMachineMet(g_CurrentProfile, v.m_iType);
    }
    // A flying variant hangs under a Gyrotor, so the Gyrotor is met as well.
    if (v.m_iKind == VARIANT_FLYING) MarkMachineMet(g_CurrentProfile, MACHINE_GYROTOR);
}

void GetFeatureUnlocksForStage(int stage, std::vector<int>& flags) {
    for (const StageFeature& e : kFeatureByStage)
        if (e.stage == stage) flags.push_back(e.feature);
}

void ApplyFeatureUnlocks(int stage) {
    std::vector<int> flags;
    GetFeatureUnlocksForStage(stage, flags);
    for (int f : flags) g_CurrentProfile.m_abFeatureUnlocked[f] = 1;
}

void GetLabItemUnlocksForStage(int stage, std::vector<int>& items) {
    for (const StageFeature& e : kLabItemByStage)
        if (e.stage == stage) items.push_back(e.feature);
}

void ApplyLabItemUnlocks(int stage) {
    std::vector<int> items;
    GetLabItemUnlocksForStage(stage, items);
    for (int item : items) {
        LabItemRecord& r = g_CurrentProfile.m_aLabItem[item];
        if (r.m_iOffered == 0) r.m_iOffered = 1;
    }
}

void GetRobotUpgradeUnlocksForStage(std::vector<int>& robots, int stage) {
    for (const StageRobot& e : kUpgradeByStage)
        if (e.stage == stage) robots.push_back(e.robot);
}

void ApplyRobotUpgradeUnlocks(int stage) {
    std::vector<int> robots;
    GetRobotUpgradeUnlocksForStage(robots, stage);
    for (int robot : robots) {
        RobotUpgradeRecord& r = g_CurrentProfile.m_aRobotUpgrade[robot];
        if (r.m_iAvailable == 0) r.m_iAvailable = 1;
    }
}

bool IsFurthestEnergyTubeStage() {
    int stage = GetContentLink().CurrentStage();
    return stage == g_CurrentProfile.m_iFurthestStage && RestoresEnergyTube(stage);
}

bool RestoresEnergyTube(int stage) { return stage == 162 || stage == 164 || stage == 166 || stage == 168; }

const char* GetLabItemName(int item) {
    static const char* const kNames[LAB_ITEM_COUNT] = {
        "Slot Expansion",
        "Life Booster",
        "Energy Booster",
        "Luck Booster",
        "Advance Fusion",
        "Advance Production",
        "Hammer Bot Card",
        "Recycler Bot Card",
        "Mini-Magnet Card",
        "Factory Bot Card",
        "Papa Fusor Card",
        "Mama Factory Card",
        "Machine Gun Weapon Card",
        "Mortar Weapon Card",
        "-",
        "-",
        "-",
        "-",
        "-",
        "-",
    };
    if (item < 0 || item >= LAB_ITEM_COUNT) return "-";
    return kNames[item];
}

const char* GetStageUnlockTitle(int stage) {
    switch (stage) {
    case 2: return GetLabItemName(2);
    case 4: return GetLabItemName(1);
    case 14: return GetLabItemName(6);
    case 18: return GetLabItemName(7);
    case 22: return GetLabItemName(8);
    case 28: return GetLabItemName(9);
    case 32: return GetLabItemName(4);
    case 38: return GetLabItemName(5);
    case 42: return GetLabItemName(10);
    case 48: return GetLabItemName(11);
    case 61: return GetLabItemName(12);
    case 71: return GetLabItemName(13);
    case 6: return "Difficulty Setting";
    case 8: return "Laboratory";
    case 10: return "Achievements";
    case 12: return "Robopedia";
    case 160: return "''The Revenge'' Episode";
    case 170: return "''The Last Stand'' Episode";
    case 162:
    case 164:
    case 166:
    case 168: return "Energy Tube Controller";
    case 180: return "Mini-game Mode";
    default: return "New Unlocked Available";
    }
}

const char* GetStageUnlockText(int stage) {
    switch (stage) {
    case 2: return "Your initial Energy Point is now increased\nto 15 points.";
    case 4: return "Your initial Life Point is now increased\nto 3 hearts.";
    case 6:
        return "Difficulty Setting is now unlocked under Play Game Menu. You can now adjust the\n"
               "game's challenge to your preferred level.";
    case 8: return "Laboratory is now unlocked under Play\nGame menu. You can buy new robots and\nupgrades there.";
    case 10:
        return "Achievements is now unlocked under the\nMain Menu. There, you can track your\n"
               "current achievement progress.";
    case 12:
        return "Robopedia is now unlocked under the\nMain Menu. There, you can read data about\n"
               "every robot you have met.";
    case 14: return "Hammer Bot Card is now available in Laboratory.";
    case 18: return "Recycler Bot Card is now available in Laboratory.";
    case 22: return "Mini-Magnet Card is now available in Laboratory.";
    case 28: return "Factory Bot Card is now available in Laboratory.";
    case 32: return "Advance Fusion is now available in Laboratory.";
    case 38: return "Advance Production is now available in Laboratory.";
    case 42: return "Papa Fusor Card is now available in Laboratory.";
    case 48: return "Mama Factory Card is now available in Laboratory.";
    case 61: return "Machine Gun Weapon Card is now available in Laboratory.";
    case 71: return "Mortar Weapon Card is now available in Laboratory.";
    case 160: return "''The Revenge'' episode is now unlocked\nunder Play Game Menu.";
    case 162: return "The 1st Energy Tube has been restored.\nEnergy cost limit has been raised to 50.";
    case 164: return "The 2nd Energy Tube has been restored.\nEnergy cost limit has been raised to 60.";
    case 166: return "The 3rd Energy Tube has been restored.\nEnergy cost limit has been raised to 75.";
    case 168: return "The last Energy Tube has been restored.\nAll Tinkerlings are now available to use\nonce again.";
    case 170: return "''The Last Stand'' episode is now\nunlocked under Play Game Menu.";
    case 180: return "Mini-games Mode is now unlocked under\nthe Main Menu. Enjoy!";
    default: return nullptr;
    }
}

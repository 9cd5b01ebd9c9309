// What every mini-game (stages 151 to 180) shares: the stage groups, the
// set-up at load, the fixed hands, the per-frame rule pass with its fixed
// order of per-mode handlers, the input dispatch by stage, the HUD dispatch,
// the charge fraction, robots spawned for a mode, the jump start and tweens.
#include <algorithm>
#include <cmath>
#include <vector>

#include "battle/effects/Effect_FontInstruction.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "battle/units/GameStage.h"
#include "engine/VxButton.h"
#include "engine/VxSound.h"
#include "engine/VxXApplication.h"
#include "game/GameApplication.h"
#include "platform/Random.h"
#include "content/UnitIds.h"
#include "content/StageRules.h"

namespace {

int EngineFrame() { return g_pApp ? int(g_pApp->m_nFrame) : 0; }

// 167 climbs two scroll units a frame; the start line is then a fifth of that
// (the ground's share of the scroll) further down each frame.
constexpr float kClimbScrollSpeed = -2.0f;

void Rewind(CVxSound* sound) {
    if (!sound) return;
    sound->Stop();
    sound->Play();
}

struct MiniGameHand {
    int stage;
    std::vector<int> cards;  // slot 0 first
    int slots;
    int runLast;  // a card code whose robots run last, or -1
};

const MiniGameHand kHands[] = {
    {151, {0}, 1, -1},
    {152, {1}, 1, -1},
    {153, {9}, 1, -1},
    {154, {4}, 1, -1},
    {155, {0, 15}, 2, 15},
    {156, {15}, 1, 15},
    {166, {15}, 1, 15},
    {157, {21}, 1, -1},
    {158, {19, 22, 24, 20, 14, 23, 21}, 7, -1},
    {160, {1, 5, 3, 12, 18, 24, 30}, 7, -1},
    {161, {6, 1, 2, 5}, 4, -1},
    {162, {1, 37}, 2, -1},
    {163, {7, 2, 4}, 3, 7},
    {164, {2, 38}, 2, -1},
    {179, {2, 38}, 2, -1},
    {167, {21, 4, 7, 11, 29}, 5, -1},
    {168, {30}, 1, -1},
    {170, {25, 9, 28, 12, 24, 8, 30}, 7, -1},
    {171, {1, 37, 26, 5, 24, 28}, 6, -1},
    {172, {0, 35, 6, 14}, 4, -1},
    {173, {8, 16, 22}, 3, -1},
    {174, {28}, 1, -1},
    {175, {31}, 1, -1},
    // Only the first is dealt; the other five ride the paratroopers.
    {177, {14, 18, 19, 24, 30, 23}, 1, -1},
    {180, {2, 1, 18, 9, 30, 38, 37}, 7, -1},
};

}  // namespace

bool CPageGame::IsMiniGameGroup1(int stage) {
    return stage == 153 || stage == 158 || stage == 172 || stage == 173 || stage == 160 || stage == 170 || stage == 180;
}

bool CPageGame::IsMiniGameGroup2(int stage) {
    return stage == 159 || stage == 165 || stage == 169 || stage == 176 || stage == 178;
}

bool CPageGame::IsMiniGameGroup3(int stage) { return stage == 164 || stage == 179; }

void CPageGame::SetUpMiniGame() {
    const int stage = CurrentStage();
    for (int i = 0; i < MINI_GAME_LINKS; ++i) *MiniGameLink(i) = nullptr;
    m_bMiniGameHowToShown = false;
    m_iRelocatingRobot = -1;
    m_iHoldFrames = 0;
    m_bShootHintShown = 0;
    m_bRelocateRule = (stage == 153 || stage == 158 || stage == 160 || stage == 170 || stage == 180) ? 1 : 0;
    // The reels start empty; on the slot stages they get their codes here,
    // before the hand is dealt from them.
    SetUpSlotReels();
    m_iCatchCount = 0;
    m_iSequenceStep = m_iSequenceShownStep = m_iSequenceStepFrames = 0;
    m_bPlayerRobotSeen = false;
    m_iRound = m_iRoundTimer = m_iRoundPhase = 0;

    if (IsMiniGameStage(stage)) {
        SetUpMiniGameHand();
        BuildHand();
        TakeLoadedHand();  // the same thread: nothing draws the hand meanwhile
        // Records dealt beyond the shown slots (177's paratroopers) need theirs too.
        for (int i = m_nHandSlots; i < DECK_SLOTS; ++i) {
            const int card = m_aHand[i].m_iCard;
            if (card < 0 || card >= ROBOT_TYPES) continue;
            m_aHandDefs[i] = UnitDefinition{};
            GetUnitDefinition(m_aHandDefs[i], card);
            if (g_pGameAppInstance) m_apHandPictures[i] = g_pGameAppInstance->m_apBbdCard[card];
        }
        PlaceMiniGameRobots();
    }
    if (stage == 151) {
        m_iRoundPhase = 0;
        m_iRoundTimer = 599;
        m_iRound = 1;
        SpawnRoundRobots(1);
    }
    m_fJumpSpeed = 0.0f;
    m_vJumpStart = VxVec3{0.0f, 0.0f, 0.0f};
    m_bJumpStartKept = m_bJumpRising = m_bJumpHeld = 0;
    m_bOnGround = 1;
    m_iJumpCount = 0;
    m_iStartJumps = 0;
    m_fScrollSpeed = kClimbScrollSpeed;
    m_bEndSequence = false;
    m_iEndSequenceFrames = 0;
    m_iSlotSpinTimer = m_iSlotLeverCooldown = 0;
    for (MiniGameTween& t : m_aTweens) t = MiniGameTween{};
    m_iChargePhase = m_iChargeFrames = 0;
}

void CPageGame::SetUpMiniGameHand() {
    const int stage = CurrentStage();
    for (int i = 0; i < DECK_SLOTS; ++i) m_aHand[i] = HandSlot{};
    std::vector<int> cards;
    int slots = 0;
    if (IsMiniGameGroup2(stage)) {
        for (const SlotReel& reel : m_aSlotReels)
            cards.insert(cards.end(), reel.m_vecCodes.begin(), reel.m_vecCodes.end());
        std::sort(cards.begin(), cards.end());
        cards.erase(std::unique(cards.begin(), cards.end()), cards.end());
        slots = 3;
    } else {
        for (const MiniGameHand& h : kHands) {
            if (h.stage != stage) continue;
            cards = h.cards;
            slots = h.slots;
            if (h.runLast >= 0) m_lstDrawLastTypes.push_back(h.runLast);
        }
    }
    for (size_t i = 0; i < cards.size() && i < size_t(DECK_SLOTS); ++i) m_aHand[i].m_iCard = cards[i];
    m_nHandSlots = slots;

    // One button per slot in a row across the middle; the rest wait off screen.
    const float step = float(g_iScreenWidth / 10 - 2) + (slots < 10 ? 5.0f : 0.0f);
    for (int i = 0; i < DECK_SLOTS; ++i) {
        CVxButton* b = m_apHandButtons[i];
        if (!b) b = m_apHandButtons[i] = AddButton(0);
        if (!b) break;
        b->m_iHitHalfWidth = b->m_iHitHalfHeight = 45;
        if (i < slots) b->SetPosition((0.5f * float(slots) - 0.5f - float(i)) * step, -259.0f, 0.0f);
        else b->SetPosition(9999.0f, 9999.0f, 0.0f);
    }
}

float CPageGame::GetMiniGameChargeRatio(const CCom_GameRobot& robot) const {
    float factor = 1.0f;
    switch (CurrentStage()) {
    case 153:
    case 173: factor = 1.0f; break;
    case 154:
    case 163: factor = 0.6f; break;
    case 155:
    case 171: factor = 0.5f; break;
    case 156:
    case 166: factor = 0.385f; break;
    case 157: factor = 0.75f; break;
    case 152:
    case 168: factor = 0.2f; break;
    case 174: factor = 0.3f; break;
    case 162: factor = robot.m_iUnitSlot == 0 ? 0.2f : 0.5f; break;
    default: break;
    }
    const float full = float(robot.m_Unit.m_iActionInterval) * factor;
    if (full <= 0.0f) return 1.0f;
    return std::clamp(float(robot.m_iActionTimer) / full, 0.0f, 1.0f);
}

void CPageGame::StartMiniGameJump() {
    m_fJumpSpeed = 11.0f;
    ++m_iJumpCount;
    m_bJumpStartKept = 0;
    m_bJumpRising = 1;
    m_bJumpHeld = 1;
    m_bOnGround = 0;
    if (CurrentStage() == 167 && m_iTimeLeft == 0 && m_pStage && m_pStage->m_fScrollY == 0.0f) ++m_iStartJumps;
    Rewind(m_pSfxJump);
}

void CPageGame::AddMiniGameTween(CCom_GameRobot* robot, float x, float y, float z) {
    if (!robot) return;
    for (MiniGameTween& t : m_aTweens) {
        if (t.m_iFramesLeft != 0) continue;
        const VxVec3 p = robot->m_vPosition;
        const float dx = x - p.x, dy = y - p.y;
        t.m_iSerial = robot->m_iSerial;
        t.m_afStart[0] = p.x;
        t.m_afStart[1] = p.y;
        t.m_afStart[2] = p.z;
        t.m_afEnd[0] = x;
        t.m_afEnd[1] = y;
        t.m_afEnd[2] = z;
        t.m_iDuration = t.m_iFramesLeft = int(0.125f * std::sqrt(dx * dx + dy * dy));
        // A slide too short to take a frame leaves the slot free.
        if (t.m_iDuration == 0) t = MiniGameTween{};
        return;
    }
}

void CPageGame::UpdateMiniGameTweens() {
    for (MiniGameTween& t : m_aTweens) {
        if (t.m_iFramesLeft <= 0) continue;
        CCom_GameRobot* robot = FindRobotBySerial(m_lstRobots, t.m_iSerial);
        if (!robot) {
            t = MiniGameTween{};
            continue;
        }
        const float f = 1.0f - float(t.m_iFramesLeft - 1) / float(t.m_iDuration);
        float at[3];
        for (int k = 0; k < 3; ++k) at[k] = t.m_afStart[k] * (1.0f - f) + t.m_afEnd[k] * f;
        at[1] += float(t.m_iDuration) * 2.5f * float(std::sin(double(f) * 3.14159265358979));
        robot->m_vPosition = VxVec3{at[0], at[1], at[2]};
        if (--t.m_iFramesLeft == 0) t = MiniGameTween{};
    }
}

bool CPageGame::NoRobotLeftLoses(int stage) {
    return m_nLiveRobots == 0 && stage != 177 && stage != 172 && m_bPlayerRobotSeen;
}

void CPageGame::UpdateMiniGame() {
    const int stage = CurrentStage();
    if (!IsMiniGameStage(stage)) return;
    // Robots placed at set-up count from the first frame they stand.
    if (m_nLiveRobots > 0) m_bPlayerRobotSeen = true;
    if (m_iBattleState == BATTLE_PLAYING || stage == 157 || stage == 177) {
        // 1. The loss rules.
        if (!m_StageDefinition.m_bRuleHold) {
            if (stage == 155) {
                int own = 0;
                for (const CCom_GameRobot& r : m_lstRobots)
                    if (!r.IsMachine()) ++own;
                if (own < 4) m_iLife = 0;
            } else if (stage == 151) {
                UpdateRoundRules();
            } else if (NoRobotLeftLoses(stage) && !(stage == 171 && m_iMiniGameFlag >= 10000)) {
                // (171's finale throws its last robot at the boss on purpose.)
                m_iLife = 0;
            }
        }
        // 2. 151: no Machine stands right of x 525 while a robot of the player is on the field.
        HoldBackRoundMachines();
        // 3. The jump game (157, 167).
        if (IsJumpStage(stage)) UpdateJumpGame();
        // 4. One capsule at a third of 162.
        if (stage == 162 && m_iTimeLeft == m_iStageFrames / 3) {
            const bool lying = std::any_of(m_lstItems.begin(), m_lstItems.end(),
                                           [](const CCom_GameItem& i) { return i.m_iItemKind == ITEM_CAPSULE; });
            if (!lying) DropItem(ITEM_CAPSULE, 0.0f, 0.0f, 0.0f, 1, true);
        }
        // 5. 171's twin beside the controlled robot as the time starts.
        if (stage == 171 && m_iTimeLeft == m_iStageFrames - 1 && m_apMiniGameRobots[0]) {
            const VxVec3 p = m_apMiniGameRobots[0]->m_vPosition;
            SpawnMiniGameRobot(1, p.x, p.y, p.z);
        }
        // 6. The shooting stages need their controlled robot.
        if ((stage == 152 || stage == 162) && !m_apMiniGameRobots[0]) m_iLife = 0;
        // 7. The charge-shot stages: twins as the time starts, and a robot to shoot with.
        if (stage == 164 || stage == 179) {
            if (m_iTimeLeft == m_iStageFrames - 1) {
                for (CCom_GameRobot* r : m_apMiniGameRobots) {
                    if (!r) continue;
                    const VxVec3 p = r->m_vPosition;
                    SpawnMiniGameRobot(1, p.x, p.y, p.z);
                }
            }
            if (std::none_of(m_lstRobots.begin(), m_lstRobots.end(),
                             [](const CCom_GameRobot& r) { return !r.IsMachine(); }))
                m_iLife = 0;
        }
        // 8. Capsule rain on 161.
        UpdateCapsuleRain();
        // 9. The per-mode handlers, in their fixed order; each skips stages not its own.
        UpdateCapsuleSupply();  // (1) 154
        UpdateFloatingBoss();   // (2) 163
        UpdateFinalBoss();      // (3) 160, 170, 180
        UpdateSequenceGame();   // (4) 158
        UpdateSlotMachine();    // (5) 159, 165, 169, 176, 178
        UpdateBossDuel();       // (6) 156/166/174
        UpdateConveyorCatch();  // (7) 177
        UpdateBombRun();        // (8) 171
        UpdateEnergyGoal();     // (9) 172
    }
    UpdateMiniGameTweens();
}

void CPageGame::HandleMiniGameInput() {
    const int stage = CurrentStage();
    if (!IsMiniGameStage(stage)) return;
    // Each stage's input handlers, in their order (152 to 177 by id):
    //   152, 162 aimed shots; 154, 155, 156/166/174, 163, 171 steering (171 only while its
    //   Machine Gunner lives); 157, 167 jumping; 168 click zapping; 177 Mini-Bombers fire.
    // Ids the table leaves out, 178 and above among them, go by group: relocation
    // (group 1), then the slot lever (group 2), then the charge shot of 164 and 179.
    switch (stage) {
    case 152:
    case 162: FireAimedShots(); break;
    case 154:
        MoveMiniGameRobotY();
        FireChargedRobots();
        break;
    case 155:
        MoveMiniGameRobotY();
        MoveMiniGameRobotX(true);
        CollectItemsByTouch();
        FireChargedRobots();
        break;
    case 156:
    case 166:
    case 174:
        if (m_apMiniGameRobots[0] && m_apMiniGameRobots[0]->m_iHp > 0) {
            MoveMiniGameRobotY();
            MoveMiniGameRobotX(false);
        }
        CollectItemsByTouch();
        FireChargedRobots();
        break;
    case 157:
        HandleJumpInput();
        MoveMiniGameRobotX(false);
        break;
    case 163:
        if (m_apMiniGameRobots[0] && m_apMiniGameRobots[0]->m_iHp > 0) {
            MoveMiniGameRobotY();
            MoveMiniGameRobotX(false);
        }
        FireChargedRobots();
        break;
    case 167:
        HandleJumpInput();
        if (!(m_iTimeLeft == 0 && m_pStage && m_pStage->m_fScrollY == 0.0f)) MoveMiniGameRobotX(false);
        FireRobotsOfType(MachineId::NapalmAirship);
        break;
    case 168: HandleMiniGame168Input(); break;
    case 171:
        if (const CCom_GameRobot* r = m_apMiniGameRobots[0];
            r && r->m_iUnitSlot == FindHandCard(RobotId::MachineGunner) && r->m_iHp >= 1 && r->m_iHp <= 9999) {
            MoveMiniGameRobotY();
            MoveMiniGameRobotX(false);
            CollectItemsByTouch();
            if (m_iStageFrames - m_iTimeLeft > 30) FireChargedRobots();
        }
        break;
    case 175: SetFastMachines(); break;
    case 177: FireRobotsOfType(RobotId::MiniBomber); break;
    default:  // the group handlers named above
        if (IsMiniGameGroup1(stage)) HandleRelocateInput();
        if (IsMiniGameGroup2(stage)) HandleSlotLeverInput();
        if (stage == 164 || stage == 179) HandleChargeShotInput();
        break;
    }
}

bool CPageGame::IsMachineOnScreen(const CCom_GameRobot& robot) {
    const float edge = 0.55f * float(g_iScreenWidth);
    return robot.IsMachine() && robot.m_vPosition.x > -edge && robot.m_vPosition.x < edge;
}

void CPageGame::DrawMiniGameHud() {
    const int stage = CurrentStage();
    if (!IsMiniGameStage(stage)) return;
    CEffect_FontInstruction* hint = m_pEffectFontInstruction;
    const bool hintShows = hint && hint->CurrentKind() == FI_SHOOT_HINT;
    if ((stage == 152 || stage == 162) && m_iBattleState == BATTLE_PLAYING && hint) {
        const auto onScreen = std::count_if(m_lstRobots.begin(), m_lstRobots.end(), IsMachineOnScreen);
        if (!m_bShootHintShown && onScreen > 3 && m_lstBullets.empty()) {
            hint->ShowShootHint();
            m_bShootHintShown = 1;
        } else if (hintShows && !m_lstBullets.empty() && hint->m_aInstances[0].age > 180) {
            hint->Clear(0);
        }
    }
    // 152, 162, 168: the charge gauges below BATTLE_REWARD; 164, 179: the charge-shot
    // gauge while 4 < state < 10 with the HUD shown; 167: the start arrow.
    if ((stage == 152 || stage == 162 || stage == 168) && m_iBattleState < BATTLE_REWARD) DrawChargeGauges();
    if ((stage == 164 || stage == 179) && m_iBattleState > BATTLE_CARD_SELECT && m_iBattleState < BATTLE_UNLOCKS &&
        !m_bHudHidden)
        DrawChargeShotGauge();
    if (stage == 168 && hintShows && m_iBattleState >= BATTLE_REWARD) hint->Clear(0);
    if (stage == 167) DrawJumpStartArrow();
    if (stage == 177 && m_iBattleState > BATTLE_CARD_SELECT && m_iBattleState < BATTLE_UNLOCKS && !m_bHudHidden)
        DrawCatchCounter();
}

void CPageGame::UpdateCapsuleRain() {
    if (CurrentStage() != 161 || m_nLiveMachines <= 0 || EngineFrame() % 300 != 0) return;
    const int r = int(VxRand() % 100);
    const int slot = r < 20 ? 0 : r < 70 ? 1 : r < 90 ? 2 : 3;
    DropItem(ITEM_CAPSULE, 0.0f, 0.0f, 0.0f, slot, true);
}

void CPageGame::SetFastMachines() {
    for (UnitDefinition& d : m_aEnemyDefs)
        if (d.m_iType >= FIRST_MACHINE_TYPE) {
            d.m_fSpeed = 1.5f;
            break;
        }
}

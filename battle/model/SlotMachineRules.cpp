#include "battle/model/SlotMachineRules.h"

#include "battle/model/BattleRules.h"
#include "battle/units/GameItem.h"
#include "content/MiniGameTable.h"
#include "engine/VxSound.h"

std::vector<int> SlotReelCodes(int stage) { return MiniGameRowOf(stage).reels; }

void SetUpSlotReels(CBattleModel& model) {
    const std::vector<int> codes = SlotReelCodes(model.StageNumber());
    static const int kPeriods[SLOT_REELS] = {15, 17, 19};
    for (int i = 0; i < SLOT_REELS; ++i) {
        SlotReel& reel = RuleState(model).m_aSlotReels[i];
        reel.m_vecCodes = codes;
        reel.m_iPosition = 0;
        reel.m_iPeriod = codes.empty() ? 0 : kPeriods[i];
        reel.m_bRunning = 0;
        reel.m_bStopped = 0;
    }
}

int GetReelSymbol(const CBattleModel& model, int reel, int offset) {
    const SlotReel& r = RuleState(model).m_aSlotReels[reel];
    const int length = int(r.m_vecCodes.size());
    if (length == 0) return -1;
    return r.m_vecCodes[size_t(((r.m_iPosition + length + offset) % length + length) % length)];
}

std::vector<SlotPayout> SlotPayouts(const int (&symbols)[SLOT_REELS]) {
    std::vector<SlotPayout> paid;
    for (int i = 0; i < SLOT_REELS; ++i) {
        bool seen = false;
        for (int j = 0; j < i; ++j) seen = seen || symbols[j] == symbols[i];
        if (seen || symbols[i] < 0) continue;
        int shown = 0;
        for (int j = 0; j < SLOT_REELS; ++j) shown += symbols[j] == symbols[i] ? 1 : 0;
        const int capsules = shown == 3 ? 3 : shown == 2 ? 1 : 0;
        if (capsules > 0) paid.push_back(SlotPayout{symbols[i], capsules});
    }
    return paid;
}

void PayOutSlotMatch(CBattleModel& model) {
    int symbols[SLOT_REELS];
    for (int i = 0; i < SLOT_REELS; ++i) symbols[i] = GetReelSymbol(model, i, 0);
    const std::vector<SlotPayout> paid = SlotPayouts(symbols);
    for (const SlotPayout& pay : paid) {
        const int slot = model.FindHandCard(pay.card);
        // The capsules land around row 3 of the right-hand column.
        static const int kRows[3] = {3, 2, 4};
        for (int k = 0; k < pay.capsules; ++k) {
            const FieldCell& cell = RuleState(model).m_aFieldCells[9 * FIELD_ROWS + kRows[k]];
            model.DropItem(ITEM_CAPSULE, cell.m_fX, cell.m_fY, cell.m_fZ, slot, false);
        }
    }
    BattleScene& scene = model.Scene();
    RestartSound(paid.empty() ? scene.m_pSfxSlotSnap : scene.m_pSfxSlotMatch);
}

void StepSlotMachine(CBattleModel& model, int engineFrame) {
    BattleScene& scene = model.Scene();
    if (RuleState(model).m_iBattleState == BATTLE_PLAYING) {
        for (int i = 0; i < SLOT_REELS; ++i) {
            SlotReel& reel = RuleState(model).m_aSlotReels[i];
            const int length = int(reel.m_vecCodes.size());
            if (length == 0 || reel.m_iPeriod <= 0) continue;
            if (!(reel.m_bRunning || !reel.m_bStopped) || engineFrame % reel.m_iPeriod != 0) continue;
            reel.m_iPosition = (reel.m_iPosition + 1) % length;
            if (reel.m_bRunning) continue;
            reel.m_bStopped = 1;
            bool allStopped = true;
            for (const SlotReel& r : RuleState(model).m_aSlotReels) allStopped = allStopped && r.m_bStopped;
            if (!allStopped) {
                RestartSound(scene.m_pSfxSlotSnap);
            } else {
                PayOutSlotMatch(model);
                RuleState(model).m_iSlotSpinTimer = 180;
                if (scene.m_pSfxSlotReel && scene.m_pSfxSlotReel->IsPlaying()) scene.m_pSfxSlotReel->Stop();
            }
        }
        if (RuleState(model).m_iStateFrames == 0 && scene.m_pSfxSlotReel && !scene.m_pSfxSlotReel->IsPlaying())
            scene.m_pSfxSlotReel->Play();
    }
    if (RuleState(model).m_iSlotLeverCooldown > 0) --RuleState(model).m_iSlotLeverCooldown;
    if (RuleState(model).m_iSlotSpinTimer > 0 && --RuleState(model).m_iSlotSpinTimer == 0) {
        for (SlotReel& reel : RuleState(model).m_aSlotReels) {
            reel.m_bRunning = 1;
            reel.m_bStopped = 0;
        }
        RestartSound(scene.m_pSfxSlotReel);
    }
}

int NextReelToStop(const CBattleModel& model) {
    for (int i = SLOT_REELS - 1; i >= 0; --i)
        if (RuleState(model).m_aSlotReels[i].m_bRunning) return i;
    return -1;
}

bool SlotLeverReady(const CBattleModel& model) {
    return RuleState(model).m_iBattleState == BATTLE_PLAYING && RuleState(model).m_iCarriedCard == -1 &&
           RuleState(model).m_iSlotLeverCooldown == 0;
}

void StopSlotReel(CBattleModel& model, int reel) {
    RuleState(model).m_aSlotReels[reel].m_bRunning = 0;
    RestartSound(model.Scene().m_pSfxSlotPullLever);
    RuleState(model).m_iSlotLeverCooldown = 10;
}

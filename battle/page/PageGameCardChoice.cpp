// The card choice before a battle: the list of 40 cards, cards flying into
// and out of the hand, re-ordering the hand by dragging, the remembered deck,
// and the warnings raised when the hand is confirmed.
#include <algorithm>
#include <cmath>

#include "battle/effects/Effect_FontInstruction.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameStage.h"
#include "content/StageKinds.h"
#include "engine/InputRecord.h"
#include "engine/VxBillboard.h"
#include "engine/VxButton.h"
#include "engine/VxNumber.h"
#include "engine/VxResourceManager.h"
#include "engine/VxSound.h"
#include "game/Effect_BlackScreen.h"
#include "game/Effect_MsgBox.h"
#include "game/Effect_SwitchPage.h"
#include "game/GameApplication.h"
#include "game/PopupDrawing.h"
#include "game/PulsingButton.h"
#include "content/SaveProfile.h"
#include "content/StageNumbering.h"
#include "content/UnitIds.h"
#include "content/UnlockTables.h"

namespace {

int EngineFrame() { return g_pApp ? int(g_pApp->m_nFrame) : 0; }
constexpr float kListTop = 232.0f;  // the list band, where list clicks count
constexpr float kListBottom = -175.0f;
// The list's row: four rows of cards stand between the two depth masks (the
// window from 257 below the centre to 157 above it), the first just below the
// upper one and the fourth just above the lower one.
constexpr float kPanelRow = 0.0f;
constexpr float kMaxScroll = 400.0f;

void Consume(InputRecord& in, int key) {
    in.m_aiKey[key] = 0;
    in.m_aiRepeat[key] = 0;
}

// A click on the button, once: taken, and the button shows as hovered.
bool Fires(CVxButton* b) {
    if (!b || b->m_iStatus == BUTTON_DISABLE || !b->TakeClick()) return false;
    b->m_iStatus = BUTTON_OVER;
    return true;
}

void Enable(CVxButton* b, bool on) {
    if (!b) return;
    if (on && b->m_iStatus == BUTTON_DISABLE) b->m_iStatus = BUTTON_NORMAL;
    if (!on) b->m_iStatus = BUTTON_DISABLE;
}

// A list card at this height is drawn (the panel's depth masks cut it where it leaves the window).
bool CardDrawnAt(float y, float panelRow) { return y > panelRow - 310.0f && y < panelRow + 210.0f; }

VxVec3 CardListPoint(int id, float scroll, float panelRow) {
    return VxVec3{float(id % 5) * 95.0f - 138.0f, scroll + panelRow + 95.0f - float(id / 5) * 100.0f, 0.0f};
}

// depthTested: the list's cards, which the panel's depth masks cut off.
void DrawCard(CVxBillboard* back, CVxBillboard* picture, CVxNumber* number, int cost, const VxVec3& at, float scale,
              float r, float g, float b, float depth, bool depthTested = false) {
    auto depthState = [depthTested](CVxObject* o) {
        if (!depthTested) return;
        o->SetZTest(true);
        o->SetZWrite(true);
        o->SetAlphaRef(50);
    };
    for (CVxBillboard* layer : {back, picture}) {
        if (!layer) continue;
        layer->SaveState();
        if (scale != 1.0f) layer->ScaleSizeUniform(scale);
        layer->SetPosition(at.x, at.y, depth);
        layer->SetDiffuse(r, g, b, 1.0f);
        depthState(layer);
        layer->RenderSRT();
        layer->RestoreState();
        depth -= 1.0f;
    }
    if (!number || cost < 0) return;
    number->SaveState();
    depthState(number);
    const float spacing = number->m_fSpacing;
    const int align = number->m_iAlign;
    number->m_fSpacing = 13.0f;
    number->m_iAlign = 0;
    number->ScaleSizeUniform(0.6f * scale);
    number->SetPosition(at.x + 24.0f * scale, at.y - 30.0f * scale, depth);
    number->Draw(cost);
    number->m_fSpacing = spacing;
    number->m_iAlign = align;
    number->RestoreState();
}

// A light icon on its hit button over the pulsing glow, larger while hovered.
void DrawLightButton(CVxBillboard* glow, CVxBillboard* icon, CVxButton* button, bool hoverable) {
    if (!button) return;
    button->MarkDrawn();  // the icon drawn below is its face
    DrawLightIcon(glow, icon, button, hoverable && button->HitTest() ? 1.1f : 0.8f, false);
}

// An invisible quad that writes depth only: what lies behind it is not drawn.
void DrawDepthMask(CVxBillboard* mark, float x, float y, float width, float height) {
    if (!mark) return;
    mark->SaveState();
    mark->SetSize(width, height, 1.0f);
    mark->SetPosition(x, y, -4.0f);
    mark->SetAlphaBlend(true);
    mark->SetDiffuse(0.0f, 0.0f, 0.0f, 0.0f);
    mark->SetAlphaRef(0);
    mark->SetZTest(true);
    mark->SetZWrite(true);
    mark->RenderSRT();
    mark->RestoreState();
}

}  // namespace

void CPageGame::MakeCardChoiceButtons() {
    CGameApplication* app = g_pGameAppInstance;
    static const char* const kButtonFolder = "Resource\\Button\\";
    m_pCardBGUpgraded = Picture("Bbd_CardBGUpgrade.png", "Resource\\Card\\");
    m_pCardChoiceHeader = Picture("Bbd_CardChoiceHeader.png", "Resource\\Card\\");
    m_pRangeArt = Picture("Bbd_Range06.png", "Resource\\Interface\\");
    // The HUD's dash and times glyphs are cells of the interface digit sheet.
    m_pHudDash = Picture("Num_Interface1.png", "Resource\\Interface\\");
    m_pHudTimes = Picture("Num_Interface1.png", "Resource\\Interface\\");
    if (m_pHudDash) {
        m_pHudDash->SetTextureRect(0.75f, 0.5f, 0.25f, 0.25f);
        m_pHudDash->SetSize(64.0f, 64.0f, 1.0f);
    }
    if (m_pHudTimes) {
        m_pHudTimes->SetTextureRect(0.25f, 0.75f, 0.25f, 0.25f);
        m_pHudTimes->SetSize(64.0f, 64.0f, 1.0f);
    }
    m_pHudSlash = Picture("Num_Interface1.png", "Resource\\Interface\\");
    if (m_pHudSlash) {
        m_pHudSlash->SetTextureRect(0.5f, 0.75f, 0.25f, 0.25f);
        m_pHudSlash->SetSize(64.0f, 64.0f, 1.0f);
    }
    for (CVxBillboard* art :
         {m_pCardBGUpgraded, m_pCardChoiceHeader, m_pRangeArt, m_pHudDash, m_pHudTimes, m_pHudSlash})
        if (art) art->SetAlphaBlend(true);

    m_pPauseButton = AddButton(0);
    if (m_pPauseButton && app)
        CVxButton::SetStateTextures(m_pPauseButton, app->m_ButtonPause.m_apState[0], app->m_ButtonPause.m_apState[1],
                                    app->m_ButtonPause.m_apState[2], app->m_ButtonPause.m_apState[3]);
    auto faced = [&](const char* base, float x, float y) {
        CVxButton* b = AddButton(0);
        if (!b) return b;
        if (m_pResourceManager) {
            CustomType faces;
            m_pResourceManager->CreateButtonStates(faces, base, kButtonFolder, 15);
            CVxButton::SetStateTextures(b, faces.m_apState[0], faces.m_apState[1], faces.m_apState[2],
                                        faces.m_apState[3]);
        }
        b->m_iHitHalfWidth = 60;
        b->m_iHitHalfHeight = 28;
        b->SetPosition(x, y, 0.0f);
        return b;
    };
    // Start stands in the panel's window right of the list, clear of its rim.
    m_pStartButton = faced("Btn_CardStart_", 343.0f, -170.0f);
    if (m_pStartButton) m_pStartButton->m_iHitHalfWidth = 52;
    m_pBackButton = faced("Btn_MM_Back_", -370.0f, -170.0f);
    m_pPreviewButton = faced("Btn_CardPreview_", -370.0f, -100.0f);
    auto hitOnly = [&](int half) {
        CVxButton* b = AddButton(0);
        if (b) {
            b->m_iHitHalfWidth = b->m_iHitHalfHeight = half;
            b->SetPosition(9999.0f, 9999.0f, 0.0f);
        }
        return b;
    };
    // The light icons are 128 x 64 drawn at 0.8 of 0.9: hit boxes of about their size.
    m_pLastDeckButton = hitOnly(40);
    m_pClearHandButton = hitOnly(40);
    m_pScrollButton = hitOnly(40);
    m_pRobopediaButton = hitOnly(40);
    for (CVxButton* b : {m_pLastDeckButton, m_pClearHandButton, m_pScrollButton, m_pRobopediaButton})
        if (b) b->m_iHitHalfHeight = 24;
    for (int i = 0; i < ROBOT_TYPES; ++i) m_apCardButtons[i] = hitOnly(44);
    for (CVxButton* b : {m_pStartButton, m_pBackButton, m_pPreviewButton, m_pPauseButton})
        if (b) b->m_bVisible = false;
    m_fCardScroll = 0.0f;
    m_bFieldPreview = false;
    m_iDragMode = m_iDragStep = 0;
    m_bCardMoving = false;
    m_iDragSlot = -1;
    m_vDragPress = VxVec3{};
    m_iDragFrames = 0;
    std::fill(std::begin(m_abCardPicked), std::end(m_abCardPicked), false);
    for (CardFlight& f : m_aCardFlights) f = CardFlight{};
    int unlocked = 0;
    for (int i = 0; i < ROBOT_TYPES; ++i) unlocked += g_CurrentProfile.m_abRobotUnlocked[i] == 1;
    m_bScrollButtonShown = unlocked > 20;
}

void CPageGame::ForgetCardChoiceArt() {
    m_pCardBGUpgraded = m_pCardChoiceHeader = m_pRangeArt = m_pHudDash = m_pHudTimes = m_pHudSlash = nullptr;
    m_pPauseButton = m_pStartButton = m_pBackButton = m_pPreviewButton = nullptr;
    m_pLastDeckButton = m_pClearHandButton = m_pScrollButton = m_pRobopediaButton = nullptr;
    std::fill(std::begin(m_apCardButtons), std::end(m_apCardButtons), nullptr);
}

int CPageGame::EmptyDeckSlots() const {
    int n = 0;
    for (int i = 0; i < m_Battle.State().m_nHandSlots && i < DECK_SLOTS; ++i)
        n += m_Battle.State().m_aHand[i].m_iCard == -1;
    return n;
}

bool CPageGame::IsNoCardInFlight() const {
    for (int i = 0; i < m_Battle.State().m_nHandSlots && i < DECK_SLOTS; ++i)
        if (m_Battle.State().m_aHand[i].m_iCard == -2) return false;
    return true;
}

void CPageGame::ChooseCard(float x, float y, float z, int card, int slot) {
    CardFlight* flight = nullptr;
    for (CardFlight& f : m_aCardFlights)
        if (f.m_iFramesLeft == 0) {
            flight = &f;
            break;
        }
    if (!flight || card < 0 || card >= ROBOT_TYPES) return;
    CVxButton* target = slot >= 0 ? (slot < DECK_SLOTS ? m_apHandButtons[slot] : nullptr) : m_apCardButtons[card];
    const VxVec3 to = target ? target->m_vPosition : VxVec3{};
    const float dx = to.x - x, dy = to.y - y;
    // A short hop still takes a frame, so the slot is always filled.
    const int frames = std::max(int(std::sqrt(dx * dx + dy * dy)) / 20, 1);
    *flight = CardFlight{frames, frames, x, y, z, card, slot};
}

void CPageGame::DrawCardFlights() {
    CGameApplication* app = g_pGameAppInstance;
    const bool tenSlots = m_Battle.State().m_nHandSlots >= DECK_SLOTS;
    for (CardFlight& f : m_aCardFlights) {
        if (f.m_iFramesLeft <= 0) continue;
        CVxButton* target = f.m_iSlot >= 0 ? (f.m_iSlot < DECK_SLOTS ? m_apHandButtons[f.m_iSlot] : nullptr)
                                           : m_apCardButtons[f.m_iCard];
        const VxVec3 to = target ? target->m_vPosition : VxVec3{};
        const float t = float(f.m_iFramesLeft) / float(std::max(f.m_iTotalFrames, 1));
        const VxVec3 at{to.x * (1.0f - t) + f.m_fX * t, to.y * (1.0f - t) + f.m_fY * t, -8.0f};
        if (app) {
            CVxBillboard* back = m_Battle.State().m_aCardDefs[f.m_iCard].m_iUpgradeLevel != 0 && m_pCardBGUpgraded
                                     ? m_pCardBGUpgraded
                                     : app->m_pBbdCardBG;
            DrawCard(back, app->m_apBbdCard[f.m_iCard], app->m_pNumInterface,
                     m_Battle.State().m_aCardDefs[f.m_iCard].m_iEnergyCost, at, tenSlots ? 0.94f : 1.0f, 1.0f, 1.0f,
                     1.0f, -8.0f);
        }
        if (--f.m_iFramesLeft > 0) continue;
        if (f.m_iSlot >= 0 && f.m_iSlot < HAND_SLOTS) {
            m_Battle.PutCardInHand(f.m_iSlot, f.m_iCard);
        } else {
            m_abCardPicked[f.m_iCard] = false;
        }
    }
}

void CPageGame::ReturnHandCard(int slot) {
    if (slot < 0 || slot >= DECK_SLOTS) return;
    const int card = m_Battle.State().m_aHand[slot].m_iCard;
    if (card < 0) return;
    const VxVec3 from = m_apHandButtons[slot] ? m_apHandButtons[slot]->m_vPosition : VxVec3{};
    ChooseCard(from.x, from.y, from.z, card, -1);
    m_Battle.EmptyHandSlot(slot);
}

void CPageGame::CompactHand() {
    const int n = std::min(m_Battle.State().m_nHandSlots, DECK_SLOTS);
    for (;;) {
        int empty = -1, next = -1;
        for (int i = 0; i < n && empty < 0; ++i)
            if (m_Battle.State().m_aHand[i].m_iCard == -1) empty = i;
        if (empty < 0) return;
        for (int i = empty + 1; i < n && next < 0; ++i)
            if (m_Battle.State().m_aHand[i].m_iCard >= 0) next = i;
        if (next < 0) return;
        const VxVec3 from = m_apHandButtons[next] ? m_apHandButtons[next]->m_vPosition : VxVec3{};
        ChooseCard(from.x, from.y, from.z, m_Battle.State().m_aHand[next].m_iCard, empty);
        m_Battle.SwapHandSlots(empty, next);
        m_Battle.KeepHandSlotForCard(empty);
    }
}

bool CPageGame::DeckHolds(int card) const {
    for (int i = 0; i < m_Battle.State().m_nHandSlots && i < DECK_SLOTS; ++i)
        if (m_Battle.State().m_aHand[i].m_iCard == card) return true;
    return false;
}

bool CPageGame::StageHasMachine(int type) const {
    for (int t : m_Battle.State().m_StageDefinition.m_aiEnemyType)
        if (t == type) return true;
    return false;
}

bool CPageGame::HasGroundShortage() const {
    int ground = 0;
    for (const FieldCell& c : m_Battle.State().m_aFieldCells) ground += c.m_iStageKind == TERRAIN_GROUND;
    return ground < 10;
}

std::vector<int> CPageGame::HandWarnings() const {
    std::vector<int> kinds;
    const bool area3 = GetStageWorld(CurrentStage()) == 3;
    if (!DeckHolds(RobotId::FusorBot) && !DeckHolds(RobotId::PapaFusor)) kinds.push_back(41);
    if (StageHasMachine(MachineId::Mole) && !DeckHolds(RobotId::SonarBot) && !DeckHolds(RobotId::SurveyorBot) &&
        !DeckHolds(RobotId::HammerBot))
        kinds.push_back(42);
    if (StageHasMachine(MachineId::Ghost) && !DeckHolds(RobotId::SonarBot) && !DeckHolds(RobotId::SurveyorBot))
        kinds.push_back(43);
    if (DeckHolds(RobotId::MachineGunner) && !DeckHolds(RobotId::GunnerBot)) kinds.push_back(44);
    if (DeckHolds(RobotId::MortarBot) && !DeckHolds(RobotId::CannonBot)) kinds.push_back(45);
    if (area3 && HasGroundShortage() && !DeckHolds(RobotId::SubmergerBot) && !DeckHolds(RobotId::SurveyorBot))
        kinds.push_back(46);
    if (!area3 && HasGroundShortage() && !DeckHolds(RobotId::FloaterBot) && !DeckHolds(RobotId::SurveyorBot))
        kinds.push_back(47);
    return kinds;
}

void CPageGame::ConfirmHand() {
    const std::vector<int> kinds = HandWarnings();
    CEffect_MsgBox* box = g_pGameAppInstance ? g_pGameAppInstance->m_pEffectMsgBox : nullptr;
    if (kinds.empty() || !box) {
        StartBackgroundLoader();
        return;
    }
    box->m_lstPendingWarnings.assign(kinds.begin() + 1, kinds.end());
    box->Add(kinds.front());
}

void CPageGame::HandleCardChoiceInput() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || !g_pApp) return;
    InputRecord& in = g_pApp->m_aInput[0];
    const int stage = CurrentStage();
    const int empty = EmptyDeckSlots();
    const int n = std::min(m_Battle.State().m_nHandSlots, DECK_SLOTS);
    // The stage background scrolls to the field preview and back; the list
    // takes clicks only while it rests at its place.
    const float fieldScroll = m_Battle.State().m_pStage ? m_Battle.State().m_pStage->m_fScrollX : 450.0f;
    const bool listView = IsMiniGameStage(stage) ? !m_bFieldPreview : fieldScroll == 450.0f;

    if (!m_bFieldPreview) {
        HandleRefusedCardInput(empty);
        // 2. Choosing.
        if (empty > 0) HandleChosenCardInput(n);
        // 3. Re-ordering the hand by dragging.
        if (listView && IsNoCardInFlight()) HandleHandDragInput(n);
        HandleCardListScroll();
    }
    // 5. The buttons' own state machines run with the page's buttons, after this.
    if (!m_bFieldPreview) HandleCardChoiceButtons(empty, n);
    // 12. The field preview.
    const bool fieldShown = IsMiniGameStage(stage) ? m_bFieldPreview : fieldScroll == 0.0f;
    if (listView && !m_bFieldPreview && Fires(m_pPreviewButton)) m_bFieldPreview = true;
    else if (m_bFieldPreview && fieldShown && (in.m_aiKey[MOUSE_LEFT] & KEY_PRESSED)) {
        Consume(in, MOUSE_LEFT);
        m_bFieldPreview = false;
        RestartSound(app->m_pSndBtnClick);
    }
}

// 1. Refused cards: a full hand, a card already chosen, a card the stage keeps out.
void CPageGame::HandleRefusedCardInput(int empty) {
    CGameApplication* app = g_pGameAppInstance;
    InputRecord& in = g_pApp->m_aInput[0];
    const VxVec3 at = CursorPoint();
    const int stage = CurrentStage();
    for (int i = 0; i < ROBOT_TYPES; ++i) {
        CVxButton* b = m_apCardButtons[i];
        if (!b) continue;
        if (b->m_iStatus != BUTTON_DISABLE && (m_abCardPicked[i] || empty == 0) && Fires(b)) {
            if (empty == 0)
                if (CEffect_FontInstruction* fi = FreshMessage()) fi->ShowNoCardSlot();
            RestartSound(app->m_pSndError);
            break;
        }
        const bool disabledCard = g_CurrentProfile.m_abRobotUnlocked[i] == 1 && m_abCardDisabled[i];
        if (disabledCard && (in.m_aiKey[MOUSE_LEFT] & KEY_RELEASED) && at.y > kListBottom && at.y < kListTop &&
            b->HitTest()) {
            Consume(in, MOUSE_LEFT);
            CEffect_FontInstruction* fi = FreshMessage();
            if (fi && empty == 0) fi->ShowNoCardSlot();
            else if (fi && GetStageEpisode(stage) == 2 &&
                     m_Battle.State().m_aCardDefs[i].m_iEnergyCost > GetEnergyCostLimit())
                fi->ShowCostLimit(GetEnergyCostLimit());
            else if (fi) fi->ShowEnvironmentError();
            RestartSound(app->m_pSndError);
            break;
        }
    }
}

void CPageGame::HandleChosenCardInput(int n) {
    for (int i = 0; i < ROBOT_TYPES; ++i) {
        CVxButton* b = m_apCardButtons[i];
        if (!b || m_abCardPicked[i] || !Fires(b)) continue;
        int slot = -1;
        for (int s = 0; s < n && slot < 0; ++s)
            if (m_Battle.State().m_aHand[s].m_iCard == -1) slot = s;
        if (slot < 0) break;
        m_abCardPicked[i] = true;
        ChooseCard(b->m_vPosition.x, b->m_vPosition.y, b->m_vPosition.z, i, slot);
        m_Battle.KeepHandSlotForCard(slot);
        RestartSound(m_pSfxPickCard);
    }
}

// A press on a hand card starts a drag; a short click gives the card back,
// a hold of 15 frames in place picks it up to move it along the hand.
void CPageGame::HandleHandDragInput(int n) {
    InputRecord& in = g_pApp->m_aInput[0];
    const VxVec3 at = CursorPoint();
    const bool held = in.m_aiKey[MOUSE_LEFT] & KEY_HELD;
    const bool released = in.m_aiKey[MOUSE_LEFT] & KEY_RELEASED;
    // Down and up within one frame: a short click that ends where it began.
    const bool tapped = (in.m_aiKey[MOUSE_LEFT] & KEY_PRESSED) && released && !held;
    if (m_iDragMode == 0 && m_iDragStep == 0) {
        for (int s = 0; s < n && (held || tapped); ++s) {
            CVxButton* b = m_apHandButtons[s];
            if (!b || m_Battle.State().m_aHand[s].m_iCard < 0 || !b->HitTest()) continue;
            m_iDragSlot = s;
            m_vDragPress = at;
            m_iDragFrames = 0;
            m_iDragStep = 1;
            break;
        }
        if (!tapped || m_iDragStep == 0) return;
    }
    if (m_iDragMode == 0 && m_iDragStep == 1) {
        if (released) {
            Consume(in, MOUSE_LEFT);
            if (m_iDragFrames < 15) {
                ReturnHandCard(m_iDragSlot);
                CompactHand();
                RestartSound(m_pSfxPickCard);
            }
            m_iDragSlot = -1;
            m_vDragPress = VxVec3{};
            m_iDragFrames = 0;
            m_iDragStep = 0;
        } else if (held && std::fabs(at.x - m_vDragPress.x) < 30.0f && std::fabs(at.y - m_vDragPress.y) < 30.0f) {
            if (++m_iDragFrames > 15) {
                m_iDragMode = 1;
                m_bCardMoving = true;
                m_Battle.CarryCard(m_iDragSlot);
            }
        } else {
            m_iDragStep = 0;
            m_vDragPress = VxVec3{10000.0f, 10000.0f, 0.0f};
            m_iDragFrames = 10000;
        }
    } else if (m_iDragMode == 1) {
        MoveDraggedHandCard(n, held, released);
    }
}

// The picked-up card trades places with the hand card under the cursor.
void CPageGame::MoveDraggedHandCard(int n, bool held, bool released) {
    int hovered = -1;
    for (int s = 0; s < n && hovered < 0; ++s) {
        CVxButton* b = m_apHandButtons[s];
        if (!b || m_Battle.State().m_aHand[s].m_iCard < 0) continue;
        if (m_Battle.State().m_nHandSlots >= DECK_SLOTS) b->m_iHitHalfWidth = b->m_iHitHalfHeight = 43;
        if (b->HitTest()) hovered = s;
        if (m_Battle.State().m_nHandSlots >= DECK_SLOTS) b->m_iHitHalfWidth = b->m_iHitHalfHeight = 42;
    }
    if (m_Battle.State().m_iCarriedCard < 0 && held && hovered >= 0) m_Battle.CarryCard(hovered);
    if (m_Battle.State().m_iCarriedCard >= 0 && hovered >= 0 && hovered != m_Battle.State().m_iCarriedCard) {
        m_Battle.SwapHandSlots(m_Battle.State().m_iCarriedCard, hovered);
        m_Battle.CarryCard(hovered);
        RestartSound(g_pGameAppInstance->m_pSndSlideScr);
    }
    const bool ends = m_Battle.State().m_iCarriedCard >= 0 && (hovered < 0 || released);
    if (released && hovered >= 0) Consume(g_pApp->m_aInput[0], MOUSE_LEFT);
    if (ends) {
        m_Battle.DropCarriedCard();
        m_iDragSlot = -1;
        m_vDragPress = VxVec3{};
        m_iDragMode = m_iDragStep = 0;
        m_bCardMoving = false;
    }
}

// 4. Scrolling the list.
void CPageGame::HandleCardListScroll() {
    const InputRecord& in = g_pApp->m_aInput[0];
    const float before = m_fCardScroll;
    if (in.m_aiKey[38] & KEY_HELD) m_fCardScroll += 5.0f;
    if (in.m_aiKey[40] & KEY_HELD) m_fCardScroll -= 5.0f;
    if (in.m_aiKey[MOUSE_WHEEL_FORWARD] & KEY_PRESSED) m_fCardScroll -= 100.0f;
    if (in.m_aiKey[MOUSE_WHEEL_BACKWARD] & KEY_PRESSED) m_fCardScroll += 100.0f;
    m_fCardScroll = std::clamp(m_fCardScroll, 0.0f, kMaxScroll);
    if (m_fCardScroll != before) RestartSound(g_pGameAppInstance->m_pSndSlideScr);
}

void CPageGame::HandleCardChoiceButtons(int empty, int n) {
    CGameApplication* app = g_pGameAppInstance;
    InputRecord& in = g_pApp->m_aInput[0];
    // 6. Back to the main menu.
    if (Fires(m_pBackButton)) {
        app->PauseAllSounds();
        app->m_bCaptureStill = true;
        app->m_bShowStill = false;
        if (app->m_pEffectMsgBox) app->m_pEffectMsgBox->Add(4);
    }
    // 7. Start.
    const bool enter =
        (in.m_aiKey[VK_ENTER] & KEY_RELEASED) && m_pStartButton && m_pStartButton->m_iStatus != BUTTON_DISABLE;
    if (enter) Consume(in, VK_ENTER);
    if (Fires(m_pStartButton) || enter) {
        RestartSound(app->m_pSndBtnClick);
        if (!IsMiniGameStage(CurrentStage())) ConfirmHand();
        else StartBackgroundLoader();
        if (m_pEffectFontInstruction) m_pEffectFontInstruction->Clear(0);
    }
    // 8. The remembered deck.
    const bool handEmpty = empty == n;
    const bool canRecall = handEmpty && !app->m_vecLastDeck.empty();
    Enable(m_pLastDeckButton, canRecall);
    if (!canRecall && m_pLastDeckButton) m_pLastDeckButton->SetPosition(9999.0f, 9999.0f, 0.0f);
    if (canRecall && Fires(m_pLastDeckButton)) RecallLastDeck(n);
    // 9. Clearing the hand.
    const bool canClear = empty < m_Battle.State().m_nHandSlots;
    Enable(m_pClearHandButton, canClear);
    if (!canClear && m_pClearHandButton) m_pClearHandButton->SetPosition(9999.0f, 9999.0f, 0.0f);
    if (canClear && Fires(m_pClearHandButton) && IsNoCardInFlight())
        for (int s = 0; s < n; ++s) ReturnHandCard(s);
    // 10. The scroll button.
    if (m_bScrollButtonShown && Fires(m_pScrollButton)) m_fCardScroll = m_fCardScroll < 200.0f ? kMaxScroll : 0.0f;
    // 11. The encyclopedia opens at the middle of a fade.
    if (g_CurrentProfile.m_abFeatureUnlocked[FEATURE_ROBOPEDIA] && Fires(m_pRobopediaButton) &&
        app->m_pEffectBlackScreen) {
        app->m_pEffectBlackScreen->m_bSubScreenSwitch = true;
        app->m_pEffectBlackScreen->Add(0);
    }
}

// The last battle's deck fills the empty hand, unless a card of it is already chosen.
void CPageGame::RecallLastDeck(int n) {
    CGameApplication* app = g_pGameAppInstance;
    bool anyPicked = false;
    for (int card : app->m_vecLastDeck)
        anyPicked = anyPicked || (card >= 0 && card < ROBOT_TYPES && m_abCardPicked[card]);
    for (int card : app->m_vecLastDeck) {
        if (anyPicked || card < 0 || card >= ROBOT_TYPES) break;
        if (m_abCardDisabled[card] || !g_CurrentProfile.m_abRobotUnlocked[card]) {
            if (app->m_pEffectMsgBox && !app->m_pEffectMsgBox->IsOpen()) app->m_pEffectMsgBox->Add(20);
            continue;
        }
        int slot = -1;
        for (int s = 0; s < n && slot < 0; ++s)
            if (m_Battle.State().m_aHand[s].m_iCard == -1) slot = s;
        if (slot < 0) break;
        m_abCardPicked[card] = true;
        const VxVec3 from = m_apCardButtons[card] ? m_apCardButtons[card]->m_vPosition : VxVec3{};
        ChooseCard(from.x, from.y, from.z, card, slot);
        m_Battle.KeepHandSlotForCard(slot);
    }
}

void CPageGame::DrawCardChoice(float offset) {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    const int frame = EngineFrame();
    const float row = offset + kPanelRow;
    const bool tenSlots = m_Battle.State().m_nHandSlots >= DECK_SLOTS;
    const bool busy = (app->m_pEffectSwitchPage && Shows(app->m_pEffectSwitchPage)) ||
                      (app->m_pEffectMsgBox && app->m_pEffectMsgBox->IsOpen());

    // The panel and the card list.
    if (app->m_pBbdMsgMedium) {
        CVxBillboard* panel = app->m_pBbdMsgMedium;
        panel->SaveState();
        panel->ScaleSize2D(0.85f, 1.05f);
        panel->SetPosition(120.0f, offset + 80.0f, 0.0f);
        panel->SetZTest(true);
        panel->RenderSRT();
        panel->RestoreState();
    }
    // Above and below the panel's window the scrolled list is cut off.
    DrawDepthMask(m_pPlaceMark, 53.0f, offset + 199.0f, 490.0f, 83.0f);
    DrawDepthMask(m_pPlaceMark, 53.0f, offset - 336.0f, 490.0f, 158.0f);
    int hoveredCard = -1;
    for (int i = 0; i < ROBOT_TYPES; ++i) {
        CVxButton* b = m_apCardButtons[i];
        if (!b) continue;
        b->SetPosition(CardListPoint(i, m_fCardScroll, row).x, CardListPoint(i, m_fCardScroll, row).y, 0.0f);
        if (CardDrawnAt(b->m_vPosition.y, row)) b->MarkDrawn();  // its card, drawn below, is its face
        if (!busy && b->m_iStatus != BUTTON_DISABLE && b->HitTest()) hoveredCard = i;
    }
    for (int k = 0; k <= ROBOT_TYPES; ++k) {
        int i = k;
        if (k == ROBOT_TYPES) i = hoveredCard;
        else if (i == hoveredCard) continue;
        if (i < 0) continue;
        CVxButton* b = m_apCardButtons[i];
        if (!b) continue;
        const VxVec3 at = b->m_vPosition;
        const bool visible = at.y > row - 220.0f && at.y < row + 120.0f;
        const bool drawn = CardDrawnAt(at.y, row);
        if (g_CurrentProfile.m_abRobotUnlocked[i] != 1) {
            b->m_iStatus = BUTTON_DISABLE;
            if (drawn) DrawCard(app->m_pBbdCardBGBlank, nullptr, nullptr, -1, at, 1.0f, 1, 1, 1, -1.0f, true);
            continue;
        }
        if (!drawn) {
            b->m_iStatus = BUTTON_DISABLE;
            continue;
        }
        float r = 1.0f, g = 1.0f, bl = 1.0f, scale = 1.0f;
        if (m_abCardDisabled[i]) {
            b->m_iStatus = BUTTON_DISABLE;
            r = 0.5f;
            g = bl = 0.0f;
        } else if (b->m_iStatus == BUTTON_DISABLE) {
            b->m_iStatus = BUTTON_NORMAL;
        }
        if (!visible) b->m_iStatus = BUTTON_DISABLE;
        if (m_abCardPicked[i]) r = g = bl = 0.5f;
        else if (i == hoveredCard) scale = 1.1f;
        CVxBillboard* back = m_Battle.State().m_aCardDefs[i].m_iUpgradeLevel != 0 && m_pCardBGUpgraded
                                 ? m_pCardBGUpgraded
                                 : app->m_pBbdCardBG;
        DrawCard(back, app->m_apBbdCard[i], app->m_pNumInterface, m_Battle.State().m_aCardDefs[i].m_iEnergyCost, at,
                 scale, r, g, bl, i == hoveredCard && scale > 1.0f ? -3.0f : -1.0f, true);
    }
    for (int i = 0; i < ROBOT_TYPES; ++i) {
        CVxButton* b = m_apCardButtons[i];
        if (!b || g_CurrentProfile.m_abRobotUnlocked[i] != 1 || !g_CurrentProfile.m_abRobotNew[i] ||
            m_abCardDisabled[i] || m_abCardPicked[i])
            continue;
        const VxVec3 at = b->m_vPosition;
        if (!(at.y > row - 220.0f && at.y < row + 120.0f)) continue;
        DrawSharedPicture(app->m_pBbdNew, at.x,
                          at.y + 40.0f + 2.0f * float(std::sin(double(frame) * 4.0 * M_PI / 180.0)));
    }
    DrawSharedPicture(m_pCardChoiceHeader, 82.0f, row + 175.0f);

    // Recall the last deck, or clear the hand: one of the two, left of the header.
    const bool hoverable = !busy;
    CVxButton* handButton = nullptr;
    CVxBillboard* handIcon = nullptr;
    if (m_pLastDeckButton && m_pLastDeckButton->m_iStatus != BUTTON_DISABLE) {
        handButton = m_pLastDeckButton;
        handIcon = app->m_apBbdLight[1];
    } else if (m_pClearHandButton && m_pClearHandButton->m_iStatus != BUTTON_DISABLE) {
        handButton = m_pClearHandButton;
        handIcon = app->m_apBbdLight[2];
    }
    if (handButton) {
        handButton->SetPosition(-150.0f, row + 175.0f, 0.0f);
        DrawLightButton(app->m_apBbdLight[0], handIcon, handButton, hoverable);
    }
    // Turning the list's page, right of the header.
    if (m_pScrollButton) {
        m_pScrollButton->SetPosition(m_bScrollButtonShown ? 325.0f : 9999.0f,
                                     m_bScrollButtonShown ? row + 175.0f : 9999.0f, 0.0f);
        if (m_bScrollButtonShown)
            DrawLightButton(app->m_apBbdLight[0], app->m_apBbdLight[3], m_pScrollButton, hoverable);
    }
    // The encyclopedia, once the profile has it, with the screen's other buttons on the left.
    if (m_pRobopediaButton) {
        const bool shown = g_CurrentProfile.m_abFeatureUnlocked[FEATURE_ROBOPEDIA] != 0;
        m_pRobopediaButton->SetPosition(shown ? -370.0f : 9999.0f, shown ? -30.0f : 9999.0f, 0.0f);
        if (shown) DrawLightButton(app->m_apBbdLight[0], app->m_apBbdLight[4], m_pRobopediaButton, hoverable);
    }
    // The hand row, over the list's lowest cards.
    const int n = std::min(m_Battle.State().m_nHandSlots, DECK_SLOTS);
    int hoveredSlot = -1;
    for (int s = 0; s < n; ++s) {
        if (!m_apHandButtons[s]) continue;
        m_apHandButtons[s]->MarkDrawn();  // its card or blank, drawn below, is its face
        if (!busy && m_apHandButtons[s]->HitTest()) hoveredSlot = s;
    }
    for (int k = 0; k <= n; ++k) {
        // Hovered or carried slot last.
        int s = k;
        const int top = m_Battle.State().m_iCarriedCard >= 0 ? m_Battle.State().m_iCarriedCard : hoveredSlot;
        if (k == n) s = top;
        else if (s == top) continue;
        if (s < 0 || s >= n) continue;
        CVxButton* b = m_apHandButtons[s];
        if (!b) continue;
        VxVec3 at = b->m_vPosition;
        if (m_iCardChoiceStep < 2) at.y -= offset * 0.25f;
        if (m_bCardMoving && s != m_Battle.State().m_iCarriedCard)
            at.y += 5.0f * float(std::sin((double(s) * 90.0 + double(frame) * 20.0) * M_PI / 180.0));
        if (s == m_Battle.State().m_iCarriedCard) at.x = CursorPoint().x;
        const int card = m_Battle.State().m_aHand[s].m_iCard;
        float scale = s == hoveredSlot ? 1.1f : 1.0f;
        if (tenSlots) scale *= 0.94f;
        if (card < 0) {
            DrawCard(app->m_pBbdCardBGBlank, nullptr, nullptr, -1, at, scale, 1, 1, 1, -5.0f);
            continue;
        }
        CVxBillboard* back = m_Battle.State().m_aCardDefs[card].m_iUpgradeLevel != 0 && m_pCardBGUpgraded
                                 ? m_pCardBGUpgraded
                                 : app->m_pBbdCardBG;
        DrawCard(back, app->m_apBbdCard[card], app->m_pNumInterface, m_Battle.State().m_aCardDefs[card].m_iEnergyCost,
                 at, scale, 1, 1, 1, -5.0f);
    }
}

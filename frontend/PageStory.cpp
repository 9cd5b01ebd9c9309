#include "frontend/PageStory.h"

#include <algorithm>
#include <string>

#include "content/SaveProfile.h"
#include "content/StageNumbering.h"
#include "engine/PageIndices.h"
#include "engine/VxBillboard.h"
#include "engine/VxFont.h"
#include "engine/VxResourceManager.h"
#include "engine/VxSound.h"
#include "frontend/StoryCaptions.h"
#include "game/Effect_Exit.h"
#include "game/Effect_SwitchPage.h"
#include "game/GameApplication.h"
#include "game/MenuLink.h"
#include "game/PopupDrawing.h"
#include "platform/SoundResult.h"

namespace {

constexpr const char* kStoryFolder = "Resource\\Story\\";
constexpr const char* kMusicFolder = "Resource\\Sound\\BGM\\";
constexpr int kMusicGroup = 1;
constexpr int kMusicLevel = -3000;
constexpr float kMusicTarget = 0.85f;
constexpr float kCaptionY = -320.0f;
constexpr float kCaptionLineGap = 40.0f;
constexpr float kPictureCentreY = 70.0f;

// Segment lengths of the caption sequence, in order.
int SegmentLength(int s) {
    if (s == 0) return 15;
    return (s - 1) % 4 == 1 ? 405 : 60;
}

// Episodes finished, from the achievement counters of episodes 1 to 3.
constexpr int kEpisodeFinished[3] = {6, 7, 8};

// Clamped to the three story flags, whatever the stage number was.
int StoryFlagIndex(int episode) { return std::clamp(episode - 1, 0, 2); }

}  // namespace

StorySegment FindStorySegment(int t) {
    int start = 0;
    for (int s = 0; s < STORY_SEGMENTS; ++s) {
        const int length = SegmentLength(s);
        if (start <= t && t < start + length) return {s, t - start};
        start += length;
    }
    return {STORY_NO_SEGMENT, 0};
}

float SkipLabelAlpha(const StorySegment& s) {
    if (s.segment == 0) return 0.0f;
    if (s.segment == 1) return float(s.frame) / 60.0f;
    if (s.segment < 31) return 1.0f;
    if (s.segment == 31) return 1.0f - float(s.frame) / 60.0f;
    return 0.0f;
}

int SegmentCaption(const StorySegment& s, float& alpha) {
    alpha = 0.0f;
    if (s.segment < 1 || s.segment > 32) return 0;
    switch ((s.segment - 1) % 4) {
    case 0: alpha = float(s.frame) / 60.0f; break;
    case 1: alpha = 1.0f; break;
    case 2: alpha = float(60 - s.frame) / 60.0f; break;
    default: return 0;
    }
    return s.segment / 4 + 1;
}

bool InSkipBox(float x, float y) {
    return SKIP_BOX.left < x && x < SKIP_BOX.right && SKIP_BOX.bottom < y && y < SKIP_BOX.top;
}

int CPageStory::StoryStage() {
    CGameApplication* app = g_pGameAppInstance;
    const int chosen = app ? int(app->m_iCurrentStage) : 0;
    if (chosen >= 1 && chosen <= LAST_STAGE) return chosen;
    return g_CurrentProfile.m_iFurthestStage;
}

int CPageStory::StoryEpisode() { return GetStageEpisode(StoryStage()); }

int CPageStory::EndingEpisode() {
    for (int e = 3; e >= 2; --e)
        if (g_CurrentProfile.m_aiAchievementProgress[kEpisodeFinished[e - 1]] >= 1) return e;
    return 1;
}

int CPageStory::Load() {
    CGameApplication* app = g_pGameAppInstance;
    m_vSkipPos = {515.0f, 396.0f, 0.0f};
    m_fSkipAlpha = 0.0f;
    m_bSkipHover = false;
    m_pIntroPicture = nullptr;
    m_pEndingPicture = nullptr;
    m_pLogo = nullptr;
    m_pLogoLight = nullptr;
    if (!app) return 0;
    if (app->m_pEffectSwitchPage) app->m_pEffectSwitchPage->Add(-1);

    m_pMusic = nullptr;
    // After a battle the story runs without music.
    if (app->m_iOldPage != BATTLE_PAGE_INDEX && m_pResourceManager) {
        m_pMusic = m_pResourceManager->CreateSound("BGM_Story.ogg", kMusicFolder);
        if (m_pMusic) {
            m_pMusic->m_iGroup = kMusicGroup;
            m_pMusic->SetVolumeFactor(0.0f);
            m_pMusic->m_dwPlayFlags = DSBPLAY_LOOPING;
            m_pMusic->ApplyVolume(kMusicLevel);
        }
    }
    app->m_bCaptureStill = false;
    app->m_bShowStill = false;
    return 0;
}

int CPageStory::Unload() {
    CGameApplication* app = g_pGameAppInstance;
    if (app && app->m_pResourceManager) app->m_pResourceManager->StopSounds();
    if (m_pResourceManager) m_pResourceManager->StopSounds();
    return 0;
}

int CPageStory::Update() {
    if (CGameApplication* app = g_pGameAppInstance) app->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    if (m_pMusic && !m_pMusic->IsPlaying()) m_pMusic->Play();
    return CVxPage::Update();
}

void CPageStory::LoadScreen(int subScreen) {
    switch (subScreen) {
    case STORY_INTRO: LoadIntro(); break;
    case STORY_ENDING: LoadEnding(); break;
    case STORY_TITLE: LoadTitle(); break;
    case STORY_CREDITS: LoadCredits(); break;
    default: break;
    }
}

void CPageStory::ReleaseScreen(int subScreen) {
    if (subScreen == STORY_CREDITS) ReleaseCredits();
}

int CPageStory::UpdateScreen(int subScreen) {
    switch (subScreen) {
    case STORY_INTRO: UpdateIntro(); break;
    case STORY_ENDING: UpdateEnding(); break;
    case STORY_TITLE: UpdateTitle(); break;
    case STORY_CREDITS: UpdateCredits(); break;
    default: break;
    }
    return 0;
}

int CPageStory::RenderScreen(int subScreen) {
    // The window's close button asks to leave once no page switch runs.
    CGameApplication* app = g_pGameAppInstance;
    if (app && app->m_pEffectExit && !(app->m_pEffectSwitchPage && app->m_pEffectSwitchPage->m_aInstances[0].life > 0))
        app->m_pEffectExit->OpenOnRequest();
    if (subScreen == STORY_INTRO || subScreen == STORY_ENDING) RenderFade();
    return 0;
}

void CPageStory::RenderFade() {
    CGameApplication* app = g_pGameAppInstance;
    if (app && app->m_pEffectSwitchPage) app->m_pEffectSwitchPage->Tick();
}

void CPageStory::LoadIntro() {
    const int episode = StoryEpisode();
    const std::string name = "Bbd_Intro" + std::to_string(episode == 2 || episode == 3 ? episode : 1) + ".jpg";
    if (m_pResourceManager) m_pIntroPicture = m_pResourceManager->CreateBillboard(name.c_str(), kStoryFolder, nullptr);
    m_iIntroFrame = 0;
}

void CPageStory::LoadEnding() {
    m_pEndingPicture = nullptr;
    m_iEndingFrame = 0;
    // Only a switch into the ending pays for its picture.
    CGameApplication* app = g_pGameAppInstance;
    if (!app || app->m_iNewSubScreen != STORY_ENDING || !m_pResourceManager) return;
    const std::string name = "Bbd_Ending" + std::to_string(EndingEpisode()) + ".jpg";
    m_pEndingPicture = m_pResourceManager->CreateBillboard(name.c_str(), kStoryFolder, nullptr);
}

void CPageStory::UpdateIntro() { RunCaptionSequence(false); }

void CPageStory::UpdateEnding() { RunCaptionSequence(true); }

void CPageStory::RunCaptionSequence(bool ending) {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    int& t = ending ? m_iEndingFrame : m_iIntroFrame;
    CVxBillboard* picture = ending ? m_pEndingPicture : m_pIntroPicture;

    app->SetCamera2D(int(float(g_iScreenWidth) * STORY_CAMERA_ZOOM), int(float(g_iScreenHeight) * STORY_CAMERA_ZOOM));
    const StorySegment seg = FindStorySegment(t);

    if (m_pMusic && (ending || seg.segment < 16) && m_pMusic->m_fVolumeFactor < kMusicTarget)
        m_pMusic->SetVolumeFactor(std::clamp(m_pMusic->m_fVolumeFactor + 0.01f, 0.0f, 1.0f));

    // The picture pans left at an even pace until its right edge reaches the
    // screen's; a picture narrower than the screen stands with its right edge there.
    // The edges are those of the zoomed camera the sequence is drawn with, so
    // the picture starts flush with the window's left side.
    if (picture && picture->m_pTexture) {
        const float W = float(int(float(g_iScreenWidth) * STORY_CAMERA_ZOOM));
        const float P = picture->m_vSize.x;
        const float x = std::max(-float(t) * (P - W) / float(STORY_SEQUENCE_FRAMES), -(P - W));
        picture->SetPosition(P / 2.0f + x - W / 2.0f, kPictureCentreY, 0.0f);
        if (seg.segment == 31) {
            picture->SetAlphaBlend(true);
            picture->SetDiffuse(1.0f, 1.0f, 1.0f, float(60 - seg.frame) / 60.0f);
        }
        picture->RenderSRT();
    }

    m_fSkipAlpha = SkipLabelAlpha(seg);
    DrawSkipLabel();

    if (seg.segment >= 1 && seg.segment <= 32) {
        float alpha = 0.0f;
        const int caption = SegmentCaption(seg, alpha);
        if (caption > 0) {
            if (ending) GetEndingText(caption, alpha);
            else GetIntroText(caption, alpha);
        }
    } else if (seg.segment >= STORY_SEGMENTS) {
        SetSubScreen(ending ? STORY_CREDITS : STORY_TITLE);
    }

    app->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    ++t;
}

void CPageStory::GetIntroText(int caption, float alpha) { DrawCaption(IntroCaption(StoryEpisode(), caption), alpha); }

void CPageStory::GetEndingText(int caption, float alpha) {
    DrawCaption(EndingCaption(EndingEpisode(), caption), alpha);
}

void CPageStory::DrawCaption(const char* text, float alpha) {
    CGameApplication* app = g_pGameAppInstance;
    CVxFont* font = app ? app->m_pFontStandard : nullptr;
    if (!font || !text) return;
    const std::string all = text;
    int lines = 1;
    for (char c : all)
        if (c == '\n') ++lines;
    FontStyle style;
    style.size = 0.75f;
    style.align = 0;
    style.spaceFactor = 0.5f;
    style.lineSpacing = 0.85f;
    style.charSpacing = 4.0f;
    style.wrapWidth = -1;
    style.colour = {1.0f, 1.0f, 1.0f, alpha};
    size_t from = 0;
    for (int i = 0; i < lines; ++i) {
        const size_t end = all.find('\n', from);
        const std::string line = all.substr(from, end == std::string::npos ? std::string::npos : end - from);
        const float y = kCaptionY - kCaptionLineGap * (float(i) - float(lines - 1) / 2.0f);
        DrawStyledText(font, style, 0.0f, y, line.c_str());
        from = end == std::string::npos ? all.size() : end + 1;
    }
    font->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f);
}

void CPageStory::DrawSkipLabel() {
    CGameApplication* app = g_pGameAppInstance;
    CVxFont* font = app ? app->m_pFontStandard : nullptr;
    if (!font) return;
    FontStyle style;
    style.size = m_bSkipHover ? 0.85f : 0.7f;
    style.align = 0;
    style.spaceFactor = 0.5f;
    style.lineSpacing = 0.85f;
    style.charSpacing = 4.0f;
    style.wrapWidth = -1;
    style.rowOffset = 0;
    style.colour = {1.0f, 1.0f, 1.0f, m_fSkipAlpha};
    DrawStyledText(font, style, m_vSkipPos.x, m_vSkipPos.y, "Skip");
    font->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f);
}

int CPageStory::HandleInput() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return CVxPage::HandleInput();
    if (app->m_pEffectExit && app->m_pEffectExit->IsOpen()) {
        app->m_pEffectExit->HandleClick();
        return CVxPage::HandleInput();
    }
    if (m_iSubScreen != STORY_INTRO && m_iSubScreen != STORY_ENDING && m_iSubScreen != STORY_CREDITS) {
        m_bSkipHover = false;
        return CVxPage::HandleInput();
    }
    const InputRecord& in = app->m_aInput[0];
    const float x = float(in.m_iCursorX) - float(g_iScreenWidth) / 2.0f;
    const float y = float(g_iScreenHeight) / 2.0f - float(in.m_iCursorY);
    if (!InSkipBox(x, y) || m_fSkipAlpha != 1.0f) {
        m_bSkipHover = false;
        return CVxPage::HandleInput();
    }
    m_bSkipHover = true;
    if (TakeKeyRelease(MOUSE_LEFT)) {
        if (m_iSubScreen == STORY_INTRO) StartBattle();
        else LeaveStory();
        RestartSound(app->m_pSndBtnClick);
    }
    return CVxPage::HandleInput();
}

void CPageStory::StartBattle() {
    CGameApplication* app = g_pGameAppInstance;
    // A switch already under way has done all of this once.
    if (!app || app->m_iCurrentPage == -1 || app->m_bSwitchPending) return;
    const int stage = StoryStage();
    g_CurrentProfile.m_abStorySeen[StoryFlagIndex(GetStageEpisode(stage))] = 1;
    // A failed write is shown to the player; the battle starts all the same.
    app->SaveProgress();
    app->m_iCurrentStage = stage;
    app->SwitchPage(BATTLE_PAGE_INDEX, 0);
}

void CPageStory::LeaveStory() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    if (g_CurrentProfile.m_aiAchievementProgress[kEpisodeFinished[2]] < 1)
        app->m_iChosenEpisode = GetStageEpisode(g_CurrentProfile.m_iFurthestStage);
    app->m_bReturnToMenu = true;
    app->m_iMenuReturnScreen = MENU_EPISODE;
    if (app->m_iCurrentPage != -1 && !app->m_bSwitchPending) app->SwitchPage(MENU_PAGE_INDEX, MENU_EPISODE);
}

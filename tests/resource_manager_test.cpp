

#include "tests/OggClip.h"
#include "tests/PictureBytes.h"
#include "tests/Harness.h"

namespace {

using Files = std::vector<std::pair<std::string, std::vector<uint8_t>>>;

Files Clips() {
    return {
        {"Resource/Sound/BGM_Loop.ogg", testclip::MakeOgg(1, 22050, 22050)},  // one second
        {"Resource/Sound/SFX_Hit.ogg", testclip::MakeOgg(1, 22050, 11025)},
    };
}

// Counts its own destruction.
template <class Base>
class Tracked : public Base {
public:
    explicit Tracked(int* deaths) : m_deaths(deaths) {}
    ~Tracked() override { ++*m_deaths; }
    int* m_deaths;
};

uint32_t Position(harness::World& w, CVxSound* s) { return w.host.audio.GetPosition(s->m_pSound->GetBuffer(0)); }

}  // namespace

TEST(ResourceManager, PausedLoopingMusicResumesFromItsPlaceAndLoopsOn) {
    harness::World w(Clips());
    CVxResourceManager rm;
    CVxSound* music = rm.CreateSound("BGM_Loop.ogg", "Resource\\Sound\\");
    CVxSound* idle = rm.CreateSound("SFX_Hit.ogg", "Resource\\Sound\\");
    rm.m_lstSounds.push_back(nullptr);  // skipped
    music->m_iGroup = 1;
    music->m_dwPlayFlags = DSBPLAY_LOOPING;
    music->Play();
    w.host.clock.AdvanceSeconds(1.5);  // looped once
    ASSERT_TRUE(music->IsPlaying());
    uint32_t at = Position(w, music);
    EXPECT_EQ(at, uint32_t(22050 / 2) * 2);

    rm.PauseSounds();
    EXPECT_TRUE(rm.m_bSoundsPaused);
    EXPECT_TRUE(g_bAllSoundsPaused);
    EXPECT_EQ(music->m_bPaused, 1);
    EXPECT_EQ(idle->m_bPaused, 0);  // was not playing
    EXPECT_FALSE(music->IsPlaying());
    w.host.clock.AdvanceSeconds(2.0);
    EXPECT_EQ(Position(w, music), at);

    int32_t volumeBefore = w.host.audio.GetVolume(music->m_pSound->GetBuffer(0));
    rm.ResumeSounds();
    EXPECT_FALSE(rm.m_bSoundsPaused);
    EXPECT_FALSE(g_bAllSoundsPaused);
    EXPECT_EQ(music->m_bPaused, 0);
    EXPECT_TRUE(music->IsPlaying());
    EXPECT_FALSE(idle->IsPlaying());
    EXPECT_EQ(Position(w, music), at);
    EXPECT_EQ(w.host.audio.GetVolume(music->m_pSound->GetBuffer(0)), volumeBefore);
    // Still a loop: past the clip's end it goes on from its start, with no
    // stop for the page to notice and fill.
    EXPECT_EQ(w.host.audio.GetStatus(music->m_pSound->GetBuffer(0)) & host::VOICE_LOOPING, host::VOICE_LOOPING);
    w.host.clock.AdvanceSeconds(0.75);
    EXPECT_TRUE(music->IsPlaying());
    EXPECT_EQ(Position(w, music), uint32_t(22050 / 4) * 2);
    // A one-shot sound resumed plays its rest once.
    idle->Play();
    w.host.clock.AdvanceSeconds(0.25);
    rm.PauseSounds();
    rm.ResumeSounds();
    w.host.clock.AdvanceSeconds(0.3);
    EXPECT_FALSE(idle->IsPlaying());
}

TEST(ResourceManager, DestroyingTheManagerStopsItsSoundsFirst) {
    harness::World w(Clips());
    auto* rm = new CVxResourceManager();
    CVxSound* a = rm->CreateSound("BGM_Loop.ogg", "Resource\\Sound\\");
    a->m_dwPlayFlags = DSBPLAY_LOOPING;
    a->Play();
    w.host.clock.AdvanceSeconds(0.1);
    EXPECT_EQ(w.host.audio.VoiceCount(), 1u);
    delete rm;
    EXPECT_EQ(w.host.audio.VoiceCount(), 0u);
    w.HeardLeft();
    w.host.clock.AdvanceSeconds(0.1);
    auto heard = w.HeardLeft();
    // Silent once the stopped voices' few milliseconds of fade are over.
    ASSERT_GT(heard.size(), size_t(host::kRampFrames));
    EXPECT_TRUE(std::all_of(heard.begin() + host::kRampFrames, heard.end(), [](int16_t v) { return v == 0; }));
}

TEST(ResourceManager, ApplicationMuteGoesThroughEveryManager) {
    harness::World w(Clips());
    ASSERT_NE(w.app.m_pResourceManager, nullptr);
    CVxSound* a = w.app.m_pResourceManager->CreateSound("BGM_Loop.ogg", "Resource\\Sound\\");
    a->Play();
    w.app.MuteAllSounds();
    EXPECT_EQ(g_iMasterVolume, -10000);
    EXPECT_EQ(w.host.audio.GetVolume(a->m_pSound->GetBuffer(0)), -10000);
    a->Stop();
    a->Play();  // muted: nothing starts
    EXPECT_FALSE(a->IsPlaying());
    w.app.UnmuteAllSounds();
    a->Play();
    EXPECT_EQ(w.host.audio.GetVolume(a->m_pSound->GetBuffer(0)), -550);
}

TEST(ResourceManager, DeletesEverythingItHoldsOnce) {
    int deaths = 0;
    auto* rm = new CVxResourceManager();
    EXPECT_EQ(rm->m_iOwnerId, OWNER_UNSET);
    rm->m_lstObjects.push_back(new Tracked<CVxObject>(&deaths));
    rm->m_lstObjects.push_back(nullptr);
    rm->m_lstSounds.push_back(new Tracked<CVxSound>(&deaths));
    rm->m_lstButtons.push_back(new CVxButton(-1));
    rm->m_lstFonts.push_back(nullptr);
    rm->m_lstFonts.push_back(new Tracked<CVxObject>(&deaths));
    rm->m_lstExtra.push_back(new Tracked<CVxObject>(&deaths));
    delete rm;
    EXPECT_EQ(deaths, 4);
}

TEST(ResourceManager, ButtonStatesFollowTheMask) {
    harness::World w(harness::Files{});
    CVxResourceManager manager;
    manager.m_iOwnerId = 3;
    CustomType states;
    manager.CreateButtonStates(states, "Btn_OK_", "Resource\\Test\\", 5);
    ASSERT_NE(states.m_apState[3], nullptr);
    ASSERT_NE(states.m_apState[0], nullptr);
    EXPECT_EQ(states.m_apState[1], nullptr);
    EXPECT_EQ(states.m_apState[2], nullptr);
    EXPECT_STREQ(states.m_apState[3]->m_pszName, "Btn_OK_NORMAL.png");
    EXPECT_STREQ(states.m_apState[0]->m_pszName, "Btn_OK_PRESS.png");
    EXPECT_TRUE(states.m_apState[0]->m_bAlphaBlend);
    EXPECT_EQ(states.m_apState[0]->m_iOwnerId, 3);
}

TEST(ResourceManager, FontWithoutNameOrFolderIsRefusedButListed) {
    harness::World w;
    CVxResourceManager manager;
    EXPECT_EQ(manager.CreateFont("", "Resource\\Font\\"), nullptr);
    EXPECT_EQ(manager.CreateFont("Script_Fnt_X.txt", nullptr), nullptr);
    EXPECT_EQ(manager.m_lstFonts.size(), 2u);
    EXPECT_TRUE(w.host.boxes.Saw("CVxResourceManager::CreateFont", "Create font error!!"));
}

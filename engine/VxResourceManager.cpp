#include "engine/VxResourceManager.h"

#include "engine/VxButton.h"
#include "engine/VxObject.h"
#include "engine/VxSound.h"
#include "engine/VxTexture.h"

bool g_bAllSoundsPaused = false;
int g_iMasterVolume = 0;

CVxResourceManager::CVxResourceManager() { m_iOwnerId = OWNER_UNSET; }

template <class T>
static void DeleteAll(std::vector<T*>& list) {
    for (T*& p : list) {
        delete p;
        p = nullptr;
    }
    list.clear();
}

CVxResourceManager::~CVxResourceManager() {
    StopSounds();
    DeleteAll(m_lstObjects);
    DeleteAll(m_lstTextures);
    DeleteAll(m_lstSounds);
    DeleteAll(m_lstButtons);
    DeleteAll(m_lstFonts);
    DeleteAll(m_lstExtra);
}

CVxTexture* CVxResourceManager::CreateTexture(const char* name, const char* folder) {
    auto* texture = new CVxTexture(name, folder);
    texture->m_iOwnerId = m_iOwnerId;
    m_lstTextures.push_back(texture);
    return texture;
}

CVxSound* CVxResourceManager::CreateSound(const char* name, const char* folder) {
    auto* sound = new CVxSound();
    sound->m_iOwnerId = m_iOwnerId;
    sound->Load(name, folder);
    m_lstSounds.push_back(sound);
    return sound;
}

namespace {

// Plays a stopped sound on from its position at the volume its buffer
// already has (the levels are applied again right after; starting at full
// volume would be heard for a moment). A loop goes on looping: played once,
// it would end and leave a hole until its page started it again.
void PlayOnFromPosition(CVxSound& s) {
    host::VoiceId v = s.m_pSound->GetBuffer(0);
    int32_t volume = v ? s.m_pSound->GetDevice()->GetVolume(v) : 0;
    s.m_pSound->Play(s.m_dwPlayFlags & DSBPLAY_LOOPING, volume, -1, 0);
    s.ApplyVolume(s.m_iLevel);
}

}  // namespace

void CVxResourceManager::PauseSounds() {
    m_bSoundsPaused = true;
    g_bAllSoundsPaused = true;
    for (CVxSound* s : m_lstSounds) {
        if (!s || !s->m_pSound || !s->m_pSound->IsPlaying() || s->m_bPaused) continue;
        s->m_pSound->Stop();
        s->m_bPaused = 1;
    }
}

void CVxResourceManager::ResumeSounds() {
    m_bSoundsPaused = false;
    g_bAllSoundsPaused = false;
    for (CVxSound* s : m_lstSounds) {
        if (!s || !s->m_pSound || !s->m_bPaused) continue;
        PlayOnFromPosition(*s);
        s->m_bPaused = 0;
    }
}

void CVxResourceManager::StopSounds() {
    for (CVxSound* s : m_lstSounds) {
        if (!s || !s->m_pSound || !s->m_pSound->IsPlaying()) continue;
        s->m_pSound->Stop();
        s->m_pSound->Reset();
        s->m_bPaused = 0;
    }
}

void CVxResourceManager::RefreshSoundVolumes() {
    for (CVxSound* s : m_lstSounds) {
        if (!s || !s->m_pSound || !s->m_pSound->IsPlaying()) continue;
        s->ApplyVolume(s->m_iLevel);
        if (s->m_bPaused) continue;
        s->m_pSound->Stop();
        PlayOnFromPosition(*s);
    }
}

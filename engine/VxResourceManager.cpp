#include "engine/VxResourceManager.h"

#include "engine/VxButton.h"
#include "engine/VxObject.h"

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

// The per-sound work (stop, keep position, replay) is done by the sound
// resource once it exists; the manager keeps the pause state it reports.
void CVxResourceManager::PauseSounds() {
    m_bSoundsPaused = true;
    g_bAllSoundsPaused = true;
}

void CVxResourceManager::ResumeSounds() {
    m_bSoundsPaused = false;
    g_bAllSoundsPaused = false;
}

void CVxResourceManager::StopSounds() {}

void CVxResourceManager::RefreshSoundVolumes() {}

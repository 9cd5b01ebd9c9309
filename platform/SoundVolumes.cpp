#include "platform/SoundVolumes.h"

int g_iEffectVolume = DEFAULT_EFFECT_VOLUME;
int g_iMusicVolume = DEFAULT_MUSIC_VOLUME;
int g_iGroup2Volume = 0;

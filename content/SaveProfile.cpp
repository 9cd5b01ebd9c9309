#include "content/SaveProfile.h"

SaveProfile g_CurrentProfile{};
SaveProfile g_aStoredProfiles[3]{};

// The test programs start the game hundreds of times over one archive:
// its pictures and sounds decode once a process, not once a start.
#include "engine/DecodedResources.h"

namespace {
const bool s_bKept = (KeepDecodedResources(true), true);
}

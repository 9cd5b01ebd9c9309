#include "battle/effects/AmbientArt.h"

#include "content/StageDefinition.h"
#include "engine/VxResourceManager.h"

namespace ambient {

CVxBillboard* WorldPicture(CVxResourceManager& owner, int world, const char* name, const char* folder) {
    if (GetCurrentStageWorld() != world) return nullptr;
    CVxBillboard* b = owner.CreateBillboard(name, folder, nullptr);
    if (b) b->SetAlphaBlend(true);
    return b;
}

}  // namespace ambient

// The resource manager's widget factories.
#include <string>

#include "engine/VxBillboard.h"
#include "engine/VxButton.h"
#include "engine/VxFont.h"
#include "engine/VxResourceManager.h"
#include "platform/host/MessageBox.h"

CVxBillboard* CVxResourceManager::CreateBillboard(const char* name, const char* folder, CVxTexture* sharedTexture) {
    auto* board = new CVxBillboard(name, folder, sharedTexture);
    board->m_iOwnerId = m_iOwnerId;
    m_lstObjects.push_back(board);
    return board;
}

void CVxResourceManager::CreateButtonStates(CustomType& out, const char* baseName, const char* folder, int mask) {
    static const struct {
        int bit;
        const char* word;
        int index;
    } kStates[] = {
        {1, "NORMAL.", BUTTON_NORMAL},
        {2, "OVER.", BUTTON_OVER},
        {4, "PRESS.", BUTTON_PRESS},
        {8, "DISABLE.", BUTTON_DISABLE},
    };
    out = CustomType();
    const std::string base = baseName ? baseName : "";
    for (const auto& state : kStates) {
        if (!(mask & state.bit)) continue;
        CVxBillboard* board = CreateBillboard((base + state.word + "png").c_str(), folder, nullptr);
        out.m_apState[state.index] = board;
        board->SetAlphaBlend(true);
    }
}

CVxFont* CVxResourceManager::CreateFont(const char* name, const char* folder) {
    CVxFont* font = nullptr;
    if (name && *name && folder && *folder) font = new CVxFont(name, folder);
    if (!font) host::ShowMessageBox("Create font error!!", "CVxResourceManager::CreateFont", host::MB_OK);
    m_lstFonts.push_back(font);
    return font;
}

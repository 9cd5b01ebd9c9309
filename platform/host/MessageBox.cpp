#include "platform/host/MessageBox.h"

#include <SDL.h>

#include <atomic>
#include <cstdio>

namespace host {

int DefaultAnswer(unsigned type) {
    switch (type & 0xF) {
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return IDYES;
    default:
        return IDOK;
    }
}

int SdlMessageBoxes::Show(const std::string& text, const std::string& caption, unsigned type) {
    std::vector<SDL_MessageBoxButtonData> buttons;
    switch (type & 0xF) {
    case MB_OKCANCEL:
        buttons = {{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDOK, "OK"},
                   {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDCANCEL, "Cancel"}};
        break;
    case MB_YESNO:
        buttons = {{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDYES, "Yes"},
                   {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDNO, "No"}};
        break;
    case MB_YESNOCANCEL:
        buttons = {{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDYES, "Yes"},
                   {0, IDNO, "No"},
                   {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDCANCEL, "Cancel"}};
        break;
    default:
        buttons = {{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDOK,
                    "OK"}};
        break;
    }
    Uint32 flags = SDL_MESSAGEBOX_INFORMATION;
    unsigned icon = type & 0xF0;
    if (icon == MB_ICONERROR) flags = SDL_MESSAGEBOX_ERROR;
    else if (icon == MB_ICONWARNING) flags = SDL_MESSAGEBOX_WARNING;

    SDL_MessageBoxData data{};
    data.flags = flags;
    data.window = nullptr;
    data.title = caption.c_str();
    data.message = text.c_str();
    data.numbuttons = int(buttons.size());
    data.buttons = buttons.data();
    int pressed = -1;
    if (SDL_ShowMessageBox(&data, &pressed) == 0 && pressed >= 0) return pressed;
    // No display to show it on: the message still reaches the user.
    std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
    return DefaultAnswer(type);
}

int RecordingMessageBoxes::Show(const std::string& text, const std::string& caption, unsigned type) {
    std::lock_guard<std::mutex> lock(m_mutex);
    int answer = DefaultAnswer(type);
    if (!m_answers.empty()) {
        answer = m_answers.front();
        m_answers.pop_front();
    }
    m_boxes.push_back({text, caption, type, answer});
    return answer;
}

void RecordingMessageBoxes::QueueAnswer(int answer) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_answers.push_back(answer);
}

std::vector<RecordedBox> RecordingMessageBoxes::Boxes() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_boxes;
}

size_t RecordingMessageBoxes::Count() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_boxes.size();
}

bool RecordingMessageBoxes::Saw(const std::string& caption, const std::string& text) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const auto& b : m_boxes)
        if (b.caption == caption && b.text == text) return true;
    return false;
}

void RecordingMessageBoxes::Clear() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_boxes.clear();
    m_answers.clear();
}

namespace {
SdlMessageBoxes g_sdlBoxes;
std::atomic<MessageBoxes*> g_boxes{&g_sdlBoxes};
}  // namespace

MessageBoxes& GetMessageBoxes() { return *g_boxes.load(); }
void SetMessageBoxes(MessageBoxes* boxes) { g_boxes.store(boxes ? boxes : &g_sdlBoxes); }

}  // namespace host

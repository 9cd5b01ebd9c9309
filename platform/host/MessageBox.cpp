#include "platform/host/MessageBox.h"

#include <SDL.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <thread>

#include "platform/host/BoxWindow.h"
#include "platform/host/InstanceLock.h"
#include "platform/host/X11Connection.h"

namespace host {

int DefaultAnswer(unsigned type) {
    switch (type & 0xF) {
    case MB_YESNO:
    case MB_YESNOCANCEL: return IDYES;
    default: return IDOK;
    }
}

namespace {

std::atomic<const std::atomic<bool>*> g_quitFlag{nullptr};
std::atomic<bool> g_quitSignalled{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

// The box's child ends its whole group (SDL may fork the box again) when
// the game that asked goes, however it goes.
extern "C" void EndBoxGroup(int) { ::kill(0, SIGKILL); }

void PrintUnshown(const std::string& text, const std::string& caption) {
    std::fputs(UnshownBoxText(text, caption).c_str(), stderr);
}

// Our box windows live on the thread the program started on (static
// objects are made there). A box asked for on another (a page loading on the
// switch worker) is handed over and shown between frames; the asker waits.
const std::thread::id g_mainThread = std::this_thread::get_id();
struct HandedBox {
    const std::string& text;
    const std::string& caption;
    unsigned type;
    int answer = 0;
    bool done = false;
};
std::mutex g_handMutex;
std::condition_variable g_handDone;
std::deque<HandedBox*> g_handed;
bool g_refuseHanded = false;

int HandToMainThread(const std::string& text, const std::string& caption, unsigned type) {
    HandedBox box{text, caption, type};
    std::unique_lock<std::mutex> lock(g_handMutex);
    if (!g_refuseHanded) g_handed.push_back(&box);
    while (!g_refuseHanded && !box.done) {
        // Waiting, not yet shown, when a quit signal comes: nobody answers.
        if (g_quitSignalled.load()) {
            const auto queued = std::find(g_handed.begin(), g_handed.end(), &box);
            if (queued != g_handed.end()) {
                g_handed.erase(queued);
                break;
            }
        }
        g_handDone.wait_for(lock, std::chrono::milliseconds(50));
    }
    if (box.done) return box.answer;
    lock.unlock();
    PrintUnshown(text, caption);
    return 0;
}

// SDL_ShowMessageBox in a child process of its own group, so that a quit
// request can close the box (and whatever SDL forks for it) from here.
// False when no child could be made; pressed is 0 when the box was closed
// unanswered or could not be shown.
bool ShowInChild(const SDL_MessageBoxData& data, const std::atomic<bool>* quit, int& pressed) {
    int fds[2];
    if (::pipe(fds) != 0) return false;
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return false;
    }
    if (pid == 0) {
        ::setpgid(0, 0);
        ::close(fds[0]);
        // The save folder stays the game's alone: a box left behind must
        // not keep the next start out.
        InstanceLock::CloseAllInChild();
        ::signal(SIGTERM, EndBoxGroup);
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent) EndBoxGroup(0);
        // The box's own display connection breaking ends this child, never
        // with the parent's exit save.
        SetConnectionLostSave(nullptr);
        int answer = -1;
        if (SDL_ShowMessageBox(&data, &answer) != 0) answer = -1;
        const ssize_t n = ::write(fds[1], &answer, sizeof answer);
        ::_exit(n == ssize_t(sizeof answer) ? 0 : 1);
    }
    ::setpgid(pid, pid);
    ::close(fds[1]);
    int answer = -1;
    size_t got = 0;
    bool ended = false, closed = false;
    for (;;) {
        if ((quit && quit->load()) || g_quitSignalled.load()) {
            closed = true;
            break;
        }
        pollfd p{fds[0], POLLIN, 0};
        const int ready = ::poll(&p, 1, ended ? 0 : 50);
        if (ready < 0 && errno == EINTR) continue;
        // The child went (killed) and said nothing: nobody answers.
        if (ready <= 0 && ended) break;
        if (ready <= 0) {
            // Looked at, not collected: its id, and so its group's, stays ours.
            siginfo_t info{};
            ended = ::waitid(P_PID, id_t(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid;
            continue;
        }
        const ssize_t n = ::read(fds[0], reinterpret_cast<char*>(&answer) + got, sizeof answer - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += size_t(n);
        if (got == sizeof answer) break;
    }
    // Unanswered, whatever SDL forked for the box (which may hold the pipe
    // open) goes with the child.
    if (got != sizeof answer) {
        ::kill(-pid, SIGKILL);
        answer = closed ? 0 : -1;
    }
    ::close(fds[0]);
    while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {}
    pressed = answer;
    return true;
}

}  // namespace

std::string UnshownBoxText(const std::string& text, const std::string& caption) {
    return "[" + caption + "] " + text + "\n";
}

void WatchQuitRequest(const std::atomic<bool>* flag) { g_quitFlag.store(flag); }

void ServeHandedBoxes() {
    for (;;) {
        HandedBox* box;
        {
            std::lock_guard<std::mutex> lock(g_handMutex);
            if (g_handed.empty()) return;
            box = g_handed.front();
            g_handed.pop_front();
        }
        const int answer = ShowMessageBox(box->text, box->caption, box->type);
        {
            std::lock_guard<std::mutex> lock(g_handMutex);
            box->answer = answer;
            box->done = true;
        }
        g_handDone.notify_all();
    }
}

void RefuseHandedBoxes(bool refuse) {
    {
        std::lock_guard<std::mutex> lock(g_handMutex);
        g_refuseHanded = refuse;
        // Those waiting are let go unanswered; their words go to stderr.
        if (refuse) g_handed.clear();
    }
    g_handDone.notify_all();
}

int SdlMessageBoxes::Show(const std::string& text, const std::string& caption, unsigned type) {
    if (std::this_thread::get_id() != g_mainThread) return HandToMainThread(text, caption, type);
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
        buttons = {{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDOK, "OK"}};
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
    const std::atomic<bool>* quit = g_quitFlag.load();
    if (quit && quit->load()) return 0;
    // The system's box only while nothing of ours is on screen: the child
    // shares the window's display connection, which it must not write to.
    // Over the game's window the box is ours, since SDL's own waits on a
    // process of its own that no quit signal can close.
    if (quit && ShowInChild(data, quit, pressed)) {
        if (pressed > 0) return pressed;
        if (pressed == 0) return 0;  // closed by the quit request
    }
    // The message goes to stderr, and where there is a display, into a
    // window of our own drawing.
    PrintUnshown(text, caption);
    std::vector<BoxButton> own;
    for (const SDL_MessageBoxButtonData& b : buttons)
        own.push_back({b.buttonid, b.text, (b.flags & SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT) != 0,
                       (b.flags & SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT) != 0});
    // A display that is there but cannot take one more window this moment
    // (a busy server) gets a few more tries; with none at all, nobody answered.
    const bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
    for (int attempt = 0; display; ++attempt) {
        const int answer = ShowBoxWindow(text, caption, own, quit, &g_quitSignalled);
        if (answer >= 0) return answer;
        if (attempt == 2 || (quit && quit->load()) || g_quitSignalled.load()) break;
        SDL_Delay(300);
    }
    return 0;
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

void NoteQuitSignal() { g_quitSignalled.store(true); }
bool QuitSignalled() { return g_quitSignalled.load(); }
void ClearQuitSignal() { g_quitSignalled.store(false); }

int ShowMessageBox(const std::string& text, const std::string& caption, unsigned type) {
    if (g_quitSignalled.load()) {
        PrintUnshown(text, caption);
        return 0;
    }
    return GetMessageBoxes().Show(text, caption, type);
}
void SetMessageBoxes(MessageBoxes* boxes) { g_boxes.store(boxes ? boxes : &g_sdlBoxes); }

}  // namespace host

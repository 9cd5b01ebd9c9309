#pragma once
// Modal message boxes. Errors in this game are message boxes, so the headless
// twin records every box and answers from a script; tests assert on them.
#include <atomic>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

namespace host {

// Button sets and icons, with the values the game's tables were written in.
enum : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
    MB_ICONINFORMATION = 0x40,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Shows a box with no owner and returns the button pressed.
    virtual int Show(const std::string& text, const std::string& caption, unsigned type) = 0;
};

// SDL's box while a quit request is watched (nothing of ours on screen).
// Otherwise, or when the system's box cannot be shown, the text goes to
// stderr and, where there is a display, into a window of its own
// (BoxWindow.h), which a quit signal closes. With no display it answers 0,
// as does one closed by a quit request: nobody answered.
class SdlMessageBoxes : public MessageBoxes {
public:
    int Show(const std::string& text, const std::string& caption, unsigned type) override;
};

struct RecordedBox {
    std::string text;
    std::string caption;
    unsigned type;
    int answer;
};

class RecordingMessageBoxes : public MessageBoxes {
public:
    int Show(const std::string& text, const std::string& caption, unsigned type) override;
    // Answers given in order; when none is queued the box's first button answers.
    void QueueAnswer(int answer);
    std::vector<RecordedBox> Boxes() const;
    size_t Count() const;
    bool Saw(const std::string& caption, const std::string& text) const;
    void Clear();

private:
    mutable std::mutex m_mutex;
    std::vector<RecordedBox> m_boxes;
    std::deque<int> m_answers;
};

// While a flag is watched (the program has no window of its own open),
// boxes are the system's, run in a child process, and a set flag closes the
// open box unanswered (0); nullptr stops watching.
void WatchQuitRequest(const std::atomic<bool>* flag);

// Boxes of ours are shown on the main thread. One asked for on another
// thread waits there until the main thread shows it here (between frames).
void ServeHandedBoxes();
// While the main thread waits for the other threads (refuse true), a box one
// of them asks for is not shown: its text goes to stderr and it counts as
// unanswered (0).
void RefuseHandedBoxes(bool refuse);

// The first button of a button set (what Enter would press).
int DefaultAnswer(unsigned type);

MessageBoxes& GetMessageBoxes();
void SetMessageBoxes(MessageBoxes* boxes);  // nullptr restores SDL's

// Called from a SIGINT, SIGTERM or SIGHUP handler (async-signal-safe): from then on no
// box is shown, so none can hold the asked-for exit up. Their texts go to
// stderr and count as unanswered (0). ClearQuitSignal is for tests.
void NoteQuitSignal();
bool QuitSignalled();
void ClearQuitSignal();

// Shorthand used throughout the game.
int ShowMessageBox(const std::string& text, const std::string& caption, unsigned type = MB_OK);
// A box that cannot be shown, as its words go to stderr.
std::string UnshownBoxText(const std::string& text, const std::string& caption);

}  // namespace host

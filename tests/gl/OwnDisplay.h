#pragma once
// An X server of a test's own, which the test may hold still or kill.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

// An Xvfb of the given screen ("800x600x24") on the first free display number. The server writes
// the number and its newline in two writes: the pipe is read to the newline,
// else a reader that closed early kills the server on the second write. A
// start that fails (a busy machine) is tried again, and the reason kept.
// Keys do not repeat on it (-r): a key a loaded machine holds down past the
// repeat delay is still one press. It never resets (-noreset): by default the
// server resets as its last client leaves, and drops every connection in the
// making as it does; the answer check below is such a last client, so the
// test's own first connection would otherwise race the reset.
class OwnDisplay {
public:
    explicit OwnDisplay(const char* screen) {
        for (int attempt = 0; attempt < 4 && m_Name.empty(); ++attempt) {
            if (attempt > 0) std::this_thread::sleep_for(std::chrono::milliseconds(500 * attempt));
            Start(screen);
        }
    }
    ~OwnDisplay() { Stop(); }
    const std::string& Name() const { return m_Name; }
    const std::string& Why() const { return m_Why; }
    // Holds the server still where it is (SIGSTOP), or ends it outright
    // (SIGKILL), as a crash or a cut cable would.
    void Hold() {
        if (m_Pid > 0) kill(m_Pid, SIGSTOP);
    }
    void Kill() {
        if (m_Pid > 0 && kill(m_Pid, SIGKILL) == 0) waitpid(m_Pid, nullptr, 0);
        m_Pid = -1;
    }

private:
    void Start(const char* screen) {
        int fds[2];
        if (pipe(fds) != 0) {
            m_Why = std::string("pipe: ") + std::strerror(errno);
            return;
        }
        m_Pid = fork();
        if (m_Pid < 0) {
            m_Why = std::string("fork: ") + std::strerror(errno);
            close(fds[0]);
            close(fds[1]);
            return;
        }
        if (m_Pid == 0) {
            close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen, "-nolisten", "tcp", "-r",
                   "-noreset", static_cast<char*>(nullptr));
            _exit(92);
        }
        close(fds[1]);
        std::string number;
        char c = 0;
        for (;;) {
            const ssize_t n = read(fds[0], &c, 1);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0 || c == '\n') break;
            number += c;
        }
        close(fds[0]);
        if (c != '\n' || number.empty()) {
            Stop();
            m_Why = "Xvfb gave no display number (it ended early)";
            return;
        }
        const std::string name = ":" + number;
        // The server answers on its socket before it is taken as up.
        if (!Answers(name)) {
            Stop();
            m_Why = "Xvfb on " + name + " does not answer";
            return;
        }
        m_Name = name;
    }
    static bool Answers(const std::string& name) {
        for (int i = 0; i < 50; ++i) {
            if (std::system(("DISPLAY=" + name + " xdotool getdisplaygeometry >/dev/null 2>&1").c_str()) == 0)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }
    void Stop() {
        if (m_Pid > 0) {
            kill(m_Pid, SIGTERM);
            kill(m_Pid, SIGCONT);  // one held still hears it too
            waitpid(m_Pid, nullptr, 0);
        }
        m_Pid = -1;
    }

    pid_t m_Pid = -1;
    std::string m_Name, m_Why;
};

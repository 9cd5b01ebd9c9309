// A quit request (SIGTERM) while a box is up closes it unanswered instead
// of leaving the program waiting on it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>

#include "platform/host/MessageBox.h"

namespace {
std::atomic<bool> g_quit{false};
extern "C" void OnTerm(int) {
    g_quit = true;
    host::NoteQuitSignal();
}
}  // namespace

// Before the window opens the box is the system's, in a child a watched
// request closes; over the game's window (nothing watched) it is our own,
// which the signal itself closes.
TEST(QuitClosesBox, ASignalWhileTheQuestionIsUpAnswersItWithNothing) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    auto old = std::signal(SIGTERM, OnTerm);
    for (const bool watched : {true, false}) {
        SCOPED_TRACE(watched ? "start-up question" : "over the game's window");
        host::WatchQuitRequest(watched ? &g_quit : nullptr);
        std::thread signaller([] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            std::raise(SIGTERM);
        });
        const auto start = std::chrono::steady_clock::now();
        host::SdlMessageBoxes boxes;
        const int answer = boxes.Show("Do you want to create new save data?", "Recreate save data.", host::MB_YESNO);
        const auto waited = std::chrono::steady_clock::now() - start;
        signaller.join();
        host::WatchQuitRequest(nullptr);
        host::ClearQuitSignal();
        g_quit = false;
        EXPECT_EQ(answer, 0);
        EXPECT_LT(waited, std::chrono::seconds(10)) << "the box stayed up";
    }
    std::signal(SIGTERM, old);
    // Once the request stands, no further box is shown at all.
    g_quit = true;
    host::WatchQuitRequest(&g_quit);
    EXPECT_EQ(host::SdlMessageBoxes().Show("The program will be closed.", "Exit Program", host::MB_OK), 0);
    host::WatchQuitRequest(nullptr);
    g_quit = false;
}

// A box asked for on a worker (a page loading) is shown by the main thread
// between frames; while the main thread waits for the workers it is not
// shown at all, so neither thread waits for the other.
TEST(QuitClosesBox, AWorkersBoxWaitsForTheMainThreadAndNeverForAJoin) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    for (const bool served : {false, true}) {
        SCOPED_TRACE(served ? "shown between frames" : "asked during a join");
        std::atomic<int> answer{-1};
        std::thread worker([&] {
            answer = host::SdlMessageBoxes().Show("Extract Data Error because Engine!!", "Unzip Error", host::MB_OK);
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_EQ(answer, -1) << "answered with nobody there";
        std::thread signaller;
        if (served) {
            signaller = std::thread([] {
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
                host::NoteQuitSignal();
            });
            host::ServeHandedBoxes();
        } else {
            host::RefuseHandedBoxes(true);
        }
        for (int i = 0; i < 250 && answer == -1; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const bool waited = answer == -1;
        host::NoteQuitSignal();  // whatever is left up goes
        worker.join();
        if (signaller.joinable()) signaller.join();
        host::RefuseHandedBoxes(false);
        host::ClearQuitSignal();
        EXPECT_FALSE(waited) << "the worker's box held it up";
        EXPECT_EQ(answer, 0);
    }
}

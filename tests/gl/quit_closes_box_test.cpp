// A quit request (SIGTERM) while a start-up question is up closes the real
// box unanswered instead of leaving the program waiting on it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>

#include "platform/host/MessageBox.h"

namespace {
std::atomic<bool> g_quit{false};
extern "C" void OnTerm(int) { g_quit = true; }
}  // namespace

TEST(QuitClosesBox, ASignalWhileTheQuestionIsUpAnswersItWithNothing) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    auto old = std::signal(SIGTERM, OnTerm);
    host::WatchQuitRequest(&g_quit);
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
    std::signal(SIGTERM, old);
    g_quit = false;
    EXPECT_EQ(answer, 0);
    EXPECT_LT(waited, std::chrono::seconds(10)) << "the box stayed up";
    // Once the request stands, no further box is shown at all.
    g_quit = true;
    host::WatchQuitRequest(&g_quit);
    EXPECT_EQ(boxes.Show("The program will be closed.", "Exit Program", host::MB_OK), 0);
    host::WatchQuitRequest(nullptr);
    g_quit = false;
}

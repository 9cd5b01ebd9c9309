// Preloaded into a program under measurement: at its first presented frame
// (first SDL_GL_SwapWindow) it writes the system's monotonic clock, in
// nanoseconds, to the descriptor named by CSQ_PROBE_FD. With CSQ_PROBE_EXIT
// set it ends the program there instead (to profile the start-up alone).
#include <SDL.h>
#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

extern "C" void SDL_GL_SwapWindow(SDL_Window* window) {
    using Swap = void (*)(SDL_Window*);
    static Swap real = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
    static bool reported = false;
    if (real) real(window);
    if (reported) return;
    reported = true;
    // For profiling the start-up alone: end the program at its first frame.
    if (std::getenv("CSQ_PROBE_EXIT")) _exit(0);
    const char* fd = std::getenv("CSQ_PROBE_FD");
    if (!fd) return;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    char line[64];
    const int n = std::snprintf(line, sizeof line, "%lld\n", (long long)now.tv_sec * 1000000000LL + now.tv_nsec);
    if (write(std::atoi(fd), line, size_t(n)) != n) return;
}

#pragma once
// Running a program from a test and reading what it prints.
#include <cstdio>
#include <string>

namespace shell {

// What the shell command prints on its standard output. status, when given,
// gets the command's status as pclose returns it (-1 when it could not start).
inline std::string CommandOutput(const std::string& command, int* status = nullptr) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        if (status) *status = -1;
        return out;
    }
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
    const int ended = pclose(pipe);
    if (status) *status = ended;
    return out;
}

// What the tesseract OCR program reads on a picture file, with the options
// given (a page layout, a list of characters). Left alone it starts a thread
// a core, and on a busy machine those threads wait on one another: one band
// took 29 s where a single thread takes 1.4 s. One thread costs its own work.
inline std::string ReadPictureText(const std::string& png, const std::string& options) {
    return CommandOutput("OMP_THREAD_LIMIT=1 tesseract " + png + " stdout " + options + " 2>/dev/null");
}

}  // namespace shell

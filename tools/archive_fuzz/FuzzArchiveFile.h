#pragma once
// The reader opens archives by file name, so each input goes to a file first.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

inline std::string WriteFuzzArchive(const uint8_t* data, size_t size) {
    static const std::string path = (access("/dev/shm", W_OK) == 0 ? std::string("/dev/shm") : std::string("/tmp")) +
                                    "/csq_fuzz_" + std::to_string(getpid()) + ".zip";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return path;
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);
    return path;
}

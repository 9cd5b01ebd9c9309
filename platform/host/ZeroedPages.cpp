#include "platform/host/ZeroedPages.h"

#include <sys/mman.h>

#include <new>

namespace host {

void* MapZeroedPages(size_t bytes) {
    void* pages = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (pages == MAP_FAILED) throw std::bad_alloc();
    return pages;
}

void UnmapZeroedPages(void* pages, size_t bytes) {
    if (pages) munmap(pages, bytes);
}

}  // namespace host

#pragma once
// Memory that reads as zeros and costs nothing until written: an anonymous
// mapping whose pages are given one by one at their first write. For large
// pools of which a small part is used.
#include <cstddef>

namespace host {

// Throws std::bad_alloc when the system refuses, as new would.
void* MapZeroedPages(size_t bytes);
void UnmapZeroedPages(void* pages, size_t bytes);

}  // namespace host

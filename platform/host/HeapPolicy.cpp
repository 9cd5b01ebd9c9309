#include "platform/host/HeapPolicy.h"

#include <cstdlib>  // names the C library
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace host {

bool KeepLargeBlocksApart() {
#if defined(__GLIBC__)
    return mallopt(M_MMAP_THRESHOLD, kOwnPagesFrom) == 1;
#else
    return false;
#endif
}

}  // namespace host

#pragma once
// How the process heap gives memory back. By default the C library raises its
// threshold for mapping a block of its own each time such a block is freed,
// so after the first pictures are let go every later picture-sized block comes
// from the heap and leaves a hole behind; a window battle kept 18 MiB of them.

namespace host {

// Blocks of this size or more get pages of their own, handed back when freed.
constexpr int kOwnPagesFrom = 256 * 1024;

// Fixes that threshold at kOwnPagesFrom for the rest of the process (above
// the software renderer's 64 KiB per-frame blocks, below a 256 × 256 picture).
// False where the C library has no such setting.
bool KeepLargeBlocksApart();

}  // namespace host

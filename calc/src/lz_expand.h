// Copying one open file into another, expanding the LZ ("SZDD") compressed
// format on the way.  Used by CopyFile; nothing here is exported.
#pragma once

#include <cstddef>

namespace qv {

// Bytes moved per read or write call; the buffers live on the stack.
inline constexpr std::size_t kCopyChunk = 16384;

enum class LzOutcome {
    Ok,
    ReadFailed,   // reading the source failed; error holds errno
    WriteFailed,  // writing the destination failed; error holds errno
    Damaged,      // the source claims to be SZDD but cannot be expanded
};

struct LzResult {
    LzOutcome Outcome;
    int Error;
};

// Reads `in` to its end and writes it to `out`: expanded when it starts with
// the SZDD signature, byte for byte otherwise.  Both descriptors are used
// from their current positions and are left open.
LzResult LzCopy(int in, int out);

}  // namespace qv

// The message array of CopyFile, shared by its Linux and Windows versions.
// Nothing here is exported.
#pragma once

#include <cstdint>

namespace qv {

// The caller's message array: `high` is its upper bound, so it holds at most
// `high` characters and the terminating NUL.
struct Report {
    char *Message;
    int32_t High;
};

// Writes the formatted text into the caller's array, cut to its upper bound
// without leaving half of a UTF-8 character behind.  Does nothing when the
// caller passed no array.
__attribute__((format(printf, 2, 3))) void Say(const Report &r, const char *format, ...);

}  // namespace qv

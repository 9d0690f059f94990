// Writing a whole buffer to a file descriptor: write() may take only part
// of it (a pipe, a terminal, a signal arriving meanwhile), so the rest is
// written again until nothing is left.
#pragma once

#include <cstddef>

namespace zenlume {

// Writes all `size` bytes at `data` to `fd`, retrying a write that a signal
// interrupted (EINTR).  False when a write fails or writes nothing; errno
// then holds the system's reason (EIO for a write that wrote nothing).
bool WriteAll(int fd, const void *data, size_t size);

}  // namespace zenlume

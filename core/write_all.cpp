#include "write_all.h"

#include <cerrno>
#include <unistd.h>

namespace zenlume {

bool WriteAll(int fd, const void *data, size_t size)
{
    const char *next = static_cast<const char *>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, next, size);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = EIO;
        if (n <= 0) return false;
        next += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

}  // namespace zenlume

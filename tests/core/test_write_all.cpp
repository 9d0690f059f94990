// WriteAll: every byte reaches the descriptor in order, also when signals
// cut the writes short, and a failure leaves the system's reason in errno.
#include "write_all.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <pthread.h>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

using namespace zenlume;

// 4 MiB, many times a pipe's buffer, in bytes that differ from one
// position to the next, so that a piece lost or written twice shows.
TEST(WriteAll, EveryByteArrivesThoughSignalsInterruptTheWrites)
{
    std::string data(4u << 20, '\0');
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 7 + i / 251);
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    struct sigaction action = {}, previous = {};
    action.sa_handler = [](int) {};  // no SA_RESTART: a blocked write ends early
    ::sigaction(SIGUSR1, &action, &previous);

    bool written = false;
    std::thread writer([&] {
        written = WriteAll(ends[1], data.data(), data.size());
        ::close(ends[1]);
    });
    // Signals while the pipe is full and nothing is read: the first cuts
    // the blocked write short, each later one ends a write that wrote
    // nothing (EINTR).
    for (int i = 0; i < 5; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        ::pthread_kill(writer.native_handle(), SIGUSR1);
    }
    std::string received;
    char piece[65536];
    for (ssize_t n; (n = ::read(ends[0], piece, sizeof piece)) > 0;) received.append(piece, static_cast<size_t>(n));
    writer.join();
    ::close(ends[0]);
    ::sigaction(SIGUSR1, &previous, nullptr);
    EXPECT_TRUE(written);
    EXPECT_TRUE(received == data) << received.size() << " of " << data.size() << " bytes";
}

TEST(WriteAll, FailureLeavesTheSystemsReason)
{
    const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    errno = 0;
    EXPECT_FALSE(WriteAll(full, "text", 4));
    EXPECT_EQ(errno, ENOSPC);
    ::close(full);
    EXPECT_TRUE(WriteAll(-1, "", 0)) << "nothing to write touches no descriptor";
}

}  // namespace

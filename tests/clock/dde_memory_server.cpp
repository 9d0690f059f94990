// A clock's publication alone, in a process of its own, for the memory test
// of the publication (test_dde.cpp): it publishes under the service name
// given as its argument, says "ready" on standard output, and answers each
// line "memory" on standard input with its own peak and resident sizes from
// /proc/self/status ("VmHWM <kB> VmRSS <kB>").  It ends when standard input
// closes.
#include "dde_server.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QSocketNotifier>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

namespace {

long StatusKiB(const std::string &field)
{
    std::ifstream status("/proc/self/status");
    std::string name;
    long kib = -1;
    while (status >> name) {
        if (name == field + ":") {
            status >> kib;
            break;
        }
        status.ignore(1 << 12, '\n');
    }
    return kib;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) return 2;
    zenlume::TDdeServer server;
    std::string why;
    if (!server.Publish(QDBusConnection::sessionBus(), QString::fromLocal8Bit(argv[1]), &why)) {
        std::fprintf(stderr, "dde_memory_server: %s\n", why.c_str());
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        std::string line;
        if (!std::getline(std::cin, line)) {
            input.setEnabled(false);
            QCoreApplication::quit();
            return;
        }
        if (line == "memory") std::printf("VmHWM %ld VmRSS %ld\n", StatusKiB("VmHWM"), StatusKiB("VmRSS"));
        std::fflush(stdout);
    });
    return app.exec();
}

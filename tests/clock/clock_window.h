// The main window under test: a clock on a settings file of the test's own
// in a scratch folder, with the other windows beside it, the time stepped by
// the test and the clock's messages recorded instead of shown.
#pragma once

#include "frm_about.h"
#include "frm_clock.h"
#include "frm_options.h"
#include "frm_positions.h"
#include "frm_qv4.h"
#include "temp_dir.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace zenlume::test {

inline std::string ReadAll(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline LocalDateTime Minute(int day, int hour, int minute) { return LocalDateTime{2026, 12, day, hour, minute, 0, 0}; }

// Waits for the window system to deliver what a call asked for.
inline void Settle()
{
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QTest::qWait(20);
    }
}

class ClockWindow : public testing::Test {
protected:
    void TearDown() override { clock_.reset(); }
    void Start(const std::string &ini = "[Place]\nNS=1\nLatD=51\nLatM=30\nEW=1\nLongD=0\nLongM=7\n")
    {
        if (!ini.empty()) std::ofstream(path_) << ini;
        clock_ = std::make_unique<TfrmClock>(path_);
        clock_->Session().SetTimeSource([this] { return clock_->Session().Zone().Resolve(now_).Earlier; });
        clock_->SetNotifier([this](const QString &, const QString &text, bool isError) {
            messages_.push_back({text.toStdString(), isError});
        });
        clock_->SetQuitQuestion([this](const QString &, const QString &text) {
            questions_.push_back(text.toStdString());
            return quitAnswer_;
        });
        clock_->SetWindows(&positions_, &options_, &about_, &qv4_);
    }

    TempDir dir_{"zenlume-clock"};
    std::string path_ = dir_.Path() + "/zenlume.ini";
    LocalDateTime now_ = Minute(7, 21, 40);
    std::vector<std::pair<std::string, bool>> messages_;
    std::vector<std::string> questions_;  // "Exit"'s question when the file cannot be written
    bool quitAnswer_ = false;             // its answer: quit without saving (true) or cancel
    TfrmPositions positions_;
    TfrmOptions options_;
    TfrmQV4 qv4_;
    TfrmAbout about_{&qv4_};
    std::unique_ptr<TfrmClock> clock_;
};

}  // namespace zenlume::test

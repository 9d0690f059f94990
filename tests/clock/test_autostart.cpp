// The autostart entry: where it lives, turning it on and off in a scratch
// configuration folder, refused writes, entries the user edited, and the
// quoting of the program's path in Exec (freedesktop.org desktop entries,
// version 1.5, section "The Exec key").
#include "autostart.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace zenlume {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable (or unsets it for nullopt) for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char *name, const std::optional<std::string> &value) : name_(name)
    {
        if (const char *old = std::getenv(name)) old_ = old;
        if (value) ::setenv(name, value->c_str(), 1);
        else ::unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (old_) ::setenv(name_, old_->c_str(), 1);
        else ::unsetenv(name_);
    }

private:
    const char *name_;
    std::optional<std::string> old_;
};

std::string ReadText(const fs::path &path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const fs::path &path, const std::string &text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path) << text;
}

int CountLines(const std::string &text, const std::string &prefix)
{
    int count = 0;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) count += line.rfind(prefix, 0) == 0;
    return count;
}

std::string SelfExe()
{
    return fs::read_symlink("/proc/self/exe").string();
}

// Each test gets its own configuration folder under the build's scratch folder.
class AutostartTest : public testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(ZENLUME_TEST_TMP);
        std::string pattern = std::string(ZENLUME_TEST_TMP) + "/autostart-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        scratch_ = pattern;
        config_.emplace("XDG_CONFIG_HOME", (scratch_ / "config").string());
    }
    void TearDown() override
    {
        config_.reset();
        fs::remove_all(scratch_);
    }
    fs::path Entry() const { return scratch_ / "config/autostart/zenlume.desktop"; }

    fs::path scratch_;
    std::optional<ScopedEnv> config_;
};

struct PathCase {
    const char *Name;
    std::optional<std::string> ConfigHome;
    std::string Expected;
};

class AutostartPathTest : public testing::TestWithParam<PathCase> {};

TEST_P(AutostartPathTest, FollowsTheConfigurationFolder)
{
    const ScopedEnv home("HOME", "/home/user");
    const ScopedEnv config("XDG_CONFIG_HOME", GetParam().ConfigHome);
    EXPECT_EQ(AutostartPath(), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Environment, AutostartPathTest,
    testing::Values(PathCase{"AbsoluteConfigHome", "/srv/cfg", "/srv/cfg/autostart/zenlume.desktop"},
                    PathCase{"RelativeConfigHomeIgnored", "cfg", "/home/user/.config/autostart/zenlume.desktop"},
                    PathCase{"EmptyConfigHome", "", "/home/user/.config/autostart/zenlume.desktop"},
                    PathCase{"UnsetConfigHome", std::nullopt, "/home/user/.config/autostart/zenlume.desktop"}),
    [](const testing::TestParamInfo<PathCase> &info) { return info.param.Name; });

TEST_F(AutostartTest, OnOffOnRoundTrip)
{
    std::string error;
    ASSERT_TRUE(SetAutostart(true, &error)) << error;
    EXPECT_TRUE(IsAutostartOn());
    const std::string text = ReadText(Entry());
    EXPECT_EQ(text.rfind("[Desktop Entry]\n", 0), 0u) << text;
    EXPECT_EQ(CountLines(text, "Type=Application"), 1) << text;
    EXPECT_EQ(CountLines(text, "Exec=" + SelfExe()), 1) << text;
    EXPECT_EQ(fs::status(Entry().parent_path()).permissions() & fs::perms::all, fs::perms::owner_all);

    ASSERT_TRUE(SetAutostart(false, &error)) << error;
    EXPECT_FALSE(fs::exists(Entry()));
    EXPECT_FALSE(IsAutostartOn());
    EXPECT_TRUE(SetAutostart(false, &error)) << "turning off an absent entry: " << error;

    ASSERT_TRUE(SetAutostart(true, &error)) << error;
    EXPECT_TRUE(IsAutostartOn());
}

TEST_F(AutostartTest, FolderUnderARegularFileIsRefused)
{
    WriteText(scratch_ / "file", "not a folder\n");
    const ScopedEnv config("XDG_CONFIG_HOME", (scratch_ / "file/config").string());
    std::string error;
    EXPECT_FALSE(SetAutostart(true, &error));
    EXPECT_NE(error.find("Unable to create the folder " + (scratch_ / "file/config").string()), std::string::npos)
        << error;
    EXPECT_FALSE(fs::exists(AutostartPath()));
    EXPECT_FALSE(IsAutostartOn());
    EXPECT_TRUE(SetAutostart(false, &error)) << "nothing there to remove: " << error;
}

TEST_F(AutostartTest, FolderInPlaceOfTheEntryIsRefused)
{
    fs::create_directories(Entry());
    std::string error;
    EXPECT_FALSE(SetAutostart(true, &error));
    EXPECT_NE(error.find(Entry().string()), std::string::npos) << error;
    EXPECT_FALSE(SetAutostart(false, &error));
    EXPECT_NE(error.find("Unable to remove the autostart entry " + Entry().string()), std::string::npos) << error;
    EXPECT_FALSE(IsAutostartOn());
}

TEST_F(AutostartTest, TurningOnKeepsTheUsersEditsAndClearsHidden)
{
    WriteText(Entry(), "# my own entry\n[Desktop Entry]\nType=Application\nExec=/old/place/zenlume\n"
                       "Hidden=true\nX-GNOME-Autostart-Delay=30\n");
    ASSERT_FALSE(IsAutostartOn());
    std::string error;
    ASSERT_TRUE(SetAutostart(true, &error)) << error;
    EXPECT_TRUE(IsAutostartOn());
    const std::string text = ReadText(Entry());
    EXPECT_EQ(CountLines(text, "# my own entry"), 1) << text;
    EXPECT_EQ(CountLines(text, "X-GNOME-Autostart-Delay=30"), 1) << text;
    EXPECT_EQ(CountLines(text, "Hidden=false"), 1) << text;
    EXPECT_EQ(CountLines(text, "Exec="), 1) << text;
    EXPECT_EQ(CountLines(text, "Exec=" + SelfExe()), 1) << text;
}

struct EntryCase {
    const char *Name;
    std::optional<std::string> Text;  // nullopt: no entry at all
    bool On;
};

class AutostartEntryTest : public AutostartTest, public testing::WithParamInterface<EntryCase> {};

TEST_P(AutostartEntryTest, IsAutostartOnReadsTheEntry)
{
    if (GetParam().Text) WriteText(Entry(), *GetParam().Text);
    EXPECT_EQ(IsAutostartOn(), GetParam().On);
}

constexpr char kEntry[] = "[Desktop Entry]\nType=Application\nExec=zenlume\n";

INSTANTIATE_TEST_SUITE_P(
    Entries, AutostartEntryTest,
    testing::Values(EntryCase{"Absent", std::nullopt, false}, EntryCase{"Plain", std::string(kEntry), true},
                    EntryCase{"HiddenTrue", std::string(kEntry) + "Hidden=true\n", false},
                    EntryCase{"HiddenFalse", std::string(kEntry) + "Hidden=false\n", true},
                    EntryCase{"GnomeDisabled", std::string(kEntry) + "X-GNOME-Autostart-enabled=false\n", false},
                    EntryCase{"GnomeEnabled", std::string(kEntry) + "X-GNOME-Autostart-enabled=true\n", true},
                    EntryCase{"NoExec", std::string("[Desktop Entry]\nType=Application\n"), false},
                    EntryCase{"ExecOnlyInAnAction", std::string("[Desktop Action clock]\nExec=zenlume\n"), false},
                    EntryCase{"Empty", std::string(), false}),
    [](const testing::TestParamInfo<EntryCase> &info) { return info.param.Name; });

struct ExecCase {
    const char *Name;
    std::string Path;
    std::optional<std::string> Exec;  // as written in the file
};

class DesktopExecArgumentTest : public testing::TestWithParam<ExecCase> {};

TEST_P(DesktopExecArgumentTest, QuotesAndEscapes)
{
    EXPECT_EQ(DesktopExecArgument(GetParam().Path), GetParam().Exec);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, DesktopExecArgumentTest,
    testing::Values(ExecCase{"Plain", "/usr/bin/zenlume", "/usr/bin/zenlume"},
                    ExecCase{"Space", "/opt/my apps/zenlume", R"("/opt/my apps/zenlume")"},
                    ExecCase{"Dollar", "/opt/$x/zenlume", R"("/opt/\\$x/zenlume")"},
                    ExecCase{"Backslash", R"(/opt/a\b/zenlume)", R"("/opt/a\\\\b/zenlume")"},
                    ExecCase{"DoubleQuote", R"(/opt/a"b/zenlume)", R"("/opt/a\\"b/zenlume")"},
                    ExecCase{"SingleQuote", "/opt/it's/zenlume", R"("/opt/it's/zenlume")"},
                    ExecCase{"Percent", "/opt/100%/zenlume", "/opt/100%%/zenlume"},
                    ExecCase{"Utf8", "/opt/Z\xC3\xBCrich/zenlume", "/opt/Z\xC3\xBCrich/zenlume"},
                    ExecCase{"LineFeed", "/opt/a\nb/zenlume", std::nullopt},
                    ExecCase{"NotUtf8", "/opt/Z\xFCrich/zenlume", std::nullopt}),
    [](const testing::TestParamInfo<ExecCase> &info) { return info.param.Name; });

}  // namespace
}  // namespace zenlume

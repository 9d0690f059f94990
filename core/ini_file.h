// A small INI file: reads values by section and key (case-insensitive, the
// first occurrence wins, surrounding blanks and one pair of quotes removed)
// and changes values in place, so that every other line of the file -
// unknown keys and sections, comments, blank lines - survives a write.
// Saving is atomic: a temporary file beside the target, flushed to disk and
// renamed over it, so a failed write leaves the previous file intact.
#pragma once

#include <cstddef>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zenlume {

class IniFile {
public:
    // Replaces the contents with the file at `path`; a missing file reads as
    // empty and is no failure.  An unreadable file, one beyond kMaxBytes or
    // kMaxLines, a directory, a FIFO or a device (never waited on), or a loop
    // of symbolic links, leaves the contents empty and returns false with
    // the reason in `error` (when given).  A UTF-8 byte-order mark at the
    // start is skipped, and Text() puts it back.
    bool Load(const std::string &path, std::string *error = nullptr);
    static IniFile Parse(std::string_view text);

    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    void Set(std::string_view section, std::string_view key, std::string_view value);

    std::string Text() const;
    // Writes the file atomically (SaveFile, refusing anything but a regular
    // file); false, with the reason in `error` (when given), on failure.
    // Contents beyond kMaxBytes or kMaxLines are never written: they could
    // not be read back.
    bool Save(const std::string &path, std::string *error) const;

    // Files larger than this, or with more lines, are not read as settings
    // (and not rewritten).  A settings file has a few dozen lines; the line
    // limit keeps a file of nothing but line ends from costing a line record
    // per byte.
    static constexpr size_t kMaxBytes = 16u << 20;
    static constexpr size_t kMaxLines = 100000;

private:
    struct Line {
        std::string Text;  // without its line ending
    };
    // Index of the line "[section]" of the first such section, or -1.
    int FindSection(std::string_view section) const;
    // Index of the key's line inside the section starting at `header`, or -1.
    int FindKey(int header, std::string_view key) const;
    int SectionEnd(int header) const;

    std::vector<Line> lines_;
    std::string newline_ = "\n";
    bool byteOrderMark_ = false;  // the file began with a UTF-8 byte-order mark
    bool tooLarge_ = false;
};

// What SaveFile does with an existing target that is neither a regular
// file nor a folder (a device, a FIFO).
enum class OtherTargets {
    kRefuse,     // fails with "not a regular file"
    kWriteInto,  // writes the data into it as it stands, never replacing it
};

// Writes `data` as the whole contents of the file at `path`.  A symbolic
// link is followed to the file it names, even one that does not exist yet,
// so the link stays.  A regular file is replaced atomically: a temporary
// file "<name>.XXXXXX" beside it, flushed to disk and renamed over it,
// keeping the file's permissions; temporary files of that name older than
// kStaleTemporarySeconds (left by a writer that was killed) are removed on
// the way.  A file without write permission is refused, also for root.
// False, with the system's reason in `error` (when given), on failure.
bool SaveFile(const std::string &path, std::string_view data, OtherTargets others, std::string *error);

inline constexpr int kStaleTemporarySeconds = 60;

}  // namespace zenlume

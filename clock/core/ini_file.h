// A small INI file: reads values by section and key (case-insensitive, the
// first occurrence wins, surrounding blanks and one pair of quotes removed)
// and changes values in place, so that every other line of the file -
// unknown keys and sections, comments, blank lines - survives a write.
// Saving is atomic: a temporary file beside the target, flushed to disk and
// renamed over it, so a failed write leaves the previous file intact.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zenlume {

class IniFile {
public:
    // Replaces the contents with the file at `path`; a missing file reads as
    // empty and is no failure.  An unreadable or oversized file, or a
    // directory, leaves the contents empty and returns false with the reason
    // in `error` (when given).
    bool Load(const std::string &path, std::string *error = nullptr);
    static IniFile Parse(std::string_view text);

    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    void Set(std::string_view section, std::string_view key, std::string_view value);

    std::string Text() const;
    // Writes the file atomically; false, with the reason in `error` (when
    // given), on failure.
    bool Save(const std::string &path, std::string *error) const;

    // Files larger than this are not read as settings (and not rewritten).
    static constexpr size_t kMaxBytes = 16u << 20;

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
    bool tooLarge_ = false;
};

}  // namespace zenlume

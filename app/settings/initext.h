#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "settingsstore.h"

namespace metrivo {

// The text of an INI settings file, read leniently and changed without
// touching anything but the keys that are set.
//
// Lines end in "\n", "\r\n" or "\r"; a UTF-8 byte order mark at the start is
// skipped. A line is blank, a comment (its first non-blank character is ';' or
// '#'), a section header ("[name]"; whatever follows the bracket is ignored)
// or an entry "key=value", key and value trimmed of blanks. A value that
// starts with a double quote runs to the closing quote, with \" and \\ for a
// quote and a backslash; any other value ends before a ';'. A section may
// appear several times: its entries are read together, and of a key given
// more than once the last counts. Entries before the first header belong to
// no section.
//
// The text is damaged when it holds a NUL byte, is not UTF-8, or has a line
// that is none of the above (text without "=", a header without its closing
// bracket): it may be another program's file rather than settings. Damaged
// lines are still read where they can be, and a write keeps them as they are.
class IniText {
  public:
    using Entry = SettingsEntry;

    explicit IniText(std::string text = {});

    const std::string& text() const { return text_; }

    // The value of `key` in `section`, or nothing when it is not there.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    bool Damaged() const;

    // Sets each of `entries` in `section`, changing the text where it is:
    // every line of a key that is there gets the new value (a key given
    // twice, both lines); keys that are not there are added in the order
    // given, after the last entry of the section's last appearance, or in a
    // new section at the end. Every other byte stays as it was. Throws
    // std::invalid_argument, changing nothing, for a section, key or value
    // that would not read back as it is.
    void Set(std::string_view section, const std::vector<Entry>& entries);
    // The text as Set would make it.
    std::string With(std::string_view section, const std::vector<Entry>& entries) const;

    // True when `text` is valid UTF-8 (no overlong forms, no surrogates).
    static bool IsUtf8(std::string_view text);

  private:
    struct Range {
        std::size_t begin;
        std::size_t end;
    };
    // Where a section's lines are, and the header line of its last
    // appearance (its end is where a new key goes when it has no entries).
    struct SectionIndex {
        std::vector<Range> bodies;
        Range lastHeader{0, 0};
    };

    // Where the last line of each key of a section is, found in one pass
    // over the section: a file that gives a key a million times is read once,
    // not once for every key looked up. At most kMaxIndexedKeys different
    // keys; when a section has more, the keys not indexed are looked for in
    // the text itself.
    static constexpr std::size_t kMaxIndexedKeys = 4096;
    struct KeyIndex {
        std::unordered_map<std::string_view, std::size_t> lastLine;  // by key
        bool complete = true;
    };

    const SectionIndex& Sections(std::string_view name) const;
    const KeyIndex& Keys(std::string_view section) const;
    std::string_view LineEnding() const;
    bool LastLineIsBlank() const;

    std::string text_;
    std::size_t start_ = 0;  // after a byte order mark
    mutable std::map<std::string, SectionIndex, std::less<>> sections_;
    mutable std::map<std::string, KeyIndex, std::less<>> keys_;  // by section
    mutable std::map<std::string, std::optional<std::string>, std::less<>> values_;
    mutable std::optional<bool> damaged_;
};

}  // namespace metrivo

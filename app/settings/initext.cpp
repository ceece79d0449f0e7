#include "initext.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <unordered_map>

namespace metrivo {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimLeft(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    return text;
}

std::string_view Trim(std::string_view text) {
    text = TrimLeft(text);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

struct Line {
    std::size_t begin;  // of the text
    std::size_t end;    // of the text, where the line ending starts
    std::size_t next;   // where the next line starts
};

// The lines of a text from a start, found with memchr: the next line feed
// and the next carriage return are each looked for once, not at every line.
class LineReader {
  public:
    LineReader(std::string_view text, std::size_t start) : text_(text), pos_(start) {}

    bool Next(Line& line) {
        if (pos_ >= text_.size()) return false;
        const std::size_t end = std::min(Find('\n', lineFeed_), Find('\r', carriageReturn_));
        std::size_t next = end;
        if (end < text_.size()) {
            ++next;
            if (text_[end] == '\r' && next < text_.size() && text_[next] == '\n') ++next;
        }
        line = {pos_, end, next};
        pos_ = next;
        return true;
    }

  private:
    std::size_t Find(char c, std::size_t& cached) const {
        if (cached != kUnknown && cached >= pos_) return cached;
        const void* found = std::memchr(text_.data() + pos_, c, text_.size() - pos_);
        cached = found == nullptr
                     ? text_.size()
                     : static_cast<std::size_t>(static_cast<const char*>(found) - text_.data());
        return cached;
    }

    static constexpr std::size_t kUnknown = static_cast<std::size_t>(-1);
    std::string_view text_;
    std::size_t pos_;
    std::size_t lineFeed_ = kUnknown;
    std::size_t carriageReturn_ = kUnknown;
};

enum class Kind { kBlank, kComment, kHeader, kEntry, kJunk };

Kind KindOf(std::string_view content) {
    const std::string_view text = TrimLeft(content);
    if (text.empty()) return Kind::kBlank;
    if (text.front() == ';' || text.front() == '#') return Kind::kComment;
    if (text.front() == '[') return Kind::kHeader;
    return text.find('=') == std::string_view::npos ? Kind::kJunk : Kind::kEntry;
}

// The name of a header line, and whether its bracket is closed.
std::string_view HeaderName(std::string_view content, bool* closed = nullptr) {
    std::string_view text = TrimLeft(content);
    text.remove_prefix(1);
    const std::size_t bracket = text.find(']');
    if (closed != nullptr) *closed = bracket != std::string_view::npos;
    return Trim(text.substr(0, bracket));
}

std::string_view EntryKey(std::string_view content) {
    return Trim(content.substr(0, content.find('=')));
}

std::string DecodeValue(std::string_view content) {
    const std::string_view raw = Trim(content.substr(content.find('=') + 1));
    if (raw.empty() || raw.front() != '"') {
        return std::string(Trim(raw.substr(0, raw.find(';'))));
    }
    std::string value;
    for (std::size_t i = 1; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '"') break;
        if (c == '\\' && i + 1 < raw.size() && (raw[i + 1] == '"' || raw[i + 1] == '\\')) {
            value += raw[++i];
        } else {
            value += c;
        }
    }
    return value;
}

std::string EncodeValue(std::string_view value) {
    const bool quoted =
        !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) ||
                           value.front() == '"' || value.find(';') != std::string_view::npos);
    if (!quoted) return std::string(value);
    std::string text = "\"";
    for (const char c : value) {
        if (c == '"' || c == '\\') text += '\\';
        text += c;
    }
    return text + '"';
}

// A range of the text and the replacement text it gets (an index into the
// texts of one write).
struct Edit {
    std::size_t begin;
    std::size_t end;
    std::size_t text;
};

// Replaces the range of each edit by its text, in place and in one pass: the
// stretches kept between the edits move towards the start first, from the
// front, then towards the end, from the back, so that none is overwritten
// before it has moved, and every byte moves at most once. A write costs the
// size of the text however many lines it changes. `edits` are in order and
// do not overlap.
void Replace(std::string& text, const std::vector<Edit>& edits,
             const std::vector<std::string>& texts) {
    if (edits.empty()) return;
    const std::size_t oldSize = text.size();
    std::ptrdiff_t growth = 0;
    for (const Edit& edit : edits) {
        growth += static_cast<std::ptrdiff_t>(texts[edit.text].size()) -
                  static_cast<std::ptrdiff_t>(edit.end - edit.begin);
    }
    const std::size_t newSize = oldSize + static_cast<std::size_t>(growth);
    if (newSize > oldSize) text.resize(newSize);
    char* const data = text.data();
    // The stretch after edit k - 1 runs to edit k, and shifts by the growth
    // of the edits before it.
    const auto stretchEnd = [&](std::size_t k) {
        return k < edits.size() ? edits[k].begin : oldSize;
    };
    std::ptrdiff_t shift = 0;
    for (std::size_t k = 0; k <= edits.size(); ++k) {
        const std::size_t from = k == 0 ? 0 : edits[k - 1].end;
        if (shift < 0) std::memmove(data + from + shift, data + from, stretchEnd(k) - from);
        if (k < edits.size()) {
            shift += static_cast<std::ptrdiff_t>(texts[edits[k].text].size()) -
                     static_cast<std::ptrdiff_t>(edits[k].end - edits[k].begin);
        }
    }
    for (std::size_t k = edits.size() + 1; k-- > 0;) {
        if (k < edits.size()) {
            shift -= static_cast<std::ptrdiff_t>(texts[edits[k].text].size()) -
                     static_cast<std::ptrdiff_t>(edits[k].end - edits[k].begin);
        }
        const std::size_t from = k == 0 ? 0 : edits[k - 1].end;
        if (shift > 0) std::memmove(data + from + shift, data + from, stretchEnd(k) - from);
    }
    // The new texts go into the gaps that are left.
    for (const Edit& edit : edits) {
        const std::string& replacement = texts[edit.text];
        std::memcpy(data + edit.begin + shift, replacement.data(), replacement.size());
        shift += static_cast<std::ptrdiff_t>(replacement.size()) -
                 static_cast<std::ptrdiff_t>(edit.end - edit.begin);
    }
    text.resize(newSize);
}

bool HasLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

void CheckName(std::string_view name, std::string_view forbidden, const char* what) {
    if (name.empty() || name != Trim(name) || HasLineBreakOrNul(name) ||
        name.find_first_of(forbidden) != std::string_view::npos || !IniText::IsUtf8(name)) {
        throw std::invalid_argument(std::string("not a writable settings ") + what);
    }
}

void CheckEntry(const IniText::Entry& entry) {
    CheckName(entry.key, "=", "key");
    if (KindOf(entry.key) != Kind::kJunk)
        throw std::invalid_argument("not a writable settings key");
    if (HasLineBreakOrNul(entry.value) || !IniText::IsUtf8(entry.value)) {
        throw std::invalid_argument("not a writable settings value");
    }
}

}  // namespace

IniText::IniText(std::string text) : text_(std::move(text)) {
    if (std::string_view(text_).substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        start_ = kByteOrderMark.size();
    }
}

bool IniText::IsUtf8(std::string_view text) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    std::size_t i = 0;
    while (i < size) {
        // Eight ASCII bytes at a time.
        if (i + 8 <= size) {
            std::uint64_t block;
            std::memcpy(&block, bytes + i, sizeof block);
            if ((block & 0x8080808080808080ULL) == 0) {
                i += 8;
                continue;
            }
        }
        const unsigned char lead = bytes[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;   // overlong
            if (lead == 0xED) high = 0x9F;  // surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;   // overlong
            if (lead == 0xF4) high = 0x8F;  // beyond U+10FFFF
        } else {
            return false;
        }
        if (size - i < length) return false;
        if (bytes[i + 1] < low || bytes[i + 1] > high) return false;
        for (std::size_t k = 2; k < length; ++k) {
            if (bytes[i + k] < 0x80 || bytes[i + k] > 0xBF) return false;
        }
        i += length;
    }
    return true;
}

const IniText::SectionIndex& IniText::Sections(std::string_view name) const {
    const auto known = sections_.find(name);
    if (known != sections_.end()) return known->second;
    SectionIndex index;
    // Entries before the first header belong to the section without a name.
    bool inside = name.empty();
    if (inside) index.bodies.push_back({start_, start_});
    LineReader lines(text_, start_);
    for (Line line; lines.Next(line);) {
        const std::string_view content(text_.data() + line.begin, line.end - line.begin);
        // A header is known by its first character; no need to look further.
        const std::string_view text = TrimLeft(content);
        if (!text.empty() && text.front() == '[') {
            inside = HeaderName(content) == name;
            if (inside) {
                index.lastHeader = {line.begin, line.next};
                index.bodies.push_back({line.next, line.next});
            }
        } else if (inside) {
            index.bodies.back().end = line.next;
        }
    }
    return sections_.emplace(std::string(name), std::move(index)).first->second;
}

const IniText::KeyIndex& IniText::Keys(std::string_view section) const {
    const auto known = keys_.find(section);
    if (known != keys_.end()) return known->second;
    KeyIndex index;
    for (const Range& body : Sections(section).bodies) {
        LineReader lines(std::string_view(text_).substr(0, body.end), body.begin);
        for (Line line; lines.Next(line);) {
            const std::string_view content(text_.data() + line.begin, line.end - line.begin);
            if (KindOf(content) != Kind::kEntry) continue;
            const std::string_view key = EntryKey(content);
            const auto found = index.lastLine.find(key);
            if (found != index.lastLine.end()) {
                found->second = line.begin;
            } else if (index.lastLine.size() < kMaxIndexedKeys) {
                index.lastLine.emplace(key, line.begin);
            } else {
                index.complete = false;
            }
        }
    }
    return keys_.emplace(std::string(section), std::move(index)).first->second;
}

std::optional<std::string> IniText::Value(std::string_view section, std::string_view key) const {
    std::string cacheKey(section);
    cacheKey += '\n';
    cacheKey += key;
    const auto known = values_.find(cacheKey);
    if (known != values_.end()) return known->second;

    std::optional<std::string> value;
    const KeyIndex& index = Keys(section);
    const auto indexed = index.lastLine.find(key);
    if (indexed != index.lastLine.end()) {
        Line line{};
        LineReader(text_, indexed->second).Next(line);
        value = DecodeValue(std::string_view(text_.data() + line.begin, line.end - line.begin));
        return values_.emplace(std::move(cacheKey), std::move(value)).first->second;
    }
    if (index.complete) return values_.emplace(std::move(cacheKey), std::nullopt).first->second;
    for (const Range& body : Sections(section).bodies) {
        LineReader lines(std::string_view(text_).substr(0, body.end), body.begin);
        for (Line line; lines.Next(line);) {
            const std::string_view content(text_.data() + line.begin, line.end - line.begin);
            if (KindOf(content) == Kind::kEntry && EntryKey(content) == key) {
                value = DecodeValue(content);
            }
        }
    }
    return values_.emplace(std::move(cacheKey), std::move(value)).first->second;
}

bool IniText::Damaged() const {
    if (damaged_) return *damaged_;
    bool damaged = std::memchr(text_.data(), '\0', text_.size()) != nullptr || !IsUtf8(text_);
    LineReader lines(text_, start_);
    for (Line line; !damaged && lines.Next(line);) {
        const std::string_view content(text_.data() + line.begin, line.end - line.begin);
        const Kind kind = KindOf(content);
        bool closed = true;
        if (kind == Kind::kHeader) HeaderName(content, &closed);
        damaged = kind == Kind::kJunk || !closed;
    }
    damaged_ = damaged;
    return damaged;
}

std::string_view IniText::LineEnding() const {
    const std::size_t at = text_.find_first_of("\r\n", start_);
    if (at == std::string::npos || text_[at] == '\n') return "\n";
    return at + 1 < text_.size() && text_[at + 1] == '\n' ? "\r\n" : "\r";
}

bool IniText::LastLineIsBlank() const {
    std::string_view text = std::string_view(text_).substr(start_);
    if (text.empty()) return true;
    // Without its line end, the last line runs back to the one before.
    if (text.back() == '\n') text.remove_suffix(1);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    const std::size_t before = text.find_last_of("\r\n");
    return Trim(before == std::string_view::npos ? text : text.substr(before + 1)).empty();
}

std::string IniText::With(std::string_view section, const std::vector<Entry>& entries) const {
    IniText changed(text_);
    changed.Set(section, entries);
    return std::move(changed.text_);
}

void IniText::Set(std::string_view section, const std::vector<Entry>& entries) {
    CheckName(section, "]", "section");
    // A key given twice in one call keeps its first place and its last value.
    std::vector<Entry> wanted;
    for (const Entry& entry : entries) {
        CheckEntry(entry);
        const auto same = std::find_if(wanted.begin(), wanted.end(),
                                       [&](const Entry& w) { return w.key == entry.key; });
        if (same == wanted.end()) {
            wanted.push_back(entry);
        } else {
            same->value = entry.value;
        }
    }
    const std::string_view eol = LineEnding();

    // The line of each key; the block of keys to add comes last.
    std::vector<std::string> texts;
    texts.reserve(wanted.size() + 1);
    for (const Entry& entry : wanted) texts.push_back(entry.key + '=' + EncodeValue(entry.value));
    std::vector<bool> present(wanted.size(), false);
    std::unordered_map<std::string_view, std::size_t> wantedIndex;
    for (std::size_t i = 0; i < wanted.size(); ++i) wantedIndex.emplace(wanted[i].key, i);
    std::vector<Edit> edits;
    // One pass over the text, as Sections makes it: the section's entries in
    // each of its appearances, and where its last appearance ends.
    bool inside = false;
    bool seen = false;
    Range lastHeader{0, 0};
    std::size_t afterLastEntry = std::string::npos;
    LineReader lines(text_, start_);
    for (Line line; lines.Next(line);) {
        // An entry, as KindOf and EntryKey take it, looked at once.
        const std::string_view content(text_.data() + line.begin, line.end - line.begin);
        const std::string_view text = TrimLeft(content);
        if (!text.empty() && text.front() == '[') {
            inside = HeaderName(content) == section;
            if (inside) {
                seen = true;
                lastHeader = {line.begin, line.next};
                afterLastEntry = std::string::npos;
            }
            continue;
        }
        if (!inside || text.empty() || text.front() == ';' || text.front() == '#') continue;
        const std::size_t equals = text.find('=');
        if (equals == std::string_view::npos) continue;
        afterLastEntry = line.next;
        const auto entry = wantedIndex.find(Trim(text.substr(0, equals)));
        if (entry == wantedIndex.end()) continue;
        const std::size_t which = entry->second;
        // The line's indent stays.
        edits.push_back({line.end - text.size(), line.end, which});
        present[which] = true;
    }

    std::string added;
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        if (!present[i]) {
            added += texts[i];
            added += eol;
        }
    }
    if (!added.empty()) {
        const bool endsInLineBreak =
            !text_.empty() && (text_.back() == '\n' || text_.back() == '\r');
        std::string prefix;
        std::size_t at = text_.size();
        if (!seen) {
            if (!endsInLineBreak && text_.size() > start_) prefix += eol;
            // A blank line before the new section.
            if (!LastLineIsBlank()) prefix += eol;
            prefix += '[';
            prefix += section;
            prefix += ']';
            prefix += eol;
        } else {
            at = afterLastEntry != std::string::npos ? afterLastEntry : lastHeader.end;
            if (at == text_.size() && !endsInLineBreak) prefix += eol;
        }
        texts.push_back(prefix + added);
        edits.push_back({at, at, texts.size() - 1});
    }

    // The lines were found in order, and the added block goes after the last
    // entry of the last appearance: the edits are in order as Replace needs.
    Replace(text_, edits, texts);
    sections_.clear();
    keys_.clear();
    values_.clear();
    damaged_.reset();
}

}  // namespace metrivo

// Windows profile-file rules over a file read and rewritten whole by every operation.
#include "platform/inifile.h"

#include <cerrno>
#include <climits>
#include <string_view>
#include <vector>

#include "platform/atomicfile.h"
#include "platform/cp1250.h"
#include "platform/errors.h"

namespace krq {

namespace {

constexpr size_t kMaxValue = 2047;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (cp1250::toLower(static_cast<uint8_t>(a[i])) !=
            cp1250::toLower(static_cast<uint8_t>(b[i])))
            return false;
    return true;
}

// One physical line of the file, kept with its own terminator so that a rewrite changes
// nothing but the line that was written.
struct Line {
    std::string_view text;  // without terminator
    std::string_view eol;
};

std::vector<Line> splitLines(std::string_view bytes) {
    std::vector<Line> lines;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            lines.push_back({bytes.substr(pos), {}});
            break;
        }
        size_t eolLen = (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n')
                            ? 2
                            : 1;
        lines.push_back({bytes.substr(pos, end - pos), bytes.substr(end, eolLen)});
        pos = end + eolLen;
    }
    return lines;
}

// The section name of a header line, or nothing.
bool sectionOf(std::string_view line, std::string_view& name) {
    line = trim(line);
    if (line.empty() || line.front() != '[') return false;
    auto close = line.find(']');
    if (close == std::string_view::npos) return false;
    name = trim(line.substr(1, close - 1));
    return true;
}

bool keyOf(std::string_view line, std::string_view& key, std::string_view& value) {
    auto eq = line.find('=');
    if (eq == std::string_view::npos) return false;
    key = trim(line.substr(0, eq));
    value = line.substr(eq + 1);
    return true;
}

// Where a section starts and ends in the line list (header index, one past its last line).
struct SectionSpan {
    size_t header = SIZE_MAX;
    size_t end = SIZE_MAX;
    bool found() const { return header != SIZE_MAX; }
};

SectionSpan findSection(const std::vector<Line>& lines, std::string_view section) {
    SectionSpan span;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string_view name;
        if (!sectionOf(lines[i].text, name)) continue;
        if (span.found()) {
            span.end = i;
            return span;
        }
        if (sameName(name, section)) span.header = i;
    }
    if (span.found()) span.end = lines.size();
    return span;
}

size_t findKey(const std::vector<Line>& lines, const SectionSpan& span, std::string_view key) {
    for (size_t i = span.header + 1; i < span.end; ++i) {
        std::string_view k, v;
        if (keyOf(lines[i].text, k, v) && sameName(k, key)) return i;
    }
    return SIZE_MAX;
}

bool parseInteger(std::string_view s, int& out) {
    if (s.empty()) return false;
    bool negative = false;
    size_t i = 0;
    if (s[0] == '-' || s[0] == '+') {
        negative = s[0] == '-';
        i = 1;
    }
    int base = 10;
    std::string_view rest = s.substr(i);
    if (rest.size() > 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
        base = 16;
        i += 2;
    } else if (rest.size() > 1 && rest[0] == '$') {
        base = 16;
        i += 1;
    }
    if (i >= s.size()) return false;
    unsigned long long value = 0;
    for (; i < s.size(); ++i) {
        char c = s[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
        if (value > 0xFFFFFFFFull) return false;
    }
    if (base == 16) {
        // Hexadecimal spells the 32 bits of the value, so FFFFFFFF is -1.
        auto bits = static_cast<uint32_t>(value);
        if (negative) bits = 0u - bits;
        out = static_cast<int>(bits);
        return true;
    }
    if (negative ? value > 2147483648ull : value > 2147483647ull) return false;
    long long v = negative ? -static_cast<long long>(value) : static_cast<long long>(value);
    out = static_cast<int>(v);
    return true;
}

// A value may not break the line it stands on.
std::string oneLine(const std::string& value) {
    std::string out;
    out.reserve(value.size());
    for (char c : value)
        if (c != '\r' && c != '\n') out += c;
    return out;
}

}  // namespace

TIniFile::TIniFile(std::string path) : path_(std::move(path)) {}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& def) const {
    std::string bytes;
    if (!ReadWholeFile(path_, bytes)) return def;
    auto lines = splitLines(bytes);
    auto span = findSection(lines, section);
    if (!span.found()) return def;
    size_t at = findKey(lines, span, key);
    if (at == SIZE_MAX) return def;
    std::string_view k, value;
    keyOf(lines[at].text, k, value);
    value = trim(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value.substr(0, kMaxValue));
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
    std::string text = ReadString(section, key, std::string());
    int value;
    return parseInteger(trim(text), value) ? value : def;
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

namespace {

// The file's bytes with one key set, every other line kept as it was.
std::string withValue(const std::string& bytes, const std::string& section, const std::string& key,
                      const std::string& value) {
    auto lines = splitLines(bytes);
    // New lines take the line break of the line they follow, so a file keeps its own form.
    auto eolBefore = [&](size_t index) -> std::string {
        for (size_t i = index; i-- > 0;)
            if (!lines[i].eol.empty()) return std::string(lines[i].eol);
        return "\r\n";
    };
    const std::string entry = key + "=" + oneLine(value);

    std::string out;
    out.reserve(bytes.size() + entry.size() + section.size() + 8);
    auto append = [&](size_t from, size_t to) {
        for (size_t i = from; i < to; ++i) {
            out.append(lines[i].text);
            out.append(lines[i].eol);
        }
    };
    auto span = findSection(lines, section);
    if (!span.found()) {
        const std::string eol = eolBefore(lines.size());
        append(0, lines.size());
        if (!lines.empty() && lines.back().eol.empty()) out += eol;
        out += "[" + section + "]" + eol + entry + eol;
    } else if (size_t at = findKey(lines, span, key); at != SIZE_MAX) {
        append(0, at);
        std::string_view oldKey, oldValue;
        keyOf(lines[at].text, oldKey, oldValue);
        out.append(oldKey);
        out += "=" + oneLine(value);
        out.append(lines[at].eol.empty() ? std::string_view() : lines[at].eol);
        append(at + 1, lines.size());
    } else {
        // A new key goes after the section's last non-blank line.
        size_t insertAt = span.end;
        while (insertAt > span.header + 1 && trim(lines[insertAt - 1].text).empty()) --insertAt;
        const std::string eol = eolBefore(insertAt);
        append(0, insertAt);
        if (insertAt > 0 && lines[insertAt - 1].eol.empty()) out += eol;
        out += entry + eol;
        append(insertAt, lines.size());
    }
    return out;
}

}  // namespace

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
    std::string bytes;
    ReadWholeFile(path_, bytes);
    if (!ReplaceFileAtomically(path_, withValue(bytes, section, key, value)))
        raiseUnableToWrite(path_);
}

void TIniFile::WriteValues(const std::vector<TIniValue>& values) {
    std::string bytes;
    ReadWholeFile(path_, bytes);
    for (const auto& v : values) bytes = withValue(bytes, v.Section, v.Key, v.Value);
    if (!ReplaceFileAtomically(path_, bytes)) raiseUnableToWrite(path_);
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
    WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

namespace {

// The file's bytes without the first section of that name (header and lines).
std::string withoutSection(const std::string& bytes, const std::string& section) {
    auto lines = splitLines(bytes);
    auto span = findSection(lines, section);
    if (!span.found()) return bytes;
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i >= span.header && i < span.end) continue;
        out.append(lines[i].text);
        out.append(lines[i].eol);
    }
    return out;
}

}  // namespace

void TIniFile::EraseSection(const std::string& section) {
    std::string bytes;
    if (!ReadWholeFile(path_, bytes)) return;
    std::string out = withoutSection(bytes, section);
    if (out.size() == bytes.size()) return;
    if (!ReplaceFileAtomically(path_, out)) raiseUnableToWrite(path_);
}

void TIniFile::ReplaceSection(const std::string& section, const std::vector<TIniValue>& values) {
    std::string bytes;
    ReadWholeFile(path_, bytes);
    bytes = withoutSection(bytes, section);
    for (const auto& v : values) bytes = withValue(bytes, section, v.Key, v.Value);
    if (!ReplaceFileAtomically(path_, bytes)) raiseUnableToWrite(path_);
}

void TIniFile::DeleteKey(const std::string& section, const std::string& key) {
    std::string bytes;
    if (!ReadWholeFile(path_, bytes)) return;
    auto lines = splitLines(bytes);
    auto span = findSection(lines, section);
    if (!span.found()) return;
    size_t at = findKey(lines, span, key);
    if (at == SIZE_MAX) return;
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i == at) continue;
        out.append(lines[i].text);
        out.append(lines[i].eol);
    }
    if (!ReplaceFileAtomically(path_, out)) raiseUnableToWrite(path_);
}

}  // namespace krq

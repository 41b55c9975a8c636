// Windows profile-file rules over a file parsed once per accessor and rewritten whole by writes.
#include "platform/files/inifile.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <deque>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/cp1250.h"
#include "platform/errors.h"
#include "platform/files/filereader.h"
#include "platform/files/filewriter.h"

namespace krq {

namespace {

constexpr size_t kMaxValue = 2047;

std::atomic<uint64_t> g_parses{0};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Names are looked up by their lower-case form in the code page's case pairs.
std::string Folded(std::string_view name) {
    std::string out(name);
    for (char& c : out) c = static_cast<char>(cp1250::ToLower(static_cast<uint8_t>(c)));
    return out;
}

// The section name of a header line, or nothing.
bool SectionOf(std::string_view line, std::string_view& name) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') return false;
    auto close = line.find(']');
    if (close == std::string_view::npos) return false;
    name = Trim(line.substr(1, close - 1));
    return true;
}

bool KeyOf(std::string_view line, std::string_view& key, std::string_view& value) {
    auto eq = line.find('=');
    if (eq == std::string_view::npos) return false;
    key = Trim(line.substr(0, eq));
    value = line.substr(eq + 1);
    return true;
}

bool ParseInteger(std::string_view s, int& out) {
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
std::string OneLine(const std::string& value) {
    std::string out;
    out.reserve(value.size());
    for (char c : value)
        if (c != '\r' && c != '\n') out += c;
    return out;
}

// One physical line of the file, kept with its own terminator so that a rewrite changes
// nothing but the line that was written. Both views point into the bytes read or into a
// line written since.
struct TIniLine {
    std::string_view text;
    std::string_view eol;
};

struct TIniSection {
    TIniLine header;
    std::string_view name;
    std::vector<TIniLine> body;
    // Lower-case key → its first line in `body`, built on the first look-up.
    bool indexed = false;
    std::unordered_map<std::string, size_t> keys;
};

}  // namespace

// The file as lines: what comes before the first header, then every section in file order.
struct TIniDocument {
    std::string bytes;
    std::deque<std::string> written;  // texts of lines changed or added since the read
    std::vector<TIniLine> preamble;
    std::vector<TIniSection> sections;
    // Lower-case name → the first section of that name: later ones of the same name are
    // never seen, as with the Windows functions.
    std::unordered_map<std::string, size_t> firstSection;
    bool missing = false;
    TFileIdentity identity;

    std::string_view Own(std::string text) { return written.emplace_back(std::move(text)); }

    void Parse() {
        std::string_view all(bytes);
        size_t pos = 0;
        while (pos < all.size()) {
            size_t end = all.find_first_of("\r\n", pos);
            TIniLine line;
            if (end == std::string_view::npos) {
                line = {all.substr(pos), {}};
                pos = all.size();
            } else {
                size_t eolLen =
                    (all[end] == '\r' && end + 1 < all.size() && all[end + 1] == '\n') ? 2 : 1;
                line = {all.substr(pos, end - pos), all.substr(end, eolLen)};
                pos = end + eolLen;
            }
            AddLine(line);
        }
        IndexSections();
    }

    void AddLine(const TIniLine& line) {
        std::string_view name;
        if (SectionOf(line.text, name)) {
            sections.push_back({line, name, {}, false, {}});
        } else if (sections.empty()) {
            preamble.push_back(line);
        } else {
            sections.back().body.push_back(line);
        }
    }

    void IndexSections() {
        firstSection.clear();
        for (size_t i = 0; i < sections.size(); ++i)
            firstSection.emplace(Folded(sections[i].name), i);
    }

    TIniSection* FindSection(std::string_view name) {
        auto it = firstSection.find(Folded(name));
        return it == firstSection.end() ? nullptr : &sections[it->second];
    }

    static size_t FindKey(TIniSection& section, std::string_view key) {
        if (!section.indexed) {
            section.keys.clear();
            for (size_t i = 0; i < section.body.size(); ++i) {
                std::string_view k, v;
                if (KeyOf(section.body[i].text, k, v)) section.keys.emplace(Folded(k), i);
            }
            section.indexed = true;
        }
        auto it = section.keys.find(Folded(key));
        return it == section.keys.end() ? SIZE_MAX : it->second;
    }

    // The line break of the nearest line before the given place (section `s`, body line `at`;
    // s == sections.size() means the end of the file), so that new lines keep the file's form.
    std::string_view EolBefore(size_t s, size_t at) const {
        auto scan = [](const std::vector<TIniLine>& lines, size_t upTo) -> std::string_view {
            for (size_t i = upTo; i-- > 0;)
                if (!lines[i].eol.empty()) return lines[i].eol;
            return {};
        };
        if (s < sections.size()) {
            if (auto eol = scan(sections[s].body, at); !eol.empty()) return eol;
            if (!sections[s].header.eol.empty()) return sections[s].header.eol;
        }
        for (size_t i = s; i-- > 0;) {
            if (auto eol = scan(sections[i].body, sections[i].body.size()); !eol.empty())
                return eol;
            if (!sections[i].header.eol.empty()) return sections[i].header.eol;
        }
        if (auto eol = scan(preamble, preamble.size()); !eol.empty()) return eol;
        return "\r\n";
    }

    TIniLine* LastLine() {
        if (!sections.empty()) {
            auto& last = sections.back();
            return last.body.empty() ? &last.header : &last.body.back();
        }
        return preamble.empty() ? nullptr : &preamble.back();
    }

    void SetValue(const std::string& section, const std::string& key, const std::string& value) {
        const std::string entry = key + "=" + OneLine(value);
        TIniSection* found = FindSection(section);
        if (!found) {
            std::string_view eol = EolBefore(sections.size(), 0);
            if (TIniLine* last = LastLine(); last && last->eol.empty()) last->eol = eol;
            std::string_view header = Own("[" + section + "]");
            std::string_view name;
            SectionOf(header, name);
            sections.push_back({{header, eol}, name, {{Own(entry), eol}}, false, {}});
            firstSection.emplace(Folded(name), sections.size() - 1);
            return;
        }
        if (size_t at = FindKey(*found, key); at != SIZE_MAX) {
            TIniLine& line = found->body[at];
            std::string_view oldKey, oldValue;
            KeyOf(line.text, oldKey, oldValue);
            line.text = Own(std::string(oldKey) + "=" + OneLine(value));
            return;
        }
        // A new key goes after the section's last non-blank line; only blank lines, which hold
        // no key, move down, so the key index stays valid.
        auto& body = found->body;
        size_t insertAt = body.size();
        while (insertAt > 0 && Trim(body[insertAt - 1].text).empty()) --insertAt;
        const size_t s = static_cast<size_t>(found - sections.data());
        std::string_view eol = EolBefore(s, insertAt);
        TIniLine& before = insertAt > 0 ? body[insertAt - 1] : found->header;
        if (before.eol.empty()) before.eol = eol;
        body.insert(body.begin() + static_cast<ptrdiff_t>(insertAt), TIniLine{Own(entry), eol});
        if (found->indexed) found->keys.emplace(Folded(key), insertAt);
    }

    bool EraseSection(const std::string& section) {
        auto it = firstSection.find(Folded(section));
        if (it == firstSection.end()) return false;
        sections.erase(sections.begin() + static_cast<ptrdiff_t>(it->second));
        IndexSections();
        return true;
    }

    bool DeleteKey(const std::string& section, const std::string& key) {
        TIniSection* found = FindSection(section);
        if (!found) return false;
        size_t at = FindKey(*found, key);
        if (at == SIZE_MAX) return false;
        found->body.erase(found->body.begin() + static_cast<ptrdiff_t>(at));
        found->indexed = false;
        return true;
    }

    std::string Serialize() const {
        size_t total = 0;
        auto measure = [&](const std::vector<TIniLine>& lines) {
            for (const auto& l : lines) total += l.text.size() + l.eol.size();
        };
        measure(preamble);
        for (const auto& s : sections) {
            total += s.header.text.size() + s.header.eol.size();
            measure(s.body);
        }
        std::string out;
        out.reserve(total);
        auto append = [&](const TIniLine& l) {
            out.append(l.text);
            out.append(l.eol);
        };
        for (const auto& l : preamble) append(l);
        for (const auto& s : sections) {
            append(s.header);
            for (const auto& l : s.body) append(l);
        }
        return out;
    }
};

TIniFile::TIniFile(std::string path) : path_(std::move(path)) {}
TIniFile::~TIniFile() = default;
TIniFile::TIniFile(const TIniFile& other) : path_(other.path_) {}
TIniFile& TIniFile::operator=(const TIniFile& other) {
    if (this != &other) {
        path_ = other.path_;
        doc_.reset();
    }
    return *this;
}
TIniFile::TIniFile(TIniFile&&) noexcept = default;
TIniFile& TIniFile::operator=(TIniFile&&) noexcept = default;

uint64_t TIniFile::ParseCount() { return g_parses.load(); }

TIniDocument* TIniFile::Document(bool forWrite) const {
    TFileIdentity now;
    int error = 0;
    const bool present = CurrentIdentity(path_, now, error);
    if (doc_) {
        const bool same =
            present ? !doc_->missing && doc_->identity == now : error == ENOENT && doc_->missing;
        if (same) return doc_.get();
        doc_.reset();
    }
    auto doc = std::make_unique<TIniDocument>();
    if (!present && error == ENOENT) {
        doc->missing = true;
    } else {
        switch (ReadFileBytes(path_, doc->bytes, 0, &doc->identity)) {
            case TReadResult::Read:
                ++g_parses;
                doc->Parse();
                break;
            case TReadResult::Missing:
                doc->missing = true;
                break;
            default:
                // A file that exists but cannot be read is never rebuilt from nothing.
                if (forWrite) RaiseUnableToWrite(path_);
                return nullptr;
        }
    }
    doc_ = std::move(doc);
    return doc_.get();
}

void TIniFile::Store(TIniDocument& doc) {
    try {
        WriteFileSafely(path_, doc.Serialize(), {TWriteMessage::UnableToWrite, false});
    } catch (...) {
        // The lines in memory no longer match the file.
        doc_.reset();
        throw;
    }
    int error = 0;
    if (CurrentIdentity(path_, doc.identity, error))
        doc.missing = false;
    else
        doc_.reset();
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& def) const {
    TIniDocument* doc = Document(false);
    if (!doc) return def;
    TIniSection* found = doc->FindSection(section);
    if (!found) return def;
    size_t at = TIniDocument::FindKey(*found, key);
    if (at == SIZE_MAX) return def;
    std::string_view k, value;
    KeyOf(found->body[at].text, k, value);
    value = Trim(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value.substr(0, kMaxValue));
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
    std::string text = ReadString(section, key, std::string());
    int value;
    return ParseInteger(Trim(text), value) ? value : def;
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
    TIniDocument& doc = *Document(true);
    doc.SetValue(section, key, value);
    Store(doc);
}

void TIniFile::WriteValues(const std::vector<TIniValue>& values) {
    TIniDocument& doc = *Document(true);
    for (const auto& v : values) doc.SetValue(v.Section, v.Key, v.Value);
    Store(doc);
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
    WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void TIniFile::EraseSection(const std::string& section) {
    TIniDocument& doc = *Document(true);
    if (doc.missing || !doc.EraseSection(section)) return;
    Store(doc);
}

void TIniFile::ReplaceSection(const std::string& section, const std::vector<TIniValue>& values) {
    TIniDocument& doc = *Document(true);
    doc.EraseSection(section);
    for (const auto& v : values) doc.SetValue(section, v.Key, v.Value);
    Store(doc);
}

void TIniFile::DeleteKey(const std::string& section, const std::string& key) {
    TIniDocument& doc = *Document(true);
    if (doc.missing || !doc.DeleteKey(section, key)) return;
    Store(doc);
}

}  // namespace krq

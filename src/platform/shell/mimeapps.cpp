// mimeapps.list edits on the file's own lines, each kept with its line ending.
#include "platform/shell/mimeapps.h"

#include <vector>

namespace krq {

namespace {

struct TLine {
    std::string Text;  // with its line ending, if any
};

std::vector<TLine> SplitLines(const std::string& text) {
    std::vector<TLine> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        lines.push_back({text.substr(start, end - start)});
        start = end;
    }
    return lines;
}

std::string Trim(const std::string& text) {
    const char* blanks = " \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool IsGroup(const std::string& line, std::string* name = nullptr) {
    std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[' || t.back() != ']') return false;
    if (name) *name = t.substr(1, t.size() - 2);
    return true;
}

bool IsEntry(const std::string& line) {
    std::string t = Trim(line);
    return !t.empty() && t.front() != '#' && t.find('=') != std::string::npos;
}

std::string KeyOf(const std::string& line) {
    std::string t = Trim(line);
    size_t eq = t.find('=');
    return eq == std::string::npos ? std::string() : Trim(t.substr(0, eq));
}

std::vector<std::string> SplitList(const std::string& list) {
    std::vector<std::string> ids;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(';', start);
        if (end == std::string::npos) end = list.size();
        std::string id = Trim(list.substr(start, end - start));
        if (!id.empty()) ids.push_back(id);
        start = end + 1;
    }
    return ids;
}

}  // namespace

std::string MimeAppsValue(const std::string& text, const std::string& group,
                          const std::string& key) {
    std::string current;
    bool inGroup = false;
    for (const TLine& line : SplitLines(text)) {
        if (IsGroup(line.Text, &current)) {
            inGroup = current == group;
        } else if (inGroup && IsEntry(line.Text) && KeyOf(line.Text) == key) {
            std::string t = Trim(line.Text);
            return Trim(t.substr(t.find('=') + 1));
        }
    }
    return {};
}

std::string SetMimeAppsValue(const std::string& text, const std::string& group,
                             const std::string& key, const std::string& value) {
    const std::string eol = text.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    const std::string entry = key + "=" + value + eol;
    std::vector<TLine> lines = SplitLines(text);
    std::string out;
    std::string current;
    bool inGroup = false, found = false, written = false;
    size_t insertAt = std::string::npos;  // offset in `out` after the group's last entry
    for (const TLine& line : lines) {
        if (IsGroup(line.Text, &current)) {
            inGroup = current == group;
            found = found || inGroup;
            out += line.Text;
            if (inGroup && line.Text.back() != '\n') out += eol;
            if (inGroup) insertAt = out.size();
            continue;
        }
        if (inGroup && IsEntry(line.Text) && KeyOf(line.Text) == key) {
            if (!written && !value.empty()) {
                out += entry;
                written = true;
            }
            continue;
        }
        out += line.Text;
        if (inGroup && IsEntry(line.Text)) {
            if (out.back() != '\n') out += eol;
            insertAt = out.size();
        }
    }
    if (written || value.empty()) return out;
    if (found) return out.insert(insertAt, entry);
    if (!out.empty() && out.back() != '\n') out += eol;
    if (!out.empty() && Trim(lines.back().Text) != "") out += eol;
    return out + "[" + group + "]" + eol + entry;
}

std::string WithDesktopIdFirst(const std::string& list, const std::string& id) {
    std::string out = id + ";";
    for (const std::string& other : SplitList(list))
        if (other != id) out += other + ";";
    return out;
}

std::string WithoutDesktopId(const std::string& list, const std::string& id) {
    std::string out;
    for (const std::string& other : SplitList(list))
        if (other != id) out += other + ";";
    return out;
}

}  // namespace krq

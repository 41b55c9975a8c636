// Reading and writing the word-list files with their CR LF / CR / LF line rules.
#include "editor/companions/unWordLists.h"

#include <algorithm>
#include <cstdint>

#include "platform/cp1250.h"
#include "platform/files/filereader.h"
#include "platform/files/filewriter.h"
#include "platform/programdir.h"

namespace krq {

std::vector<std::string> SplitWordListLines(std::string_view bytes) {
    std::vector<std::string> out;
    size_t start = 0;
    size_t i = 0;
    while (i < bytes.size()) {
        char c = bytes[i];
        if (c == '\r' || c == '\n') {
            out.emplace_back(bytes.substr(start, i - start));
            i += (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < bytes.size()) out.emplace_back(bytes.substr(start));
    return out;
}

std::string JoinWordListLines(const std::vector<std::string>& entries) {
    size_t size = 0;
    for (const std::string& e : entries) size += e.size() + 2;
    std::string out;
    out.reserve(size);
    for (const std::string& e : entries) {
        out += e;
        out += "\r\n";
    }
    return out;
}

std::vector<std::string> ReadWordListFile(const std::string& path) {
    return SplitWordListLines(ReadFileOrRaise(path));
}

void WriteWordListFile(const std::string& path, const std::vector<std::string>& entries) {
    WriteFileSafely(path, JoinWordListLines(entries));
}

std::vector<std::string> LoadProposalList() { return ReadWordListFile(ProgramFile(kProposalFile)); }

std::vector<std::string> LoadCorrectList() { return ReadWordListFile(ProgramFile(kCorrectFile)); }

void SaveProposalList(const std::vector<std::string>& words) {
    WriteWordListFile(ProgramFile(kProposalFile), words);
}

void SaveCorrectList(const std::vector<std::string>& pairs) {
    WriteWordListFile(ProgramFile(kCorrectFile), pairs);
}

std::vector<std::string> CorrectLinesToGrid(std::vector<std::string> lines) {
    for (std::string& l : lines) std::replace(l.begin(), l.end(), ';', '=');
    return lines;
}

std::vector<std::string> GridLinesToCorrect(std::vector<std::string> rows) {
    for (std::string& r : rows) std::replace(r.begin(), r.end(), '=', ';');
    return rows;
}

bool WordListContains(const std::vector<std::string>& words, std::string_view word) {
    auto sameIgnoringCase = [&](const std::string& w) {
        return std::equal(w.begin(), w.end(), word.begin(), word.end(), [](char a, char b) {
            return cp1250::ToUpper(static_cast<uint8_t>(a)) ==
                   cp1250::ToUpper(static_cast<uint8_t>(b));
        });
    };
    return std::any_of(words.begin(), words.end(), sameIgnoringCase);
}

}  // namespace krq

// The word-list editing rules of the options pages.
#include "settings/unWordListEdit.h"

#include "editor/companions/unWordLists.h"

namespace krq {

std::string ProposalCounterText(size_t count) {
    return "Ilo\xC5\x9B\xC4\x87 s\xC5\x82\xC3\xB3wek: " + std::to_string(count);
}

bool AddProposal(std::vector<std::string>& words, const std::string& word) {
    if (word.empty() || WordListContains(words, word)) return false;
    words.push_back(word);
    return true;
}

void TAutoCorrectGrid::Load(const std::vector<std::string>& correctLines) {
    lines_ = CorrectLinesToGrid(correctLines);
}

std::vector<std::string> TAutoCorrectGrid::CorrectLines() const {
    return GridLinesToCorrect(lines_);
}

std::string TAutoCorrectGrid::Key(size_t row) const {
    const std::string& line = lines_.at(row);
    return line.substr(0, line.find('='));
}

std::string TAutoCorrectGrid::Value(size_t row) const {
    const std::string& line = lines_.at(row);
    size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

std::string TAutoCorrectGrid::Compose(const std::string& key, const std::string& value,
                                      bool hadSeparator) {
    // A line that never had a separator keeps none while its right column stays empty.
    if (value.empty() && !hadSeparator) return key;
    return key + "=" + value;
}

bool TAutoCorrectGrid::SetKey(size_t row, const std::string& key) {
    if (key.find('=') != std::string::npos) return false;
    const bool had = lines_.at(row).find('=') != std::string::npos;
    lines_[row] = Compose(key, Value(row), had);
    return true;
}

void TAutoCorrectGrid::SetValue(size_t row, const std::string& value) {
    const bool had = lines_.at(row).find('=') != std::string::npos;
    lines_[row] = Compose(Key(row), value, had);
}

bool TAutoCorrectGrid::EnsureBlankRow() {
    for (const std::string& line : lines_)
        if (line == kBlankRow) return false;
    lines_.emplace_back(kBlankRow);
    return true;
}

bool TAutoCorrectGrid::InsertRow(size_t row) {
    if (row >= lines_.size() || Key(row).empty()) return false;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(row), std::string());
    return true;
}

bool TAutoCorrectGrid::AppendRow(size_t currentRow) {
    if (lines_.empty() || currentRow + 1 != lines_.size() || Key(currentRow).empty()) return false;
    lines_.emplace_back();
    return true;
}

void TAutoCorrectGrid::DeleteRow(size_t row) {
    if (row < lines_.size()) lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(row));
}

bool TAutoCorrectGrid::RemoveIfEmpty(size_t row) {
    if (row >= lines_.size() || !Key(row).empty() || !Value(row).empty()) return false;
    DeleteRow(row);
    return true;
}

}  // namespace krq

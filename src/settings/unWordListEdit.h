// Editing the two word lists on the options pages, without widgets: the completion words with
// their duplicate rule, and the auto-correction grid of text=replacement rows.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace krq {

// "Ilość słówek: N" (UTF-8).
std::string ProposalCounterText(size_t count);

// Appends `word` (Windows-1250, taken as typed) when it is not empty and the list holds no entry
// equal to it ignoring letter case; true when it was appended.
bool AddProposal(std::vector<std::string>& words, const std::string& word);

// The auto-correction pairs as the grid holds them: one line per row, "text=replacement", the
// row splitting at the first "=". Lines are kept byte for byte until a cell of theirs is edited,
// so a file goes back unchanged when nothing was typed.
class TAutoCorrectGrid {
  public:
    // The row the grid keeps at its end for a new pair: a single space and no replacement.
    static constexpr const char* kBlankRow = " =";

    // The lines of data/correct.dat, every ";" turned into "=".
    void Load(const std::vector<std::string>& correctLines);
    // The lines to write back, every "=" turned into ";".
    std::vector<std::string> CorrectLines() const;

    size_t RowCount() const { return lines_.size(); }
    const std::string& Line(size_t row) const { return lines_.at(row); }
    // Left column: the text before the first "=" (the whole line when it has none).
    std::string Key(size_t row) const;
    // Right column: the rest after the first "=".
    std::string Value(size_t row) const;

    // A left column may not hold "="; false (and nothing changed) when it does.
    bool SetKey(size_t row, const std::string& key);
    void SetValue(size_t row, const std::string& value);
    // The whole line put back, as Esc undoes the edit of a row.
    void SetLine(size_t row, const std::string& line) { lines_.at(row) = line; }

    // Adds the blank row at the end when no line equals it; true when added.
    bool EnsureBlankRow();
    // Insert: an empty row at `row`, only when that row's left column is not empty.
    bool InsertRow(size_t row);
    // Down on the last row: an empty row appended, only when the last row's left column is not
    // empty.
    bool AppendRow(size_t currentRow);
    void DeleteRow(size_t row);
    // A row with both columns empty is removed when the cursor leaves it; true when removed.
    bool RemoveIfEmpty(size_t row);

  private:
    static std::string Compose(const std::string& key, const std::string& value, bool hadSeparator);
    std::vector<std::string> lines_;
};

}  // namespace krq

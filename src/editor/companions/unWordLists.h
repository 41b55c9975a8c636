// The word-list files beside the executable: completion words and auto-correction pairs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace krq {

// Relative paths inside the program directory.
inline constexpr const char* kProposalFile = "data/proposal.dat";
inline constexpr const char* kCorrectFile = "data/correct.dat";

// Cuts Windows-1250 bytes into entries: a line ends at CR LF, a lone CR or a lone LF; a break
// after the last line adds no empty entry, an empty line between others is an entry.
std::vector<std::string> SplitWordListLines(std::string_view bytes);
// Every entry followed by CR LF.
std::string JoinWordListLines(const std::vector<std::string>& entries);

// Throws EKrqError "Cannot open file %s" when the file cannot be read.
std::vector<std::string> ReadWordListFile(const std::string& path);
// Replaces the file atomically; throws EKrqError "Cannot create file %s" when it cannot.
void WriteWordListFile(const std::string& path, const std::vector<std::string>& entries);

// The two files of the program directory.
std::vector<std::string> LoadProposalList();
std::vector<std::string> LoadCorrectList();
void SaveProposalList(const std::vector<std::string>& words);
void SaveCorrectList(const std::vector<std::string>& pairs);

// The options window shows correction pairs as text=replacement rows: every ";" of a line
// becomes "=" on the way in and every "=" becomes ";" on the way out.
std::vector<std::string> CorrectLinesToGrid(std::vector<std::string> lines);
std::vector<std::string> GridLinesToCorrect(std::vector<std::string> rows);

// True when `words` holds an entry equal to `word` ignoring letter case (Windows-1250
// upper-case mapping); the options page refuses to add such a word a second time.
bool WordListContains(const std::vector<std::string>& words, std::string_view word);

}  // namespace krq

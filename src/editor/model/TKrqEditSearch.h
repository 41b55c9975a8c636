// The search engine: every occurrence of a pattern in one line, with case and whole-word rules.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace krq {

// Lines are Windows-1250 bytes. Without match case both sides are compared through the
// code page's lower-case table; whole words are bounded by characters that are neither letters
// nor digits of the code page nor "_".
class TKrqEditSearch {
  public:
    void SetPattern(std::string_view pattern, bool matchCase, bool wholeWord);
    const std::string& Pattern() const { return pattern_; }
    int Length() const { return static_cast<int>(pattern_.size()); }

    // 0-based starts of the non-overlapping occurrences, left to right (replaces `found`).
    void FindAll(std::string_view line, std::vector<int>& found) const;
    // The first occurrence starting at or after `from`, or -1.
    int FindFirst(std::string_view line, size_t from) const;

  private:
    // The next match of the pattern alone, ignoring the whole-word rule.
    int FindRaw(std::string_view line, size_t from) const;
    bool MatchesAt(const char* p) const;
    bool IsWholeWord(std::string_view line, size_t at) const;

    std::string pattern_;
    bool matchCase_ = true;
    bool wholeWord_ = false;
    // Bytes an occurrence may start with (the first byte and its case partners).
    char starts_[4] = {};
    int startCount_ = 0;
    std::array<bool, 256> isStart_{};
};

}  // namespace krq

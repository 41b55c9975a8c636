// The lexing rules Visual Basic and VBScript share; each language brings its own keywords.
#pragma once

#include "lexers/KrqPlainLexer.h"

namespace krq {

// Both Basic dialects: "'" and Rem comments, "…" strings with "" inside, &H/&O numbers, type
// suffixes. A " _" continuation does not carry anything to the next line, so the state stays 0.
class TKrqBasicLexer : public TKrqPlainLexer {
  public:
    TKrqBasicLexer(const char* component, const char* className, const char* language,
                   const char* filter, const TKrqKeywordSet& keywords);

    int LexLine(std::string_view line, int state, std::vector<TKrqToken>& out) const override;

  private:
    size_t ScanNumber(std::string_view line, size_t i) const;

    const TKrqKeywordSet& keywords_;
};

}  // namespace krq

// The lexers of languages drawn with seven plain attributes: x86 assembler, Fortran and both
// Basic dialects.
#pragma once

#include "lexers/KrqLexerBase.h"

namespace krq {

// Identifiers, comments, strings, numbers, reserved words, blanks and symbols, and the tokens
// these languages read alike.
class TKrqPlainLexer : public TKrqLexerBase {
  protected:
    TKrqPlainLexer(const char* component, const char* className, const char* language,
                   const char* filter, std::array<bool, 256> identChars);

    // A run of blanks at line[i], a comment from `lineComment` to the line's end, or a string
    // opened by one of `quotes` in which a doubled quote stands for one (an unclosed string ends
    // with the line): sets `end` and `attr` and returns true. Anything else returns false.
    bool LexPlainToken(std::string_view line, size_t i, char lineComment, std::string_view quotes,
                       size_t& end, int& attr) const;

    const int ident_, comment_, string_, number_, keyword_, space_, symbol_;
};

}  // namespace krq

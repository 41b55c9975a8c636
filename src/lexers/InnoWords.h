// The word lists of the Inno Setup highlighter.
#pragma once

#include "lexers/KrqLexerBase.h"

namespace krq::innowords {

// Directives of [Setup] and [LangOptions].
const TKrqKeywordSet& Directives();
// Parameter names of the entry sections ([Files], [Icons], [Run] …).
const TKrqKeywordSet& Parameters();
// Reserved words of the Pascal script in [Code].
const TKrqKeywordSet& PascalKeywords();

}  // namespace krq::innowords

// The highlighter's start state of each line and the tokens of the lines a view has shown.
#pragma once

#include <unordered_map>
#include <vector>

#include "editor/model/TKrqEditStringList.h"
#include "lexers/KrqLexer.h"

namespace krq {

// States are known from the first line on as far as something was lexed; tokens are kept only
// for lines whose start state is known, so a state that changes takes its line's tokens along.
// Lines are numbered from 0.
class TKrqLineStates {
  public:
    // A lexer of none turns colouring off; either way every state and token goes.
    void SetLexer(const TKrqLexer* lexer);
    const TKrqLexer* Lexer() const { return lexer_; }
    void Clear();
    // Drops the tokens (their attributes are looked up when drawn, but a reset asks for it).
    void ClearTokens() { tokens_.clear(); }

    // The state at the start of `line`, lexing the lines before it that were not lexed yet.
    int StateOf(const TKrqEditStringList& lines, int line);
    // The tokens of `line`, or nullptr without a lexer or beyond the text.
    const std::vector<TKrqToken>* TokensOf(const TKrqEditStringList& lines, int line);

    // Lines [first, first + oldCount) became `newCount` lines of `lines`. Lines are lexed
    // again from `first` until one ends in the state its successor already had; past line
    // `lexThrough` the states after the first that changed are forgotten, to be lexed when
    // asked for, so a keystroke never lexes the rest of a large document.
    void LinesChanged(const TKrqEditStringList& lines, int first, int oldCount, int newCount,
                      int lexThrough);

    int KnownStates() const { return static_cast<int>(states_.size()); }
    size_t CachedTokens() const { return tokens_.size(); }

  private:
    // Tokens of lines whose start state is no longer known.
    void DropTokensFrom(int line);

    const TKrqLexer* lexer_ = nullptr;
    std::vector<int> states_;
    std::unordered_map<int, std::vector<TKrqToken>> tokens_;
};

}  // namespace krq

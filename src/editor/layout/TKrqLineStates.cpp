// Line states of the highlighter and their incremental re-lex after an edit.
#include "editor/layout/TKrqLineStates.h"

#include <algorithm>

namespace krq {

void TKrqLineStates::SetLexer(const TKrqLexer* lexer) {
    lexer_ = lexer;
    Clear();
}

void TKrqLineStates::Clear() {
    states_.clear();
    tokens_.clear();
}

int TKrqLineStates::StateOf(const TKrqEditStringList& lines, int line) {
    if (!lexer_) return 0;
    if (states_.empty()) states_.push_back(0);
    const int known = static_cast<int>(states_.size());
    if (known > line) return states_[line];
    // Only the end states of the lines passed over are needed, not their tokens.
    const int count = lines.Count();
    int state = states_.back();
    for (int k = known - 1; k < line; ++k) {
        if (k < count) state = lexer_->EndState(lines[k], state);
        states_.push_back(state);
    }
    return states_[line];
}

const std::vector<TKrqToken>* TKrqLineStates::TokensOf(const TKrqEditStringList& lines, int line) {
    if (!lexer_ || line < 0 || line >= lines.Count()) return nullptr;
    auto it = tokens_.find(line);
    if (it != tokens_.end()) return &it->second;
    if (tokens_.size() > 512) tokens_.clear();
    std::vector<TKrqToken> out;
    int state = StateOf(lines, line);
    int end = lexer_->LexLine(lines[line], state, out);
    if (static_cast<int>(states_.size()) == line + 1) states_.push_back(end);
    return &tokens_.emplace(line, std::move(out)).first->second;
}

void TKrqLineStates::DropTokensFrom(int line) {
    for (auto it = tokens_.begin(); it != tokens_.end();) {
        if (it->first >= line)
            it = tokens_.erase(it);
        else
            ++it;
    }
}

void TKrqLineStates::LinesChanged(const TKrqEditStringList& lines, int first, int oldCount,
                                  int newCount, int lexThrough) {
    const int delta = newCount - oldCount;
    // Tokens are kept only for lines shown: drop what moved or changed.
    if (delta != 0) {
        tokens_.clear();
    } else {
        for (int i = 0; i < newCount; ++i) tokens_.erase(first + i);
    }
    if (!lexer_) {
        states_.clear();
        return;
    }
    const int known = static_cast<int>(states_.size());
    if (first >= known) return;
    const int oldEnd = first + oldCount;
    // The start state of `first` still holds; those of the lines after the change are kept
    // as guesses, shifted to their new numbers, and confirmed by re-lexing below. The shift
    // is done in place: a keystroke in a large document must not copy a state per line.
    const int firstState = states_[first];
    if (oldEnd < known) {
        if (delta > 0)
            states_.insert(states_.begin() + oldEnd, delta, 0);
        else if (delta < 0)
            states_.erase(states_.begin() + oldEnd + delta, states_.begin() + oldEnd);
    } else {
        states_.resize(first + std::max(newCount, 1));
    }
    states_[first] = firstState;
    if (newCount > 1) std::fill(states_.begin() + first + 1, states_.begin() + first + newCount, 0);
    const int guessFrom = first + std::max(newCount, 1);
    const int count = lines.Count();
    std::vector<TKrqToken> scratch;
    for (int k = first; k < count; ++k) {
        if (k + 1 >= static_cast<int>(states_.size())) break;
        scratch.clear();
        int end = lexer_->LexLine(lines[k], states_[k], scratch);
        if (k + 1 >= guessFrom && states_[k + 1] == end) break;
        states_[k + 1] = end;
        tokens_.erase(k + 1);
        if (k + 1 >= guessFrom && k + 1 > lexThrough) {
            states_.resize(k + 2);
            break;
        }
    }
    if (static_cast<int>(states_.size()) > count) states_.resize(std::max(1, count));
    // Lines whose start state was forgotten may start in another state now than when their
    // tokens were made (a comment opened above them and closed again, while they were shown).
    DropTokensFrom(static_cast<int>(states_.size()));
}

}  // namespace krq

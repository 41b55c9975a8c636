// Helpers of the lexer tests: lexing whole texts and rendering tokens as readable runs.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/cp1250.h"
#include "settings/highlighters/KrqLexer.h"

namespace krq::test {

// One run of a line as its attribute name and its text, both UTF-8.
using TRun = std::pair<std::string, std::string>;

inline std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        size_t nl = text.find('\n', start);
        if (nl == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            return lines;
        }
        lines.emplace_back(text.substr(start, nl - start));
        start = nl + 1;
    }
}

// The runs of every line of `utf8Lines`, lexed in order from state 0 with the state carried.
inline std::vector<std::vector<TRun>> LexRuns(const TKrqLexer& lexer,
                                              const std::vector<std::string>& utf8Lines) {
    std::vector<std::vector<TRun>> result;
    int state = 0;
    for (const auto& utf8 : utf8Lines) {
        std::string bytes = cp1250::fromUtf8(utf8);
        std::vector<TKrqToken> tokens;
        state = lexer.LexLine(bytes, state, tokens);
        std::vector<TRun> runs;
        for (const auto& t : tokens)
            runs.emplace_back(lexer.AttributeNames().at(t.attr),
                              cp1250::toUtf8(std::string_view(bytes).substr(t.start, t.length)));
        result.push_back(std::move(runs));
    }
    return result;
}

// The runs of the last of several lines (the earlier ones only set up the state).
inline std::vector<TRun> LastRuns(const TKrqLexer& lexer, const std::vector<std::string>& lines) {
    return LexRuns(lexer, lines).back();
}

// The attribute name drawn for `piece`, the first run whose text equals it; "" when none does.
inline std::string AttrOf(const std::vector<TRun>& runs, std::string_view piece) {
    for (const auto& [attr, text] : runs)
        if (text == piece) return attr;
    return "";
}

// The state after lexing the lines in order from state 0.
inline int EndState(const TKrqLexer& lexer, const std::vector<std::string>& lines) {
    int state = 0;
    for (const auto& line : lines) {
        std::vector<TKrqToken> tokens;
        state = lexer.LexLine(cp1250::fromUtf8(line), state, tokens);
    }
    return state;
}

}  // namespace krq::test

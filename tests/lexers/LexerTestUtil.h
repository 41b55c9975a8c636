// Helpers of the lexer tests: lexing lines written in UTF-8 with the state carried, and showing
// tokens as readable runs or text.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "lexers/KrqLexer.h"
#include "platform/cp1250.h"

namespace krq::test {

// The folder of the golden samples and their reviewed .styled forms.
inline std::filesystem::path GoldenDir() {
    return std::filesystem::path(KRQ_SOURCE_DIR) / "tests" / "lexers" / "golden";
}

// The lines of `text` split at "\n"; a final "\n" leaves an empty last line.
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

// Tokens of one line (Windows-1250 bytes) lexed from `state`; the end state goes to *endState.
inline std::vector<TKrqToken> LexBytes(const TKrqLexer& lexer, std::string_view bytes, int state,
                                       int* endState = nullptr) {
    std::vector<TKrqToken> out;
    int end = lexer.LexLine(bytes, state, out);
    if (endState) *endState = end;
    return out;
}

// One run of a line as its attribute name and its text, both UTF-8.
using TRun = std::pair<std::string, std::string>;

// The runs of every line of `utf8Lines`, lexed in order from state 0 with the state carried.
inline std::vector<std::vector<TRun>> LexRuns(const TKrqLexer& lexer,
                                              const std::vector<std::string>& utf8Lines) {
    std::vector<std::vector<TRun>> result;
    int state = 0;
    for (const auto& utf8 : utf8Lines) {
        std::string bytes = cp1250::FromUtf8(utf8);
        std::vector<TRun> runs;
        for (const auto& t : LexBytes(lexer, bytes, state, &state))
            runs.emplace_back(lexer.AttributeNames().at(t.attr),
                              cp1250::ToUtf8(std::string_view(bytes).substr(t.start, t.length)));
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

// A piece of a line and the attribute it must be drawn with.
struct TPieceAttr {
    std::string_view piece;
    std::string_view attr;
};

// Checks each piece of a table: the first run whose text equals it has the attribute.
inline void ExpectAttrs(const std::vector<TRun>& runs, std::initializer_list<TPieceAttr> table) {
    for (const auto& [piece, attr] : table)
        EXPECT_EQ(AttrOf(runs, piece), attr) << "piece \"" << piece << "\"";
}

// The runs of a line as `Attribute:"text"` separated by blanks, text in UTF-8.
inline std::string ShowTokens(const TKrqLexer& lexer, std::string_view bytes,
                              const std::vector<TKrqToken>& tokens) {
    std::string s;
    for (const auto& t : tokens) {
        if (!s.empty()) s += ' ';
        s += lexer.AttributeNames().at(t.attr);
        s += ":\"";
        for (char ch : cp1250::ToUtf8(bytes.substr(t.start, t.length))) {
            unsigned char c = static_cast<unsigned char>(ch);
            if (c == '"' || c == '\\') {
                s += '\\';
                s += ch;
            } else if (c < 0x20 || c == 0x7F) {
                static const char hex[] = "0123456789ABCDEF";
                s += "\\x";
                s += hex[c >> 4];
                s += hex[c & 15];
            } else {
                s += ch;
            }
        }
        s += '"';
    }
    return s;
}

// One line written in UTF-8, lexed from `state` and shown as above.
inline std::string Styled(const TKrqLexer& lexer, std::string_view utf8, int state = 0,
                          int* endState = nullptr) {
    std::string bytes = cp1250::FromUtf8(utf8);
    return ShowTokens(lexer, bytes, LexBytes(lexer, bytes, state, endState));
}

// The attribute name of the token holding the first byte of `part` in the UTF-8 line, lexed
// from state 0 (or the given state).
inline std::string AttrOf(const TKrqLexer& lexer, std::string_view utf8, std::string_view part,
                          int state = 0) {
    std::string bytes = cp1250::FromUtf8(utf8);
    size_t pos = bytes.find(cp1250::FromUtf8(part));
    if (pos == std::string::npos) return "<no such text>";
    for (const auto& t : LexBytes(lexer, bytes, state))
        if (pos >= t.start && pos < t.start + t.length) return lexer.AttributeNames().at(t.attr);
    return "<not covered>";
}

// Lexes lines one after the other carrying the state; returns the state after each line.
inline std::vector<int> StatesAfter(const TKrqLexer& lexer,
                                    const std::vector<std::string_view>& utf8Lines) {
    std::vector<int> states;
    int state = 0;
    for (auto line : utf8Lines) {
        LexBytes(lexer, cp1250::FromUtf8(line), state, &state);
        states.push_back(state);
    }
    return states;
}

// The state after lexing the lines in order from state 0.
inline int EndState(const TKrqLexer& lexer, const std::vector<std::string>& lines) {
    int state = 0;
    for (const auto& line : lines) LexBytes(lexer, cp1250::FromUtf8(line), state, &state);
    return state;
}

// Lexes one line and checks what every line's tokens must satisfy: they cover it from start to
// end with no gap, overlap or empty token, name attributes the lexer has, and come out the same
// when the line is lexed again from the same state. Returns the end state.
inline int CheckLine(const TKrqLexer& lexer, std::string_view line, int state) {
    std::vector<TKrqToken> tokens;
    int end = lexer.LexLine(line, state, tokens);
    size_t pos = 0;
    for (const auto& t : tokens) {
        // Plain checks keep the long-line cases fast; the first fault is reported.
        if (t.start != pos || t.length == 0 || t.attr >= lexer.AttributeNames().size()) {
            ADD_FAILURE() << "bad token at " << t.start << " (expected " << pos << "), length "
                          << t.length << ", attr " << int(t.attr);
            return end;
        }
        pos = t.start + t.length;
    }
    EXPECT_EQ(pos, line.size()) << "tokens do not end at the line end";
    std::vector<TKrqToken> again;
    EXPECT_EQ(lexer.LexLine(line, state, again), end);
    EXPECT_EQ(again, tokens) << "the same line and state gave other tokens";
    return end;
}

}  // namespace krq::test

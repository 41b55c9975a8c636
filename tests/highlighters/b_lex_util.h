// Helpers of the lexer tests: lexing UTF-8 written lines and showing tokens as readable text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/cp1250.h"
#include "settings/highlighters/KrqLexer.h"

namespace krq::test {

// Tokens of one line (Windows-1250 bytes) lexed from `state`; the end state goes to *endState.
inline std::vector<TKrqToken> LexBytes(const TKrqLexer& lexer, std::string_view bytes, int state,
                                       int* endState = nullptr) {
    std::vector<TKrqToken> out;
    int end = lexer.LexLine(bytes, state, out);
    if (endState) *endState = end;
    return out;
}

// The runs of a line as `Attribute:"text"` separated by blanks, text in UTF-8.
inline std::string ShowTokens(const TKrqLexer& lexer, std::string_view bytes,
                              const std::vector<TKrqToken>& tokens) {
    std::string s;
    for (const auto& t : tokens) {
        if (!s.empty()) s += ' ';
        s += lexer.AttributeNames().at(t.attr);
        s += ":\"";
        for (char ch : cp1250::toUtf8(bytes.substr(t.start, t.length))) {
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
    std::string bytes = cp1250::fromUtf8(utf8);
    return ShowTokens(lexer, bytes, LexBytes(lexer, bytes, state, endState));
}

// The attribute name of the token holding the first byte of `part` in the UTF-8 line, lexed
// from state 0 (or the given state).
inline std::string AttrOf(const TKrqLexer& lexer, std::string_view utf8, std::string_view part,
                          int state = 0) {
    std::string bytes = cp1250::fromUtf8(utf8);
    size_t pos = bytes.find(cp1250::fromUtf8(part));
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
        LexBytes(lexer, cp1250::fromUtf8(line), state, &state);
        states.push_back(state);
    }
    return states;
}

}  // namespace krq::test

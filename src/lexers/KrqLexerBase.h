// Shared pieces of the lexers: catalogue data, keyword sets and token emission.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "lexers/KrqLexer.h"

namespace krq {

// A set of words, looked up with or without regard to ASCII letter case.
class TKrqKeywordSet {
  public:
    TKrqKeywordSet(std::initializer_list<std::string_view> words, bool caseSensitive);
    bool Contains(std::string_view word) const;

  private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    bool caseSensitive_;
    size_t maxLength_ = 0;
    std::unordered_set<std::string, Hash, std::equal_to<>> words_;
};

// Identifier characters: "_" and every letter and digit of the code page (ą, ł, ś, ż … too),
// with extra bytes a language allows.
std::array<bool, 256> MakeIdentChars(std::string_view extra = {});

// Holds the catalogue data every lexer reports; subclasses add LexLine.
class TKrqLexerBase : public TKrqLexer {
  public:
    TKrqLexerBase(const char* component, const char* className, const char* language,
                  const char* filter, std::vector<std::string> attributes,
                  std::string_view whitespaceName, std::array<bool, 256> identChars);

    const char* ComponentName() const override { return component_; }
    const char* ClassName() const override { return className_; }
    const char* LanguageName() const override { return language_; }
    const char* DefaultFilter() const override { return filter_; }
    const std::vector<std::string>& AttributeNames() const override { return attributes_; }
    int WhitespaceAttr() const override { return whitespace_; }
    const std::array<bool, 256>& IdentChars() const override { return identChars_; }

    // The index of an attribute by its name; a name the list lacks is a programming error.
    int Attr(std::string_view name) const;

  private:
    const char* component_;
    const char* className_;
    const char* language_;
    const char* filter_;
    std::vector<std::string> attributes_;
    int whitespace_;
    std::array<bool, 256> identChars_;
};

namespace lexscan {
// The work of the lexers on this thread so far: the bytes the scanning steps examined (see
// KrqLexerScan.h) plus one for every token emitted. One addition per step or token.
inline thread_local uint64_t tScanWork = 0;
inline void CountScan(size_t bytes) { tScanWork += bytes; }
}  // namespace lexscan

// Appends a token, merging it with the previous one when both have the same attribute.
inline void EmitToken(std::vector<TKrqToken>& out, size_t start, size_t length, int attr) {
    lexscan::CountScan(1);
    if (length == 0) return;
    if (!out.empty() && out.back().attr == attr && out.back().start + out.back().length == start) {
        out.back().length += static_cast<uint32_t>(length);
        return;
    }
    out.push_back(
        {static_cast<uint32_t>(start), static_cast<uint32_t>(length), static_cast<uint8_t>(attr)});
}

}  // namespace krq

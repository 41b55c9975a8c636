// A highlighter: one language's lexer with the colours and styles of its attributes.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "lexers/KrqLexer.h"

namespace krq {

// Colour values as stored (0x00BBGGRR or a system colour); 0x1FFFFFFF means no colour.
inline constexpr int32_t kNoColorValue = 0x1FFFFFFF;

enum TKrqFontStyle : int { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

struct TKrqHighlighterAttribute {
    std::string Name;  // UTF-8, as the lexer lists it
    int32_t Foreground = kNoColorValue;
    int32_t Background = kNoColorValue;
    int Style = 0;
};

// The seventeen highlighters live for the whole run and are shared by the editor and the
// options window; whoever shows one listens for changes and repaints.
class TKrqHighlighter {
  public:
    explicit TKrqHighlighter(const TKrqLexer& lexer);

    const TKrqLexer& Lexer() const { return lexer_; }
    const std::vector<TKrqHighlighterAttribute>& Attributes() const { return attributes_; }
    void SetAttribute(int index, int32_t foreground, int32_t background, int style);

    int AddChangeListener(std::function<void()> listener);
    void RemoveChangeListener(int id);

  private:
    const TKrqLexer& lexer_;
    std::vector<TKrqHighlighterAttribute> attributes_;
    std::map<int, std::function<void()>> listeners_;
    int nextId_ = 1;
};

}  // namespace krq

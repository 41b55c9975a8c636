// What every highlighter's lexer offers: its catalogue data and a line-by-line tokenizer.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace krq {

// A run of a line drawn with one attribute; `attr` indexes the lexer's AttributeNames().
struct TKrqToken {
    uint32_t start;
    uint32_t length;
    uint8_t attr;
    friend bool operator==(const TKrqToken&, const TKrqToken&) = default;
};

// One language. A lexer keeps no state of its own between calls: what spans lines (block
// comments, multi-line strings, sections) travels in the integer state from one line to the
// next, so the editor can re-lex from any line whose start state it stored.
class TKrqLexer {
  public:
    virtual ~TKrqLexer() = default;

    virtual const char* ComponentName() const = 0;  // "hgr_Html"
    virtual const char* ClassName() const = 0;      // "TKrqHTMLHighlighter"
    virtual const char* LanguageName() const = 0;   // "Dokument HTML" (UTF-8)
    virtual const char* DefaultFilter() const = 0;  // "HTML Documents (*.htm,*.html)|*.htm;*.html"
    // Attribute names (UTF-8) in list order: sorted as the Polish locale sorts them.
    virtual const std::vector<std::string>& AttributeNames() const = 0;
    // Index of the whitespace attribute ("Spacja", in XML "Pusta przestrzeń").
    virtual int WhitespaceAttr() const = 0;
    // Bytes that make up identifiers; they become the editor's word characters.
    virtual const std::array<bool, 256>& IdentChars() const = 0;

    // Appends tokens that cover `line` (Windows-1250 bytes) from start to end in order, with
    // no gaps and no empty tokens, and returns the state at the line's end. State 0 is the
    // state at the start of a document.
    virtual int LexLine(std::string_view line, int state, std::vector<TKrqToken>& out) const = 0;

    // The state at the end of `line`, always the one LexLine returns. The editor asks for it
    // on the lines a far jump passes over, whose tokens nobody draws; a lexer may answer it
    // without making tokens.
    virtual int EndState(std::string_view line, int state) const;
};

// The seventeen lexers in catalogue order (HTML first, Inno Setup last).
const std::vector<const TKrqLexer*>& KrqLexerCatalogue();

// One accessor per language; each lives in the lexer's own file.
const TKrqLexer& HtmlLexer();
const TKrqLexer& CssLexer();
const TKrqLexer& PhpLexer();
const TKrqLexer& JavaScriptLexer();
const TKrqLexer& JavaLexer();
const TKrqLexer& PascalLexer();
const TKrqLexer& CppLexer();
const TKrqLexer& VbScriptLexer();
const TKrqLexer& VbLexer();
const TKrqLexer& FortranLexer();
const TKrqLexer& PerlLexer();
const TKrqLexer& SqlLexer();
const TKrqLexer& AsmLexer();
const TKrqLexer& IniLexer();
const TKrqLexer& BatLexer();
const TKrqLexer& XmlLexer();
const TKrqLexer& InnoLexer();

}  // namespace krq

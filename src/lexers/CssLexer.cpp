// The CSS lexer: selectors, rule blocks with properties and values, at-rules and comments.
#include "lexers/KrqLexerBase.h"
#include "lexers/KrqLexerScan.h"

namespace krq {

namespace {

using namespace lexscan;

// The state packs where the lexer stands in the style sheet:
//   bit 0       inside a comment
//   bits 1-2    the side: selector, property name, value or at-rule prelude
//   bit 3       the at-rule being read opens a block of rules (@media) rather than properties
//   bits 4-8    the depth of open blocks
//   bits 9-24   for each of the first 16 levels, whether that block holds rules
enum : int {
    kInComment = 1,
    kSideShift = 1,
    kSelector = 0,
    kProperty = 1,
    kValue = 2,
    kPrelude = 3,
    kGroupPrelude = 8,
    kDepthShift = 4,
    kMaxDepth = 31,
    kGroupShift = 9,
    kGroupLevels = 16
};

struct TCssState {
    bool comment;
    int side;
    bool groupPrelude;
    int depth;
    int groups;

    explicit TCssState(int s)
        : comment(s & kInComment),
          side((s >> kSideShift) & 3),
          groupPrelude(s & kGroupPrelude),
          depth((s >> kDepthShift) & kMaxDepth),
          groups((s >> kGroupShift) & ((1 << kGroupLevels) - 1)) {}
    int Pack() const {
        return (comment ? kInComment : 0) | (side << kSideShift) |
               (groupPrelude ? kGroupPrelude : 0) | (depth << kDepthShift) |
               (groups << kGroupShift);
    }
    // Inside the top level or a group block the text is selectors, otherwise properties.
    int BlockSide() const {
        if (depth == 0) return kSelector;
        int level = depth - 1;
        return level < kGroupLevels && (groups >> level & 1) ? kSelector : kProperty;
    }
};

class TCssLexer final : public TKrqLexerBase {
  public:
    TCssLexer()
        : TKrqLexerBase(
              "hgr_Css", "TKrqCssHighlighter", "Kaskadowe arkusze styli",
              "Kaskadowe arkusze styli (*.css)|*.css",
              {"Komentarz", "Łańcuch znaków", "Numer", "Property", "Słowo zarezerwowane", "Spacja",
               "Symbol", "Tekst", "Undefined Property", "Wartość", "Wartość koloru"},
              "Spacja", MakeIdentChars("-")),
          comment_(Attr("Komentarz")),
          string_(Attr("Łańcuch znaków")),
          number_(Attr("Numer")),
          property_(Attr("Property")),
          keyword_(Attr("Słowo zarezerwowane")),
          space_(Attr("Spacja")),
          symbol_(Attr("Symbol")),
          text_(Attr("Tekst")),
          undefined_(Attr("Undefined Property")),
          value_(Attr("Wartość")),
          color_(Attr("Wartość koloru")) {}

    int LexLine(std::string_view s, int state, std::vector<TKrqToken>& out) const override;

  private:
    bool IdentStart(std::string_view s, size_t i) const;
    size_t NumberEnd(std::string_view s, size_t i) const;
    size_t HexColorEnd(std::string_view s, size_t i) const;
    int PropertyAttr(std::string_view name) const;

    const int comment_, string_, number_, property_, keyword_, space_, symbol_, text_, undefined_,
        value_, color_;
    // clang-format off
    TKrqKeywordSet groupRules_{{
        "media", "supports", "document", "-moz-document", "layer", "container", "scope",
        "keyframes", "-webkit-keyframes", "starting-style"},
        false};
    TKrqKeywordSet properties_{{
        "accent-color", "align-content", "align-items", "align-self", "all", "animation",
        "animation-delay", "animation-direction", "animation-duration", "animation-fill-mode",
        "animation-iteration-count", "animation-name", "animation-play-state",
        "animation-timing-function", "appearance", "aspect-ratio", "backdrop-filter",
        "backface-visibility", "background", "background-attachment", "background-blend-mode",
        "background-clip", "background-color", "background-image", "background-origin",
        "background-position", "background-repeat", "background-size", "block-size", "border",
        "border-bottom", "border-bottom-color", "border-bottom-left-radius",
        "border-bottom-right-radius", "border-bottom-style", "border-bottom-width",
        "border-collapse", "border-color", "border-image", "border-left", "border-left-color",
        "border-left-style", "border-left-width", "border-radius", "border-right",
        "border-right-color", "border-right-style", "border-right-width", "border-spacing",
        "border-style", "border-top", "border-top-color", "border-top-left-radius",
        "border-top-right-radius", "border-top-style", "border-top-width", "border-width", "bottom",
        "box-shadow", "box-sizing", "break-after", "break-before", "break-inside", "caption-side",
        "caret-color", "clear", "clip", "clip-path", "color", "column-count", "column-gap",
        "column-rule", "column-span", "column-width", "columns", "content", "counter-increment",
        "counter-reset", "cursor", "direction", "display", "empty-cells", "filter", "flex",
        "flex-basis", "flex-direction", "flex-flow", "flex-grow", "flex-shrink", "flex-wrap",
        "float", "font", "font-display", "font-family", "font-feature-settings", "font-kerning",
        "font-size", "font-stretch", "font-style", "font-variant", "font-weight", "gap", "grid",
        "grid-area", "grid-auto-columns", "grid-auto-flow", "grid-auto-rows", "grid-column",
        "grid-column-end", "grid-column-start", "grid-gap", "grid-row", "grid-row-end",
        "grid-row-start", "grid-template", "grid-template-areas", "grid-template-columns",
        "grid-template-rows", "height", "hyphens", "inline-size", "inset", "isolation",
        "justify-content", "justify-items", "justify-self", "left", "letter-spacing", "line-height",
        "list-style", "list-style-image", "list-style-position", "list-style-type", "margin",
        "margin-block", "margin-bottom", "margin-inline", "margin-left", "margin-right",
        "margin-top", "max-height", "max-width", "min-height", "min-width", "mix-blend-mode",
        "object-fit", "object-position", "opacity", "order", "orphans", "outline", "outline-color",
        "outline-offset", "outline-style", "outline-width", "overflow", "overflow-wrap",
        "overflow-x", "overflow-y", "padding", "padding-block", "padding-bottom", "padding-inline",
        "padding-left", "padding-right", "padding-top", "page-break-after", "page-break-before",
        "page-break-inside", "perspective", "place-content", "place-items", "pointer-events",
        "position", "quotes", "resize", "right", "row-gap", "scroll-behavior", "size", "src",
        "tab-size", "table-layout", "text-align", "text-decoration", "text-decoration-color",
        "text-decoration-line", "text-decoration-style", "text-indent", "text-overflow",
        "text-shadow", "text-transform", "top", "transform", "transform-origin", "transition",
        "transition-delay", "transition-duration", "transition-property",
        "transition-timing-function", "unicode-bidi", "unicode-range", "user-select",
        "vertical-align", "visibility", "white-space", "widows", "width", "will-change",
        "word-break", "word-spacing", "word-wrap", "writing-mode", "z-index", "zoom"},
        false};
    TKrqKeywordSet colors_{{
        "aliceblue", "antiquewhite", "aqua", "aquamarine", "azure", "beige", "bisque", "black",
        "blanchedalmond", "blue", "blueviolet", "brown", "burlywood", "cadetblue", "chartreuse",
        "chocolate", "coral", "cornflowerblue", "cornsilk", "crimson", "currentcolor", "cyan",
        "darkblue", "darkcyan", "darkgoldenrod", "darkgray", "darkgreen", "darkgrey", "darkkhaki",
        "darkmagenta", "darkolivegreen", "darkorange", "darkorchid", "darkred", "darksalmon",
        "darkseagreen", "darkslateblue", "darkslategray", "darkslategrey", "darkturquoise",
        "darkviolet", "deeppink", "deepskyblue", "dimgray", "dimgrey", "dodgerblue", "firebrick",
        "floralwhite", "forestgreen", "fuchsia", "gainsboro", "ghostwhite", "gold", "goldenrod",
        "gray", "green", "greenyellow", "grey", "honeydew", "hotpink", "indianred", "indigo",
        "ivory", "khaki", "lavender", "lavenderblush", "lawngreen", "lemonchiffon", "lightblue",
        "lightcoral", "lightcyan", "lightgoldenrodyellow", "lightgray", "lightgreen", "lightgrey",
        "lightpink", "lightsalmon", "lightseagreen", "lightskyblue", "lightslategray",
        "lightslategrey", "lightsteelblue", "lightyellow", "lime", "limegreen", "linen", "magenta",
        "maroon", "mediumaquamarine", "mediumblue", "mediumorchid", "mediumpurple",
        "mediumseagreen", "mediumslateblue", "mediumspringgreen", "mediumturquoise",
        "mediumvioletred", "midnightblue", "mintcream", "mistyrose", "moccasin", "navajowhite",
        "navy", "oldlace", "olive", "olivedrab", "orange", "orangered", "orchid", "palegoldenrod",
        "palegreen", "paleturquoise", "palevioletred", "papayawhip", "peachpuff", "peru", "pink",
        "plum", "powderblue", "purple", "rebeccapurple", "red", "rosybrown", "royalblue",
        "saddlebrown", "salmon", "sandybrown", "seagreen", "seashell", "sienna", "silver",
        "skyblue", "slateblue", "slategray", "slategrey", "snow", "springgreen", "steelblue", "tan",
        "teal", "thistle", "tomato", "transparent", "turquoise", "violet", "wheat", "white",
        "whitesmoke", "yellow", "yellowgreen"},
        false};
    // clang-format on
};

// A name starts with a letter, "_", or "-" followed by a letter, "_" or "-".
bool TCssLexer::IdentStart(std::string_view s, size_t i) const {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c == '-')
        return i + 1 < s.size() &&
               (s[i + 1] == '-' || s[i + 1] == '_' ||
                (IdentChars()[static_cast<unsigned char>(s[i + 1])] && !IsDigit(s[i + 1])));
    return IdentChars()[c] && !IsDigit(c);
}

// A number with its unit ("12px", "-1.5em", "50%"), from s[i]; i when none starts there.
size_t TCssLexer::NumberEnd(std::string_view s, size_t i) const {
    const size_t n = s.size();
    size_t j = i;
    if (s[j] == '+' || s[j] == '-') ++j;
    size_t digits = j;
    while (j < n && IsDigit(s[j])) ++j;
    if (j + 1 < n && s[j] == '.' && IsDigit(s[j + 1])) {
        ++j;
        while (j < n && IsDigit(s[j])) ++j;
    }
    if (j == digits) return i;
    if (j + 1 < n && (s[j] == 'e' || s[j] == 'E') && IsDigit(s[j + 1])) {
        j += 2;
        while (j < n && IsDigit(s[j])) ++j;
    }
    if (j < n && s[j] == '%') return j + 1;
    while (j < n && IsAsciiLetter(s[j])) ++j;
    return j;
}

// "#fff", "#ffff", "#a0b1c2" or "#a0b1c2ff" from the "#" at s[i]; i when it is no colour.
size_t TCssLexer::HexColorEnd(std::string_view s, size_t i) const {
    size_t j = i + 1;
    while (j < s.size() && IsHexDigit(s[j])) ++j;
    size_t len = j - i - 1;
    if (j < s.size() && IdentChars()[static_cast<unsigned char>(s[j])]) return i;
    return len == 3 || len == 4 || len == 6 || len == 8 ? j : i;
}

int TCssLexer::PropertyAttr(std::string_view name) const {
    // Custom properties (--x) and vendor-prefixed ones (-webkit-x) are the author's business.
    if (name.starts_with("-")) return property_;
    return properties_.Contains(name) ? property_ : undefined_;
}

int TCssLexer::LexLine(std::string_view s, int stateIn, std::vector<TKrqToken>& out) const {
    const size_t n = s.size();
    TCssState st(stateIn);
    size_t i = 0;
    while (i < n) {
        if (st.comment) {
            size_t end = EmitThrough(out, s, i, i, "*/", comment_);
            if (end == kOpen) return st.Pack();
            st.comment = false;
            i = end;
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(s[i]);
        size_t j = i + 1;
        if (IsBlank(c)) {
            j = EmitBlanks(out, s, i, space_);
        } else if (c == '/' && j < n && s[j] == '*') {
            st.comment = true;
            EmitToken(out, i, 2, comment_);
            j = i + 2;
        } else if (c == '{') {
            EmitToken(out, i, 1, symbol_);
            bool group = st.side == kPrelude && st.groupPrelude;
            if (st.depth < kMaxDepth) {
                if (st.depth < kGroupLevels) {
                    st.groups &= ~(1 << st.depth);
                    if (group) st.groups |= 1 << st.depth;
                }
                ++st.depth;
            }
            st.groupPrelude = false;
            st.side = group ? kSelector : kProperty;
        } else if (c == '}') {
            EmitToken(out, i, 1, symbol_);
            if (st.depth > 0) --st.depth;
            st.side = st.BlockSide();
        } else if (c == ';') {
            EmitToken(out, i, 1, symbol_);
            st.side = st.BlockSide();
            st.groupPrelude = false;
        } else if (c == '"' || c == '\'') {
            j = ScanQuoted(s, j, static_cast<char>(c)).end;
            EmitToken(out, i, j - i, string_);
        } else if (c == '@' && j < n && IdentStart(s, j)) {
            j = SkipWhile(s, j, IdentChars());
            EmitToken(out, i, j - i, keyword_);
            st.groupPrelude = groupRules_.Contains(s.substr(i + 1, j - i - 1));
            st.side = kPrelude;
        } else if (st.side == kProperty) {
            if (IdentStart(s, i)) {
                j = SkipWhile(s, i, IdentChars());
                EmitToken(out, i, j - i, PropertyAttr(s.substr(i, j - i)));
            } else {
                EmitToken(out, i, 1, symbol_);
                if (c == ':') st.side = kValue;
            }
        } else if (st.side == kSelector) {
            if (IdentChars()[c] || (c == '-' && IdentStart(s, i))) {
                // Element names, classes, ids and pseudo-classes; "50%" names a keyframe.
                size_t num = IsDigit(c) ? NumberEnd(s, i) : i;
                j = num > i ? num : SkipWhile(s, i, IdentChars());
                EmitToken(out, i, j - i, num > i ? number_ : text_);
            } else {
                EmitToken(out, i, 1, symbol_);
            }
        } else {
            // A value, or the prelude of an at-rule.
            size_t end;
            if (c == '!' && EqualsNoCase(s.substr(SkipBlanks(s, j), 9), "important")) {
                j = SkipBlanks(s, j) + 9;
                EmitToken(out, i, j - i, keyword_);
            } else if (c == '#' && (end = HexColorEnd(s, i)) > i) {
                j = end;
                EmitToken(out, i, j - i, color_);
            } else if ((IsDigit(c) || c == '.' || c == '+' || c == '-') &&
                       (end = NumberEnd(s, i)) > i) {
                j = end;
                EmitToken(out, i, j - i, number_);
            } else if (IdentStart(s, i)) {
                j = SkipWhile(s, i, IdentChars());
                std::string_view w = s.substr(i, j - i);
                EmitToken(out, i, j - i, colors_.Contains(w) ? color_ : value_);
                // url(...) without quotes holds text that is not CSS ("//" and all).
                if (j < n && s[j] == '(' && EqualsNoCase(w, "url")) {
                    EmitToken(out, j, 1, symbol_);
                    size_t k = SkipBlanks(s, j + 1);
                    if (k < n && s[k] != '"' && s[k] != '\'') {
                        size_t close = Find(s, ')', k);
                        if (close == std::string_view::npos) close = n;
                        EmitToken(out, j + 1, k - j - 1, space_);
                        EmitToken(out, k, close - k, value_);
                        j = close;
                    } else {
                        j = j + 1;
                    }
                }
            } else {
                EmitToken(out, i, 1, symbol_);
            }
        }
        i = j;
    }
    return st.Pack();
}

}  // namespace

const TKrqLexer& CssLexer() {
    static const TCssLexer lexer;
    return lexer;
}

}  // namespace krq

// The HTML lexer: tags, attributes and their values, text, entities, comments and declarations.
#include <algorithm>

#include "lexers/KrqLexerBase.h"
#include "lexers/KrqMarkupScan.h"

namespace krq {

namespace {

using namespace lexscan;

// The state: a mode in the low four bits; while inside a tag, flags say whether it opens a
// script or style element (whose content is raw text up to its closing tag).
enum : int {
    kText = 0,
    kComment = 1,      // <!-- ... -->
    kTagName = 2,      // inside a tag, before an attribute name
    kTagAttr = 3,      // after an attribute name
    kTagEquals = 4,    // after "=", before the value
    kTagSingle = 5,    // inside '...'
    kTagDouble = 6,    // inside "..."
    kDeclaration = 7,  // <!DOCTYPE ...>, <?...>
    kScript = 8,       // raw text of <script>
    kStyle = 9,        // raw text of <style>
    kModeMask = 15,
    kOpensScript = 16,
    kOpensStyle = 32
};

class THtmlLexer final : public TKrqLexerBase {
  public:
    THtmlLexer()
        : TKrqLexerBase("hgr_Html", "TKrqHTMLHighlighter", "Dokument HTML",
                        "HTML Documents (*.htm,*.html)|*.htm;*.html",
                        {"Identyfikator", "Komentarz", "Nieznane słowo", "Słowo zarezerwowane",
                         "Spacja", "Symbol", "Tekst", "Wartość", "Wyjście ampersand"},
                        "Spacja", MakeIdentChars("-")),
          ident_(Attr("Identyfikator")),
          comment_(Attr("Komentarz")),
          unknown_(Attr("Nieznane słowo")),
          keyword_(Attr("Słowo zarezerwowane")),
          space_(Attr("Spacja")),
          symbol_(Attr("Symbol")),
          text_(Attr("Tekst")),
          value_(Attr("Wartość")),
          entity_(Attr("Wyjście ampersand")) {
        for (unsigned char c : std::string_view("-_:.")) nameChar_[c] = true;
        for (int c = 0; c < 256; ++c)
            if (IdentChars()[c]) nameChar_[c] = true;
    }

    int LexLine(std::string_view s, int state, std::vector<TKrqToken>& out) const override;

  private:
    size_t EntityEnd(std::string_view s, size_t i) const;
    size_t FindRawEnd(std::string_view s, size_t i, std::string_view name) const;
    size_t LexText(std::string_view s, size_t i, size_t end, bool entities,
                   std::vector<TKrqToken>& out) const;
    bool KnownAttribute(std::string_view name) const;

    const int ident_, comment_, unknown_, keyword_, space_, symbol_, text_, value_, entity_;
    std::array<bool, 256> nameChar_{};
    // clang-format off
    TKrqKeywordSet elements_{{
        "a", "abbr", "acronym", "address", "applet", "area", "article", "aside", "audio", "b",
        "base", "basefont", "bdi", "bdo", "big", "blockquote", "body", "br", "button", "canvas",
        "caption", "center", "cite", "code", "col", "colgroup", "data", "datalist", "dd", "del",
        "details", "dfn", "dialog", "dir", "div", "dl", "dt", "em", "embed", "fieldset",
        "figcaption", "figure", "font", "footer", "form", "frame", "frameset", "h1", "h2", "h3",
        "h4", "h5", "h6", "head", "header", "hgroup", "hr", "html", "i", "iframe", "img", "input",
        "ins", "kbd", "label", "legend", "li", "link", "main", "map", "mark", "marquee", "menu",
        "meta", "meter", "nav", "noframes", "noscript", "object", "ol", "optgroup", "option",
        "output", "p", "param", "picture", "pre", "progress", "q", "rp", "rt", "ruby", "s", "samp",
        "script", "search", "section", "select", "slot", "small", "source", "span", "strike",
        "strong", "style", "sub", "summary", "sup", "svg", "table", "tbody", "td", "template",
        "textarea", "tfoot", "th", "thead", "time", "title", "tr", "track", "tt", "u", "ul", "var",
        "video", "wbr"},
        false};
    TKrqKeywordSet attributes_{{
        "accept", "accept-charset", "accesskey", "action", "align", "alink", "allow",
        "allowfullscreen", "alt", "async", "autocomplete", "autofocus", "autoplay", "background",
        "bgcolor", "border", "cellpadding", "cellspacing", "charset", "checked", "cite", "class",
        "clear", "color", "cols", "colspan", "content", "contenteditable", "controls", "coords",
        "crossorigin", "datetime", "default", "defer", "dir", "disabled", "download", "draggable",
        "enctype", "face", "for", "form", "frameborder", "headers", "height", "hidden", "high",
        "href", "hreflang", "http-equiv", "id", "inputmode", "integrity", "ismap", "kind", "label",
        "lang", "language", "link", "list", "loading", "loop", "low", "manifest", "max",
        "maxlength", "media", "method", "min", "minlength", "multiple", "muted", "name", "nohref",
        "noshade", "novalidate", "nowrap", "onabort", "onblur", "onchange", "onclick", "ondblclick",
        "onerror", "onfocus", "oninput", "onkeydown", "onkeypress", "onkeyup", "onload",
        "onmousedown", "onmousemove", "onmouseout", "onmouseover", "onmouseup", "onreset",
        "onresize", "onscroll", "onselect", "onsubmit", "onunload", "open", "optimum", "pattern",
        "placeholder", "poster", "preload", "readonly", "referrerpolicy", "rel", "required", "rev",
        "reversed", "role", "rows", "rowspan", "rules", "sandbox", "scope", "scrolling", "selected",
        "shape", "size", "sizes", "slot", "span", "spellcheck", "src", "srcdoc", "srclang",
        "srcset", "start", "step", "style", "summary", "tabindex", "target", "text", "title",
        "translate", "type", "usemap", "valign", "value", "vlink", "width", "wrap", "xml:lang",
        "xmlns"},
        false};
    // clang-format on
};

bool THtmlLexer::KnownAttribute(std::string_view name) const {
    // data-* and aria-* are open families of valid attributes.
    if (name.size() > 5 &&
        (EqualsNoCase(name.substr(0, 5), "data-") || EqualsNoCase(name.substr(0, 5), "aria-")))
        return true;
    return attributes_.Contains(name);
}

// "&amp;", "&#163;" or "&#x41;" from the "&" at s[i]: its end, or i when it is a plain "&".
size_t THtmlLexer::EntityEnd(std::string_view s, size_t i) const {
    return ScanCharReference(s, i, true,
                             [](unsigned char c) { return IsAsciiLetter(c) || IsDigit(c); });
}

// Where "</name" starts from i (case ignored), or the line's length.
size_t THtmlLexer::FindRawEnd(std::string_view s, size_t i, std::string_view name) const {
    for (size_t p = Find(s, "</", i); p != std::string_view::npos; p = Find(s, "</", p + 2)) {
        if (EqualsNoCase(s.substr(p + 2, name.size()), name)) return p;
    }
    return s.size();
}

// Text between tags from i to end: words, blanks and (when asked) entities.
size_t THtmlLexer::LexText(std::string_view s, size_t i, size_t end, bool entities,
                           std::vector<TKrqToken>& out) const {
    while (i < end) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        size_t j = i + 1;
        if (IsBlank(c)) {
            j = std::min(SkipBlanks(s, i), end);
            EmitToken(out, i, j - i, space_);
        } else if (entities && c == '&' && (j = EntityEnd(s, i)) > i) {
            EmitToken(out, i, j - i, entity_);
        } else {
            j = MarkupTextEnd(s, i, end);
            EmitToken(out, i, j - i, text_);
        }
        i = j;
    }
    return end;
}

int THtmlLexer::LexLine(std::string_view s, int state, std::vector<TKrqToken>& out) const {
    const size_t n = s.size();
    size_t i = 0;
    int mode = state & kModeMask;
    int flags = state & ~kModeMask;
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        switch (mode) {
            case kComment: {
                i = EmitThrough(out, s, i, i, "-->", comment_);
                if (i == kOpen) return kComment;
                mode = kText;
                continue;
            }
            case kScript:
            case kStyle: {
                size_t end = FindRawEnd(s, i, mode == kScript ? "script" : "style");
                LexText(s, i, end, false, out);
                i = end;
                if (end < n) mode = kText;
                continue;
            }
            case kTagSingle:
            case kTagDouble: {
                QuoteScan q = ScanPlainQuote(s, i, mode == kTagSingle ? '\'' : '"');
                EmitToken(out, i, q.end - i, value_);
                i = q.end;
                if (q.closed) mode = kTagName;
                continue;
            }
            case kDeclaration: {
                size_t j = i + 1;
                if (IsBlank(c)) {
                    j = EmitBlanks(out, s, i, space_);
                } else if (c == '>') {
                    EmitToken(out, i, 1, symbol_);
                    mode = kText;
                } else if (c == '"' || c == '\'') {
                    j = ScanPlainQuote(s, i + 1, static_cast<char>(c)).end;
                    EmitToken(out, i, j - i, value_);
                } else if (nameChar_[c]) {
                    j = SkipWhile(s, i, nameChar_);
                    EmitToken(out, i, j - i, ident_);
                } else {
                    EmitToken(out, i, 1, symbol_);
                }
                i = j;
                continue;
            }
            case kTagName:
            case kTagAttr:
            case kTagEquals: {
                TTagScan t = ScanTagPart(s, i, mode == kTagEquals, nameChar_, "/");
                int attr = symbol_;
                switch (t.part) {
                    case TTagPart::Blank:
                        attr = space_;
                        break;
                    case TTagPart::End:
                        // A self-closing "<script/>" has no content to treat as raw text.
                        mode = c == '>' && (flags & kOpensScript)  ? kScript
                               : c == '>' && (flags & kOpensStyle) ? kStyle
                                                                   : kText;
                        flags = 0;
                        break;
                    case TTagPart::Equals:
                        mode = kTagEquals;
                        break;
                    case TTagPart::Quoted:
                        attr = value_;
                        mode = t.closed ? kTagName : c == '"' ? kTagDouble : kTagSingle;
                        break;
                    case TTagPart::Value:
                        attr = value_;
                        mode = kTagName;
                        break;
                    case TTagPart::Name:
                        attr = KnownAttribute(s.substr(i, t.end - i)) ? keyword_ : unknown_;
                        mode = kTagAttr;
                        break;
                    case TTagPart::Symbol:
                        break;
                }
                EmitToken(out, i, t.end - i, attr);
                i = t.end;
                continue;
            }
            default:
                break;
        }
        // Text: tags, comments, declarations, entities and words.
        if (c == '<' && s.compare(i, 4, "<!--") == 0) {
            mode = kComment;
            continue;
        }
        if (c == '<' && i + 1 < n && (s[i + 1] == '!' || s[i + 1] == '?')) {
            EmitToken(out, i, 2, symbol_);
            size_t j = SkipWhile(s, i + 2, nameChar_);
            EmitToken(out, i + 2, j - i - 2,
                      EqualsNoCase(s.substr(i + 2, j - i - 2), "doctype") ? keyword_ : unknown_);
            i = j;
            mode = kDeclaration;
            continue;
        }
        bool closing = c == '<' && i + 1 < n && s[i + 1] == '/';
        size_t nameStart = i + (closing ? 2 : 1);
        if (c == '<' && nameStart < n && IsAsciiLetter(s[nameStart])) {
            EmitToken(out, i, nameStart - i, symbol_);
            size_t j = SkipWhile(s, nameStart, nameChar_);
            std::string_view name = s.substr(nameStart, j - nameStart);
            EmitToken(out, nameStart, j - nameStart,
                      elements_.Contains(name) ? keyword_ : unknown_);
            flags = 0;
            if (!closing && EqualsNoCase(name, "script")) flags = kOpensScript;
            if (!closing && EqualsNoCase(name, "style")) flags = kOpensStyle;
            i = j;
            mode = kTagName;
            continue;
        }
        size_t end = i + 1;
        while (end < n && s[end] != '<') ++end;
        i = LexText(s, i, end, true, out);
    }
    return mode | (mode >= kTagName && mode <= kTagDouble ? flags : 0);
}

}  // namespace

const TKrqLexer& HtmlLexer() {
    static const THtmlLexer lexer;
    return lexer;
}

}  // namespace krq

// The XML lexer: elements, attributes, namespaces, references and the sections that span lines.
#include "lexers/KrqLexerBase.h"
#include "lexers/KrqMarkupScan.h"

namespace krq {

namespace {

using namespace lexscan;

// The state: a mode in the low four bits and, inside a tag, whether the attribute being read
// declares a namespace (its value is drawn differently).
enum : int {
    kText = 0,
    kComment = 1,        // <!-- ... -->
    kCData = 2,          // <![CDATA[ ... ]]>
    kInstruction = 3,    // <? ... ?>
    kDoctype = 4,        // <!DOCTYPE ... >
    kDoctypeSubset = 5,  // the [ ... ] inside it
    kTag = 6,            // inside a tag, before an attribute name
    kTagAttr = 7,        // after an attribute name
    kTagEquals = 8,      // after "=", before the value
    kTagSingle = 9,      // inside '...'
    kTagDouble = 10,     // inside "..."
    kModeMask = 15,
    kNamespace = 16
};

class TXmlLexer final : public TKrqLexerBase {
  public:
    TXmlLexer()
        : TKrqLexerBase("hgr_Xml", "TKrqXMLHighlighter", "XML",
                        "XML Files (*.xml,*.xsd,*.xsl,*.xslt,*.dtd)|*.xml;*.xsd;*.xsl;*.xslt;*.dtd",
                        {"Instrukcje postępu", "Jednostka odwolania", "Komentarz", "Nazwa atrybutu",
                         "Nazwa atrybutu namespace", "Nazwa elementu", "Pusta przestrzeń",
                         "Sekcja CDATA", "Sekcja DOCTYPE", "Symbol", "Tekst", "Wartość atrybutu",
                         "Wartość atrybutu namespace"},
                        "Pusta przestrzeń", MakeIdentChars("-.")),
          instruction_(Attr("Instrukcje postępu")),
          reference_(Attr("Jednostka odwolania")),
          comment_(Attr("Komentarz")),
          attrName_(Attr("Nazwa atrybutu")),
          nsName_(Attr("Nazwa atrybutu namespace")),
          element_(Attr("Nazwa elementu")),
          space_(Attr("Pusta przestrzeń")),
          cdata_(Attr("Sekcja CDATA")),
          doctype_(Attr("Sekcja DOCTYPE")),
          symbol_(Attr("Symbol")),
          text_(Attr("Tekst")),
          value_(Attr("Wartość atrybutu")),
          nsValue_(Attr("Wartość atrybutu namespace")) {
        nameChar_ = IdentChars();
        nameChar_[':'] = true;
    }

    int LexLine(std::string_view s, int state, std::vector<TKrqToken>& out) const override;

  private:
    size_t ReferenceEnd(std::string_view s, size_t i) const;
    int LexDoctype(std::string_view s, size_t& i, int mode, std::vector<TKrqToken>& out) const;

    const int instruction_, reference_, comment_, attrName_, nsName_, element_, space_, cdata_,
        doctype_, symbol_, text_, value_, nsValue_;
    std::array<bool, 256> nameChar_{};
};

// "&amp;", "&#10;", "&#x41;" from the "&" at s[i]: its end, or i when it is a stray "&".
size_t TXmlLexer::ReferenceEnd(std::string_view s, size_t i) const {
    return ScanCharReference(s, i, false, [this](unsigned char c) { return nameChar_[c]; });
}

// The DOCTYPE from s[i] up to its ">" (its internal subset may hold ">" inside "[ ]").
int TXmlLexer::LexDoctype(std::string_view s, size_t& i, int mode,
                          std::vector<TKrqToken>& out) const {
    const size_t n = s.size();
    size_t j = i;
    while (j < n) {
        char c = s[j];
        if (c == '"' || c == '\'') {
            j = ScanPlainQuote(s, j + 1, c).end;
        } else if (mode == kDoctypeSubset && c == '<' && s.compare(j, 4, "<!--") == 0) {
            size_t end = FindAfter(s, j + 4, "-->");
            j = end == std::string_view::npos ? n : end;
        } else if (c == '[' && mode == kDoctype) {
            mode = kDoctypeSubset;
            ++j;
        } else if (c == ']' && mode == kDoctypeSubset) {
            mode = kDoctype;
            ++j;
        } else if (c == '>' && mode == kDoctype) {
            ++j;
            mode = kText;
            break;
        } else {
            ++j;
        }
    }
    EmitToken(out, i, j - i, doctype_);
    i = j;
    return mode;
}

int TXmlLexer::LexLine(std::string_view s, int state, std::vector<TKrqToken>& out) const {
    const size_t n = s.size();
    size_t i = 0;
    int mode = state & kModeMask;
    bool ns = state & kNamespace;
    // Sections that close on a fixed text: comment, CDATA, processing instruction.
    auto section = [&](std::string_view close, int attr) {
        size_t end = EmitThrough(out, s, i, i, close, attr);
        if (end == kOpen) {
            i = n;
        } else {
            i = end;
            mode = kText;
        }
    };
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        switch (mode) {
            case kComment:
                section("-->", comment_);
                continue;
            case kCData:
                section("]]>", cdata_);
                continue;
            case kInstruction:
                section("?>", instruction_);
                continue;
            case kDoctype:
            case kDoctypeSubset:
                mode = LexDoctype(s, i, mode, out);
                continue;
            case kTagSingle:
            case kTagDouble: {
                QuoteScan q = ScanPlainQuote(s, i, mode == kTagSingle ? '\'' : '"');
                EmitToken(out, i, q.end - i, ns ? nsValue_ : value_);
                i = q.end;
                if (q.closed) mode = kTag, ns = false;
                continue;
            }
            case kTag:
            case kTagAttr:
            case kTagEquals: {
                TTagScan t = ScanTagPart(s, i, mode == kTagEquals, nameChar_, "/?");
                int attr = symbol_;
                switch (t.part) {
                    case TTagPart::Blank:
                        attr = space_;
                        break;
                    case TTagPart::End:
                        mode = kText;
                        ns = false;
                        break;
                    case TTagPart::Equals:
                        mode = kTagEquals;
                        break;
                    case TTagPart::Quoted:
                        attr = ns ? nsValue_ : value_;
                        if (t.closed) {
                            mode = kTag;
                            ns = false;
                        } else {
                            mode = c == '"' ? kTagDouble : kTagSingle;
                        }
                        break;
                    case TTagPart::Value:
                        // An unquoted value is an error in XML; it is still shown as the value.
                        attr = ns ? nsValue_ : value_;
                        mode = kTag;
                        ns = false;
                        break;
                    case TTagPart::Name: {
                        std::string_view name = s.substr(i, t.end - i);
                        ns = name == "xmlns" || name.starts_with("xmlns:");
                        attr = ns ? nsName_ : attrName_;
                        mode = kTagAttr;
                        break;
                    }
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
        // Text between tags.
        if (IsBlank(c)) {
            i = EmitBlanks(out, s, i, space_);
        } else if (c == '<') {
            if (s.compare(i, 4, "<!--") == 0) {
                mode = kComment;
                EmitToken(out, i, 4, comment_);
                i += 4;
            } else if (s.compare(i, 9, "<![CDATA[") == 0) {
                mode = kCData;
                EmitToken(out, i, 9, cdata_);
                i += 9;
            } else if (s.compare(i, 2, "<?") == 0) {
                mode = kInstruction;
                EmitToken(out, i, 2, instruction_);
                i += 2;
            } else if (s.compare(i, 2, "<!") == 0) {
                mode = kDoctype;
                EmitToken(out, i, 2, doctype_);
                i += 2;
            } else if (size_t nameStart = i + (i + 1 < n && s[i + 1] == '/' ? 2 : 1);
                       nameStart == n || !nameChar_[static_cast<unsigned char>(s[nameStart])]) {
                // A "<" that opens no element: an error in XML, shown as a bracket.
                EmitToken(out, i, 1, symbol_);
                ++i;
            } else {
                EmitToken(out, i, nameStart - i, symbol_);
                size_t j = SkipWhile(s, nameStart, nameChar_);
                EmitToken(out, nameStart, j - nameStart, element_);
                i = j;
                mode = kTag;
                ns = false;
            }
        } else if (c == '&' && ReferenceEnd(s, i) > i) {
            size_t j = ReferenceEnd(s, i);
            EmitToken(out, i, j - i, reference_);
            i = j;
        } else {
            size_t j = MarkupTextEnd(s, i, n);
            EmitToken(out, i, j - i, text_);
            i = j;
        }
    }
    return mode | (ns && mode >= kTag ? kNamespace : 0);
}

}  // namespace

const TKrqLexer& XmlLexer() {
    static const TXmlLexer lexer;
    return lexer;
}

}  // namespace krq

// The seventeen lexers in catalogue order.
#include "lexers/KrqLexer.h"

namespace krq {

const std::vector<const TKrqLexer*>& KrqLexerCatalogue() {
    static const std::vector<const TKrqLexer*> catalogue = {
        &HtmlLexer(),   &CssLexer(),  &PhpLexer(),      &JavaScriptLexer(), &JavaLexer(),
        &PascalLexer(), &CppLexer(),  &VbScriptLexer(), &VbLexer(),         &FortranLexer(),
        &PerlLexer(),   &SqlLexer(),  &AsmLexer(),      &IniLexer(),        &BatLexer(),
        &XmlLexer(),    &InnoLexer(),
    };
    return catalogue;
}

}  // namespace krq

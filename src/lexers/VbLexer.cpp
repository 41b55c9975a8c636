// The Visual Basic highlighter's lexer: the Basic rules with the keywords of Visual Basic 6.
#include "lexers/BasicLexerCommon.h"

namespace krq {

const TKrqLexer& VbLexer() {
    static const TKrqKeywordSet keywords(
        {"addressof",  "alias",      "and",     "any",     "append",   "as",      "attribute",
         "base",       "binary",     "boolean", "byref",   "byte",     "byval",   "call",
         "case",       "close",      "compare", "const",   "currency", "date",    "declare",
         "defbool",    "defbyte",    "defcur",  "defdate", "defdbl",   "defint",  "deflng",
         "defobj",     "defsng",     "defstr",  "defvar",  "dim",      "do",      "double",
         "each",       "else",       "elseif",  "empty",   "end",      "enum",    "eqv",
         "erase",      "error",      "event",   "exit",    "explicit", "false",   "for",
         "friend",     "function",   "get",     "global",  "gosub",    "goto",    "if",
         "imp",        "implements", "in",      "input",   "integer",  "is",      "let",
         "lib",        "like",       "line",    "lock",    "long",     "loop",    "lset",
         "me",         "mod",        "new",     "next",    "not",      "nothing", "null",
         "object",     "on",         "open",    "option",  "optional", "or",      "output",
         "paramarray", "preserve",   "print",   "private", "property", "public",  "put",
         "raiseevent", "random",     "read",    "redim",   "rem",      "resume",  "return",
         "rset",       "seek",       "select",  "set",     "shared",   "single",  "static",
         "step",       "stop",       "string",  "sub",     "then",     "to",      "true",
         "type",       "typeof",     "unlock",  "until",   "variant",  "wend",    "while",
         "with",       "withevents", "write",   "xor"},
        false);
    static const TKrqBasicLexer lexer("hgr_Vb", "TKrqVBHighlighter", "Visual Basic",
                                      "Visual Basic Files (*.bas)|*.bas", keywords);
    return lexer;
}

}  // namespace krq

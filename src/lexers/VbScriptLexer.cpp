// The Microsoft VBScript highlighter's lexer: the Basic rules with VBScript's keywords.
#include "lexers/BasicLexerCommon.h"

namespace krq {

const TKrqLexer& VbScriptLexer() {
    static const TKrqKeywordSet keywords(
        {"and",      "byref",         "byval",   "call",     "case",   "class",
         "const",    "default",       "dim",     "do",       "each",   "else",
         "elseif",   "empty",         "end",     "eqv",      "erase",  "error",
         "execute",  "executeglobal", "exit",    "explicit", "false",  "for",
         "function", "get",           "goto",    "if",       "imp",    "in",
         "is",       "let",           "loop",    "me",       "mod",    "new",
         "next",     "not",           "nothing", "null",     "on",     "option",
         "or",       "preserve",      "private", "property", "public", "randomize",
         "redim",    "rem",           "resume",  "select",   "set",    "step",
         "stop",     "sub",           "then",    "to",       "true",   "until",
         "wend",     "while",         "with",    "xor"},
        false);
    static const TKrqBasicLexer lexer("hgr_VbScript", "TKrqVBScriptHighlighter",
                                      "Microsoft VBScript", "VBScript Files (*.vbs)|*.vbs",
                                      keywords);
    return lexer;
}

}  // namespace krq

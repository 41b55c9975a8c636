// The word lists of the SQL highlighter (Transact-SQL as Sybase and SQL Server know it, with
// the PL/SQL and SQL*Plus words an Oracle script brings along).
#pragma once

#include "lexers/KrqLexerBase.h"

namespace krq::sqlwords {

const TKrqKeywordSet& Reserved();
const TKrqKeywordSet& PlSql();
const TKrqKeywordSet& DataTypes();
const TKrqKeywordSet& Functions();
const TKrqKeywordSet& Packages();
const TKrqKeywordSet& Exceptions();
const TKrqKeywordSet& SystemTables();
// Every word of the seven lists above, so that a plain name costs one look-up.
const TKrqKeywordSet& Classified();
// Commands SQL*Plus takes at the start of a line, and the settings its SET takes.
const TKrqKeywordSet& PlusCommands();
const TKrqKeywordSet& PlusSettings();

}  // namespace krq::sqlwords

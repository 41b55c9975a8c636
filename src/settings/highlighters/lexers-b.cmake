target_sources(krq_core PRIVATE
  highlighters/BasicLexerCommon.cpp
  highlighters/VbLexer.cpp
  highlighters/VbScriptLexer.cpp
  highlighters/FortranLexer.cpp
  highlighters/PerlLexer.cpp
  highlighters/SqlWords.cpp
  highlighters/SqlLexer.cpp
  highlighters/AsmLexer.cpp
  highlighters/IniLexer.cpp
  highlighters/BatLexer.cpp
  highlighters/InnoWords.cpp
  highlighters/InnoLexer.cpp)

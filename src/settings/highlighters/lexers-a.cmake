target_sources(krq_core PRIVATE
  highlighters/HtmlLexer.cpp
  highlighters/CssLexer.cpp
  highlighters/PhpLexer.cpp
  highlighters/JavaScriptLexer.cpp
  highlighters/JavaLexer.cpp
  highlighters/PascalLexer.cpp
  highlighters/CppLexer.cpp
  highlighters/XmlLexer.cpp)

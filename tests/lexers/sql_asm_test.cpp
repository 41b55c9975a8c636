// SQL and x86 assembler: word classes, comments carried across lines, strings and numbers.
#include <gtest/gtest.h>

#include "lexers/LexerTestUtil.h"

using namespace krq;
using test::AttrOf;
using test::StatesAfter;
using test::Styled;

namespace {
const TKrqLexer& Sql() { return SqlLexer(); }
const TKrqLexer& Asm86() { return AsmLexer(); }
}  // namespace

TEST(SqlLexer, WordClassesIgnoreCase) {
    struct Case {
        const char* line;
        const char* word;
        const char* attr;
    } cases[] = {
        {"select * from t", "select", "Słowo zarezerwowane"},
        {"SeLeCt 1", "SeLeCt", "Słowo zarezerwowane"},
        {"declare @x varchar(10)", "varchar", "Typ danych"},
        {"declare @x DateTime", "DateTime", "Typ danych"},
        {"declare @c char(10)", "char", "Typ danych"},
        {"select coalesce(a, b)", "coalesce", "Funkcja"},
        {"select getdate()", "getdate", "Funkcja"},
        {"select DATALENGTH (x)", "DATALENGTH", "Funkcja"},
        {"select left(x, 2) from a left join b", "left(", "Funkcja"},
        {"select left(x, 2) from a left join b", "left join", "Słowo zarezerwowane"},
        {"select @x = 1", "@x", "Zmienna"},
        {"if @@error <> 0", "@@error", "Zmienna"},
        {"select name from sysobjects", "sysobjects", "Nazwa tabeli"},
        {"dbms_output.put_line('x');", "dbms_output", "Domyślne paczki"},
        {"when no_data_found then", "no_data_found", "Wyjątek"},
        {"elsif x then", "elsif", "Słowo zarezerwowane PL/SQL"},
        {"pragma exception_init(e, -1);", "exception_init", "Słowo zarezerwowane PL/SQL"},
        {"select * from #temp", "#temp", "Identyfikator"},
        {"select [order] from t", "[order]", "Identyfikator"},
        {"select \"order\" from t", "\"order\"", "Identyfikator"},
        {"where x = :bind", ":bind", "Zmienna"},
    };
    for (const auto& c : cases) EXPECT_EQ(AttrOf(Sql(), c.line, c.word), c.attr) << c.line;
}

TEST(SqlLexer, CommentsAndStringsSpanLines) {
    auto states = StatesAfter(Sql(), {"select 1 /* a", "select 2", "*/ select 3", "-- /* no",
                                      "select 'x", "it''s", "y' from t"});
    EXPECT_NE(states[0], 0);
    EXPECT_EQ(AttrOf(Sql(), "select 2", "select", states[0]), "Komentarz");
    EXPECT_EQ(states[2], 0);
    EXPECT_EQ(AttrOf(Sql(), "*/ select 3", "select", states[1]), "Słowo zarezerwowane");
    EXPECT_EQ(states[3], 0);  // a line comment opens nothing
    EXPECT_NE(states[4], 0);
    EXPECT_NE(states[5], 0);  // '' is a quote inside the string
    EXPECT_EQ(states[6], 0);
    EXPECT_EQ(AttrOf(Sql(), "y' from t", "from", states[5]), "Słowo zarezerwowane");
    EXPECT_EQ(Styled(Sql(), "'a''b'"), "Łańcuch znaków:\"'a''b'\"");
    EXPECT_EQ(Styled(Sql(), "N'zażółć'"), "Łańcuch znaków:\"N'zażółć'\"");
}

TEST(SqlLexer, NumbersInEveryNotationButDigitsInANameBelongToTheName) {
    for (const char* n : {"42", "3.14", "1.5E-3", "0x1F", ".5"})
        EXPECT_EQ(Styled(Sql(), n), std::string("Numer:\"") + n + "\"") << n;
    EXPECT_EQ(AttrOf(Sql(), "select t1.c from t1", "t1"), "Identyfikator");
}

TEST(SqlLexer, SqlPlusCommandsOnlyWhereTheyCannotBeSql) {
    EXPECT_EQ(Styled(Sql(), "SET SERVEROUTPUT ON SIZE 10000"),
              "SQL*Komenda Plus:\"SET SERVEROUTPUT ON SIZE 10000\"");
    EXPECT_EQ(Styled(Sql(), "  spool c:\\out.txt"),
              "Spacja:\"  \" SQL*Komenda Plus:\"spool c:\\\\out.txt\"");
    EXPECT_EQ(AttrOf(Sql(), "PROMPT Zaczynamy", "Zaczynamy"), "SQL*Komenda Plus");
    EXPECT_EQ(AttrOf(Sql(), "DESCRIBE emp", "emp"), "SQL*Komenda Plus");
    EXPECT_EQ(AttrOf(Sql(), "REM uwaga", "uwaga"), "Komentarz");
    // The same words where they begin SQL.
    EXPECT_EQ(AttrOf(Sql(), "SET NOCOUNT ON", "SET"), "Słowo zarezerwowane");
    EXPECT_EQ(AttrOf(Sql(), "SET @x = 1", "SET"), "Słowo zarezerwowane");
    EXPECT_EQ(AttrOf(Sql(), "DESC", "DESC"), "Słowo zarezerwowane");
    EXPECT_EQ(AttrOf(Sql(), "START WITH id = 1", "START"), "Słowo zarezerwowane PL/SQL");
    EXPECT_EQ(AttrOf(Sql(), "CONNECT BY PRIOR id = parent", "CONNECT"),
              "Słowo zarezerwowane PL/SQL");
    EXPECT_EQ(AttrOf(Sql(), "select 1 from t where x = 'PROMPT'", "select"), "Słowo zarezerwowane");
    // Inside an open comment a command word is comment text.
    EXPECT_EQ(AttrOf(Sql(), "SPOOL x", "SPOOL", 1), "Komentarz");
}

TEST(AsmLexer, InstructionsRegistersDirectivesIgnoreCase) {
    EXPECT_EQ(Styled(Asm86(), "MOV Eax, [ebx+4]"),
              "Słowo zarezerwowane:\"MOV\" Spacja:\" \" Słowo zarezerwowane:\"Eax\" Symbol:\",\" "
              "Spacja:\" \" Symbol:\"[\" Słowo zarezerwowane:\"ebx\" Symbol:\"+\" Numer:\"4\" "
              "Symbol:\"]\"");
    for (const char* w : {"jmp", "INT", "proc", "endp", "segment", "db", "dw", ".MODEL", ".data?",
                          "ptr", "%define", "xmm0", "al"})
        EXPECT_EQ(AttrOf(Asm86(), std::string(w) + " x", w), "Słowo zarezerwowane") << w;
    EXPECT_EQ(AttrOf(Asm86(), "petla: dec cx", "petla"), "Identyfikator");
    EXPECT_EQ(AttrOf(Asm86(), "mov ax, FFh", "FFh"), "Identyfikator");  // hex needs a leading digit
}

TEST(AsmLexer, NumbersOfEveryRadixDoubledQuotesAndCommentBlocksOverLines) {
    for (const char* n : {"123", "0FFh", "0x1F", "101b", "17o", "17q", "1.5e3", "10d"})
        EXPECT_EQ(AttrOf(Asm86(), std::string("dd ") + n, n), "Numer") << n;
    EXPECT_EQ(Styled(Asm86(), "db 'it''s', \"a;b\" ; c"),
              "Słowo zarezerwowane:\"db\" Spacja:\" \" Łańcuch znaków:\"'it''s'\" Symbol:\",\" "
              "Spacja:\" \" Łańcuch znaków:\"\\\"a;b\\\"\" Spacja:\" \" Komentarz:\"; c\"");
    auto states = StatesAfter(Asm86(), {"comment ~ start", "mov ax, 1", "end ~ tail", "mov ax, 1"});
    EXPECT_NE(states[0], 0);
    EXPECT_EQ(AttrOf(Asm86(), "mov ax, 1", "mov", states[0]), "Komentarz");
    EXPECT_EQ(states[2], 0);
    EXPECT_EQ(states[3], 0);
    EXPECT_EQ(StatesAfter(Asm86(), {"comment * one line *"})[0], 0);
}

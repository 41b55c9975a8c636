// INI files, batch files and Inno Setup scripts.
#include <gtest/gtest.h>

#include "lexers/LexerTestUtil.h"

using namespace krq;
using test::AttrOf;
using test::StatesAfter;
using test::Styled;

TEST(IniLexer, OnlyTheFirstEqualsSeparatesAndOnlyALeadingMarkComments) {
    const auto& ini = IniLexer();
    EXPECT_EQ(Styled(ini, "[Edit]"), "Sekcja:\"[Edit]\"");
    EXPECT_EQ(Styled(ini, "key = value text"),
              "Klucz:\"key\" Spacja:\" \" Symbol:\"=\" Spacja:\" \" Tekst:\"value text\"");
    EXPECT_EQ(Styled(ini, "n=-12.5"), "Klucz:\"n\" Symbol:\"=\" Numer:\"-12.5\"");
    EXPECT_EQ(Styled(ini, "n=12abc"), "Klucz:\"n\" Symbol:\"=\" Tekst:\"12abc\"");
    EXPECT_EQ(Styled(ini, "p=\"a=b;c\""),
              "Klucz:\"p\" Symbol:\"=\" Łańcuch znaków:\"\\\"a=b;c\\\"\"");
    EXPECT_EQ(Styled(ini, "; x=1"), "Komentarz:\"; x=1\"");
    EXPECT_EQ(Styled(ini, "  # x"), "Spacja:\"  \" Komentarz:\"# x\"");
    // Only the first "=" separates; the rest belongs to the value.
    EXPECT_EQ(Styled(ini, "a=b=c"), "Klucz:\"a\" Symbol:\"=\" Tekst:\"b=c\"");
    EXPECT_EQ(Styled(ini, "x=1 ;no comment"), "Klucz:\"x\" Symbol:\"=\" Tekst:\"1 ;no comment\"");
}

TEST(BatLexer, CommandsAreKeysButNotAsEchoTextAndRemOrColonsComment) {
    const auto& bat = BatLexer();
    EXPECT_EQ(Styled(bat, "@ECHO OFF"), "Klucz:\"@ECHO\" Spacja:\" \" Klucz:\"OFF\"");
    EXPECT_EQ(Styled(bat, "Rem cokolwiek %x%"), "Komentarz:\"Rem cokolwiek %x%\"");
    EXPECT_EQ(Styled(bat, "rem"), "Komentarz:\"rem\"");
    EXPECT_EQ(AttrOf(bat, "remark.exe", "remark"), "Identyfikator");
    EXPECT_EQ(Styled(bat, ":: uwaga"), "Komentarz:\":: uwaga\"");
    EXPECT_EQ(Styled(bat, ":koniec"), "Identyfikator:\":koniec\"");
    EXPECT_EQ(AttrOf(bat, "IF EXIST a.txt GOTO koniec", "GOTO"), "Klucz");
    EXPECT_EQ(AttrOf(bat, "echo if copy", "copy"), "Identyfikator");  // text after ECHO
    EXPECT_EQ(AttrOf(bat, "echo x & copy a b", "copy"), "Klucz");
    EXPECT_EQ(AttrOf(bat, "exit /b 3", "3"), "Numer");
}

TEST(BatLexer, EveryVariableFormIsAVariableButALonePercentOrBangIsNot) {
    const auto& bat = BatLexer();
    for (const char* v :
         {"%PATH%", "%1", "%*", "%~dp0", "%%i", "%%~nxf", "!licznik!", "%x:~0,5%", "%s:a=b%"})
        EXPECT_EQ(AttrOf(bat, std::string("echo ") + v, v), "Zmienna") << v;
    EXPECT_EQ(AttrOf(bat, "echo 100% pewne", "%"), "Identyfikator");
    EXPECT_EQ(AttrOf(bat, "echo Uwaga!", "!"), "Identyfikator");
}

TEST(InnoLexer, SectionsChangeHowLinesAreRead) {
    const auto& inno = InnoLexer();
    auto states = StatesAfter(inno, {"[Setup]", "AppName=Moja aplikacja", "[Files]",
                                     "Source: \"a.exe\"; DestDir: \"{app}\"; Flags: ignoreversion",
                                     "[Code]", "begin end;"});
    EXPECT_EQ(Styled(inno, "AppName=Moja aplikacja", states[0]),
              "Dyrektywa:\"AppName\" Symbol:\"=\" Łańcuch znaków:\"Moja aplikacja\"");
    EXPECT_EQ(AttrOf(inno, "Nieznana=1", "Nieznana", states[0]), "Identyfikator");
    EXPECT_EQ(AttrOf(inno, "AppName=x", "AppName", states[2]), "Identyfikator");
    EXPECT_EQ(Styled(inno, "Source: \"a.exe\"; Flags: ignoreversion", states[2]),
              "Dyrektywa:\"Source\" Symbol:\":\" Spacja:\" \" Łańcuch znaków:\"\\\"a.exe\\\"\" "
              "Symbol:\";\" Spacja:\" \" Dyrektywa:\"Flags\" Symbol:\":\" Spacja:\" \" "
              "Identyfikator:\"ignoreversion\"");
    EXPECT_EQ(AttrOf(inno, "begin end;", "begin", states[4]), "Słowo zarezerwowane");
    EXPECT_EQ(AttrOf(inno, "begin end;", "begin", states[2]), "Identyfikator");
    EXPECT_EQ(AttrOf(inno, "DefaultDirName={pf}\\App", "{pf}", states[0]), "Identyfikator");
    EXPECT_EQ(AttrOf(inno, "AppName={#Nazwa}", "{#", states[0]), "Preprocesor");
    EXPECT_EQ(AttrOf(inno, "#define Nazwa \"X\"", "Nazwa", states[4]), "Preprocesor");
    EXPECT_EQ(AttrOf(inno, "; uwaga", "uwaga", states[0]), "Komentarz");
    EXPECT_EQ(AttrOf(inno, "[setup]", "setup", states[4]), "Sekcja");
}

TEST(InnoLexer, PascalCommentsSpanLinesAndBadCharactersShow) {
    const auto& inno = InnoLexer();
    auto states = StatesAfter(
        inno, {"[Code]", "{ a", "[Setup] still comment", "}", "(* b", "*) x := 1;", "[Run]"});
    EXPECT_NE(states[1], states[0]);
    EXPECT_EQ(AttrOf(inno, "[Setup] still comment", "[Setup]", states[1]), "Komentarz");
    EXPECT_EQ(states[2], states[1]);
    EXPECT_EQ(states[3], states[0]);
    EXPECT_NE(states[4], states[0]);
    EXPECT_EQ(states[5], states[0]);
    EXPECT_EQ(AttrOf(inno, "*) x := 1;", "x", states[4]), "Identyfikator");
    EXPECT_EQ(Styled(inno, "s := 'it''s' + #13#10 + $FF;", states[0]),
              "Identyfikator:\"s\" Spacja:\" \" Symbol:\":=\" Spacja:\" \" "
              "Łańcuch znaków:\"'it''s'\" Spacja:\" \" Symbol:\"+\" Spacja:\" \" "
              "Łańcuch znaków:\"#13#10\" Spacja:\" \" Symbol:\"+\" Spacja:\" \" Numer:\"$FF\" "
              "Symbol:\";\"");
    EXPECT_EQ(AttrOf(inno, "x := \"a\";", "\"", states[0]), "Niedopuszczalny znak");
    EXPECT_EQ(AttrOf(inno, "zażółć := 1;", "ż", states[0]), "Niedopuszczalny znak");
    EXPECT_EQ(AttrOf(inno, "  [1, 2]", "[", states[0]), "Symbol");  // not a section header
    EXPECT_EQ(AttrOf(inno, "BEGIN", "BEGIN", states[0]), "Słowo zarezerwowane");
}

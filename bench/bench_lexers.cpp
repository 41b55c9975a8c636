// Lexing speed of every lexer on ~20 MB generated files of its language, line by line with the
// state carried, as the editor lexes; and on hostile single lines of 1 MB, beside the memchr
// floor of one pass over such a line.
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "LexerBench.h"

using namespace krq;
using bench::LexDocument;
using bench::TDocument;

namespace {

// The length of the single-line benchmarks.
constexpr size_t kLineSize = 1 << 20;

// A block of typical lines of its language, repeated with "#N" replaced by a counter (modulo a
// prime, so that names recur as in real files); lines end in CR LF as on Windows.
TDocument GenerateCrLf(const char* block) {
    return bench::GenerateDocument(block, "#N", 9973, "\r\n");
}

const char* const kHtml = R"~(<!DOCTYPE html>
<html lang="pl">
<head><meta charset="windows-1250"><title>Strona #N</title></head>
<body class="main" onload="start(#N)" > <!--sekcja #N opis na dwie linie-->
                          <div id = "s#N" class = 'box' data - index = "#N">
                          <p> Zazolc gesla jazn& amp;
&#163;
tekst akapitu numer #N, <b> pogrubiony</ b> i<i> pochyly</ i>.</ p>
                        <a href = "strona#N.html" title = "Link #N"> dalej</ a><br />
                        <img src = "obraz#N.png" alt = "Obraz" width = 120 height = 80>
                        <table border = "1"><tr><td> #N</ td><td> wartosc</ td></ tr></ table>
                        </ div><script type = "text/javascript"> if (a < #N) {
    x = "<p>";
}</script>
</body>
</html>
)~";

const char* const kCss = R"~(/* Arkusz #N
   styli */
@import url("wspolne#N.css");
body, h1 > .klasa#N #id#N:hover {
    color: red; background: #fff url("tlo#N.png") no-repeat;
    margin: 10px -1.5em 0 50%;
    font-family: "Verdana", sans-serif;
    font-weight: bold !important;
    border: 1px solid #a0b1c2;
}
@media screen and (max-width: #Npx) {
    a[href="x#N"] { padding: 0 #Npx; nieznana: wartosc; }
}
)~";

const char* const kPhp = R"~(<?php
// Komentarz #N
namespace App\Modul#N;
function powitanie_#N($imie, $x = 0x1F) {
    /* blok
       komentarza */
    echo "Witaj, $imie numer #N!\n";
    $tekst = 'jednoliniowy napis #N';
    if ($x > #N && isset($_GET['id'])) { return $x * 1.5; }
    foreach ($lista as $k => $v) { $suma += $v; } # koniec
    return array_map(fn($a) => $a + #N, $tablica);
}
)~";

const char* const kJs = R"~(// Obsluga zdarzen #N
function pokaz#N(el, n) {
    const re = /ab+c\/[a-z]/gi, x = #N / 2;
    el.onclick = function () { alert('Wynik: ' + x); };
    window.onload = null;
    let wynik = document.getElementById("id#N"), k = 0xFF + 1.5e3;
    /* blok
       komentarza */
    for (let i = 0; i < n; i++) { wynik.innerHTML += `<li>${i}</li>`; }
    return Math.max(n, Array.prototype.length + #N);
}
)~";

const char* const kJava = R"~(/**
 * Dokumentacja klasy Klasa#N.
 */
public final class Klasa#N extends Object implements Runnable {
    private static final long MAX = 0x7FFF_FFFFL; // stala #N
    private double d = 1.5e-3d;
    /* zwykly komentarz */
    private String s = "tekst \"#N\"";
    @Override
    public void run() {
        for (int i = 0; i < #N; i++) { if (i % 2 == 0) System.out.println(s + i); }
    }
}
)~";

const char* const kPascal = R"~({$MODE DELPHI}
unit Modul#N;
(* komentarz
   w nawiasach *)
interface
const
  Hex = $FF; Kropka = 1.5e3; Zakres = #N;
  Napis = 'It''s ' + #13#10;
procedure Licz#N(var A: array of Integer);
implementation
procedure Licz#N(var A: array of Integer);
var I: Integer;
begin
  for I := Low(A) to High(A) do A[I] := A[I] * #N; { mnozenie }
end;
end.
)~";

const char* const kCpp = R"~(// Plik #N
#include <vector>
#define MAX_#N(a, b) \
    ((a) > (b) ? (a) : (b))
/* komentarz
   na dwie linie */
namespace modul#N {
constexpr int kHex = 0x1F, kOct = 017, kDec = #N;
static const double f = 1.5f + 1e9;
std::string napis#N(const char* s) { return std::string("tekst \"#N\"") + s + '\n'; }
template <typename T> T suma(const std::vector<T>& v) { T r{}; for (auto& x : v) r += x; return r; }
}  // namespace modul#N
)~";

const char* const kXml = R"~(<?xml version="1.0" encoding="windows-1250"?>
<!-- komentarz #N
     wielowierszowy -->
<n:notatka xmlns:n="urn:notatki" xmlns="urn:domyslna" id="#N"
   data="2024-01-#N">
  <tresc jezyk="pl">Zazolc &amp; gesla &#x41; numer #N</tresc>
  <![CDATA[ <surowe> &amp;
  dane ]]>
  <pozycja nr="#N" cena="12.50"/>
</n:notatka>
)~";

const TDocument& HtmlDoc() {
    static const TDocument doc = GenerateCrLf(kHtml);
    return doc;
}
void BM_Html(benchmark::State& s) { LexDocument(s, HtmlLexer(), HtmlDoc()); }
const TDocument& CssDoc() {
    static const TDocument doc = GenerateCrLf(kCss);
    return doc;
}
void BM_Css(benchmark::State& s) { LexDocument(s, CssLexer(), CssDoc()); }
const TDocument& PhpDoc() {
    static const TDocument doc = GenerateCrLf(kPhp);
    return doc;
}
void BM_Php(benchmark::State& s) { LexDocument(s, PhpLexer(), PhpDoc()); }
const TDocument& JavaScriptDoc() {
    static const TDocument doc = GenerateCrLf(kJs);
    return doc;
}
void BM_JavaScript(benchmark::State& s) { LexDocument(s, JavaScriptLexer(), JavaScriptDoc()); }
const TDocument& JavaDoc() {
    static const TDocument doc = GenerateCrLf(kJava);
    return doc;
}
void BM_Java(benchmark::State& s) { LexDocument(s, JavaLexer(), JavaDoc()); }
const TDocument& PascalDoc() {
    static const TDocument doc = GenerateCrLf(kPascal);
    return doc;
}
void BM_Pascal(benchmark::State& s) { LexDocument(s, PascalLexer(), PascalDoc()); }
const TDocument& CppDoc() {
    static const TDocument doc = GenerateCrLf(kCpp);
    return doc;
}
void BM_Cpp(benchmark::State& s) { LexDocument(s, CppLexer(), CppDoc()); }
const TDocument& XmlDoc() {
    static const TDocument doc = GenerateCrLf(kXml);
    return doc;
}
void BM_Xml(benchmark::State& s) { LexDocument(s, XmlLexer(), XmlDoc()); }

// Repeats the template lines until ~20 MB, each ending in LF, replacing "@N@" by a running
// number so the lines are not all alike.
TDocument GenerateLines(std::initializer_list<const char*> block) {
    std::string text;
    for (const char* line : block) (text += line) += '\n';
    return bench::GenerateDocument(text, "@N@", 0, "\n");
}

const TDocument& VbScriptDoc() {
    static const TDocument doc = GenerateLines({
        "' Przetwarzanie pliku numer @N@",
        "Dim fso, plik@N@, licznik",
        "Set fso = CreateObject(\"Scripting.FileSystemObject\")",
        "If fso.FileExists(\"C:\\dane\\plik@N@.txt\") Then",
        "    licznik = licznik + &H1F + 1.5E3 ' dodaj",
        "    WScript.Echo \"Plik \"\"@N@\"\" istnieje: \" & licznik",
        "ElseIf Not licznik = 0 And licznik <> @N@ Then",
        "    Rem nic do zrobienia",
        "End If",
    });
    return doc;
}

void BM_VbScript(benchmark::State& state) { LexDocument(state, VbScriptLexer(), VbScriptDoc()); }

const TDocument& VbDoc() {
    static const TDocument doc = GenerateLines({
        "Private Function Oblicz@N@(ByVal x As Long, Optional y As Double = 1#) As Double",
        "    Dim i As Integer, suma#, nazwa$",
        "    For i = 0 To @N@ Step 2",
        "        suma = suma + x * 1.25D2 + &HFF& ' komentarz",
        "    Next i",
        "    nazwa = Left$(\"Łańcuch znaków\", 3)",
        "    Oblicz@N@ = suma",
        "End Function",
    });
    return doc;
}

void BM_Vb(benchmark::State& state) { LexDocument(state, VbLexer(), VbDoc()); }

const TDocument& FortranDoc() {
    static const TDocument doc = GenerateLines({
        "C     Podprogram @N@",
        "      SUBROUTINE LICZ@N@(X, N)",
        "      INTEGER N, I",
        "      DOUBLE PRECISION X(N), S",
        "      S = 0.0D0",
        "      DO 10 I = 1, N",
        "         IF (X(I) .GT. 1.5E-3 .AND. I .NE. @N@) S = S + X(I)",
        "   10 CONTINUE",
        "      WRITE (*,*) 'Suma: ', S  ! wynik",
        "      END",
    });
    return doc;
}

void BM_Fortran(benchmark::State& state) { LexDocument(state, FortranLexer(), FortranDoc()); }

const TDocument& PerlDoc() {
    static const TDocument doc = GenerateLines({
        "# blok @N@",
        "sub licz_@N@ {",
        "    my ($self, %opts) = @_;",
        "    my @lista = qw(alfa beta gamma);",
        "    foreach my $w (@lista) {",
        "        next if $w =~ /^a\\d+/i;",
        "        $self->{count}{$w} += length($w) / 2 + 0x1F;",
        "        (my $t = $w) =~ s{\\.pl$}{.log}g;",
        "    }",
        "    print \"Razem: $#lista @N@\\n\" if $opts{verbose};",
        "    return $self;",
        "}",
    });
    return doc;
}

void BM_Perl(benchmark::State& state) { LexDocument(state, PerlLexer(), PerlDoc()); }

const TDocument& SqlDoc() {
    static const TDocument doc = GenerateLines({
        "-- zapytanie @N@",
        "SELECT f.id, count(*), isnull(sum(f.kwota), 0.0) AS suma",
        "  FROM faktury f JOIN [Klienci] k ON k.id = f.klient_id",
        " WHERE f.data BETWEEN @od AND getdate() AND f.nr = @N@",
        "   AND f.opis LIKE 'faktura ''@N@''%' /* uwaga */",
        "DECLARE @x varchar(20), @y money",
        "IF @@ROWCOUNT = 0 PRINT 'Brak danych'",
        "SELECT name FROM sysobjects WHERE type = 'U' ORDER BY name",
    });
    return doc;
}

void BM_Sql(benchmark::State& state) { LexDocument(state, SqlLexer(), SqlDoc()); }

const TDocument& AsmDoc() {
    static const TDocument doc = GenerateLines({
        "; procedura @N@",
        "proc@N@ proc near",
        "        mov ax, @data",
        "        mov ds, ax          ; segment danych",
        "        mov cx, @N@",
        "petla@N@: add word ptr [bx+si], 0FFh",
        "        dec cx",
        "        jnz petla@N@",
        "        db 'Napis', 0Dh, 0Ah, '$'",
        "        ret",
        "proc@N@ endp",
    });
    return doc;
}

void BM_Asm(benchmark::State& state) { LexDocument(state, AsmLexer(), AsmDoc()); }

const TDocument& IniDoc() {
    static const TDocument doc = GenerateLines({
        "; sekcja @N@",
        "[Sekcja@N@]",
        "nazwa=Wartość tekstowa @N@",
        "liczba = @N@",
        "ułamek=-12.5",
        "ścieżka=\"C:\\Program Files\\Kwerdel\"",
        "",
    });
    return doc;
}

void BM_Ini(benchmark::State& state) { LexDocument(state, IniLexer(), IniDoc()); }

const TDocument& BatDoc() {
    static const TDocument doc = GenerateLines({
        "rem krok @N@",
        "set LICZNIK=@N@",
        "if not exist \"%TEMP%\\kopia@N@\" mkdir \"%TEMP%\\kopia@N@\"",
        "for %%f in (*.txt) do copy \"%%f\" \"%TEMP%\\kopia@N@\\\" >nul",
        "echo Skopiowano %LICZNIK% plików do !CEL! %~dp0",
        "if %ERRORLEVEL% neq 0 goto :blad",
        ":etykieta@N@",
    });
    return doc;
}

void BM_Bat(benchmark::State& state) { LexDocument(state, BatLexer(), BatDoc()); }

const TDocument& InnoDoc() {
    static const TDocument doc = GenerateLines({
        "[Setup]",
        "AppName=Program @N@",
        "DefaultDirName={pf}\\Program@N@",
        "Compression=lzma2/max",
        "[Files]",
        "Source: \"plik@N@.exe\"; DestDir: \"{app}\"; Flags: ignoreversion",
        "; komentarz",
        "[Code]",
        "{ funkcja @N@ }",
        "function Sprawdz@N@(): Boolean;",
        "begin",
        "  Result := GetWindowsVersion > $0501 + @N@; // wersja",
        "  MsgBox('Witaj' + #13#10, mbInformation, MB_OK);",
        "end;",
    });
    return doc;
}

void BM_Inno(benchmark::State& state) { LexDocument(state, InnoLexer(), InnoDoc()); }

std::string Repeat(std::string_view piece) {
    std::string line;
    while (line.size() < kLineSize) line += piece;
    return line;
}

// Lexes one long line per iteration.
void LexOneLine(benchmark::State& state, const TKrqLexer& lexer, const std::string& line) {
    std::vector<TKrqToken> tokens;
    for (auto _ : state) {
        tokens.clear();
        benchmark::DoNotOptimize(lexer.LexLine(line, 0, tokens));
        benchmark::DoNotOptimize(tokens.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(line.size()));
}

// The floor of a pass over a line: memchr looking for a byte the line lacks.
void BM_LineFloorMemchr(benchmark::State& state) {
    static const std::string line = Repeat("abc ");
    for (auto _ : state) benchmark::DoNotOptimize(std::memchr(line.data(), '\n', line.size()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(line.size()));
}

struct TLineCase {
    const char* name;
    const TKrqLexer& (*lexer)();
    // Pieces that, repeated over the line, make a lexer look far ahead from many positions.
    std::vector<std::string> hostile;
};

// Every lexer on hostile lines of 1 MB, "Line/Php/\"$\"" and so on; its normal text is the document
// of the benchmarks above, lexed line by line.
void RegisterLineBenchmarks() {
    static const std::vector<TLineCase> cases = {
        {"Html", HtmlLexer, {"<", "<a b=\"", "&#", "<!--"}},
        {"Css", CssLexer, {"url(", "{", "\""}},
        {"Php", PhpLexer, {"$", "$$", "\"$", "<<<"}},
        {"JavaScript", JavaScriptLexer, {"/[", "[/", "/\\", "`${"}},
        {"Java", JavaLexer, {"\"\"\"", "\\\"\"\""}},
        {"Pascal", PascalLexer, {"{$", "(*", "'"}},
        {"Cpp", CppLexer, {"R\"x(", ")", "__asm "}},
        {"Xml", XmlLexer, {"<", "<![CDATA[", "&"}},
        {"VbScript", VbScriptLexer, {"[", "[ "}},
        {"Vb", VbLexer, {"[", "[a"}},
        {"Fortran", FortranLexer, {".", "'"}},
        {"Perl", PerlLexer, {"${", "@{", "{$", "$$", "/"}},
        {"Sql", SqlLexer, {"[", "\""}},
        {"Asm", AsmLexer, {"'", "["}},
        {"Ini", IniLexer, {"[", "="}},
        {"Bat", BatLexer, {"<%", "%", "!"}},
        {"Inno", InnoLexer, {"{", "{ ", "a={", "Name: {"}},
    };
    for (const auto& c : cases) {
        for (const auto& piece : c.hostile) {
            auto* line = new std::string(Repeat(piece));
            benchmark::RegisterBenchmark(
                (std::string("Line/") + c.name + "/\"" + piece + "\"").c_str(),
                [&c, line](benchmark::State& s) { LexOneLine(s, c.lexer(), *line); })
                ->Unit(benchmark::kMillisecond);
        }
    }
}

}  // namespace

BENCHMARK(BM_Html)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Css)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Php)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JavaScript)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Java)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pascal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Cpp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Xml)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VbScript)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Vb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fortran)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Perl)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sql)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Asm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ini)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bat)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Inno)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LineFloorMemchr)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RegisterLineBenchmarks();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

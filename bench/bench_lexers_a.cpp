// Lexing speed of the HTML, CSS, PHP, JavaScript, Java, Pascal, C++ and XML lexers on ~20 MB.
#include "LexerBench.h"

namespace {

using krq::bench::LexDocument;

// A block of typical lines of its language, repeated with "#N" replaced by a counter; lines end
// in CR LF as on Windows.
krq::bench::TDocument Generate(const char* block) {
    return krq::bench::GenerateDocument(block, "#N", 9973, "\r\n");
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

void BM_Html(benchmark::State& s) { LexDocument(s, krq::HtmlLexer(), Generate(kHtml)); }
void BM_Css(benchmark::State& s) { LexDocument(s, krq::CssLexer(), Generate(kCss)); }
void BM_Php(benchmark::State& s) { LexDocument(s, krq::PhpLexer(), Generate(kPhp)); }
void BM_JavaScript(benchmark::State& s) { LexDocument(s, krq::JavaScriptLexer(), Generate(kJs)); }
void BM_Java(benchmark::State& s) { LexDocument(s, krq::JavaLexer(), Generate(kJava)); }
void BM_Pascal(benchmark::State& s) { LexDocument(s, krq::PascalLexer(), Generate(kPascal)); }
void BM_Cpp(benchmark::State& s) { LexDocument(s, krq::CppLexer(), Generate(kCpp)); }
void BM_Xml(benchmark::State& s) { LexDocument(s, krq::XmlLexer(), Generate(kXml)); }

BENCHMARK(BM_Html)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Css)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Php)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JavaScript)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Java)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pascal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Cpp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Xml)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

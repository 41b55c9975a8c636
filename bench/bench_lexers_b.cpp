// Lexing speed of the VBScript, Visual Basic, Fortran, Perl, SQL, assembler, INI, batch and
// Inno Setup highlighters on ~20 MB generated files of each language, line by line with state.
#include <initializer_list>
#include <string>

#include "LexerBench.h"

using namespace krq;
using bench::LexDocument;
using bench::TDocument;

namespace {

// Repeats the block of template lines until ~20 MB, replacing "@N@" by a running number so the
// lines are not all alike.
TDocument Generate(std::initializer_list<const char*> block) {
    std::string text;
    for (const char* line : block) (text += line) += '\n';
    return bench::GenerateDocument(text, "@N@", 0, "\n");
}

void BM_VbScript(benchmark::State& state) {
    static const TDocument doc = Generate({
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
    LexDocument(state, VbScriptLexer(), doc);
}

void BM_Vb(benchmark::State& state) {
    static const TDocument doc = Generate({
        "Private Function Oblicz@N@(ByVal x As Long, Optional y As Double = 1#) As Double",
        "    Dim i As Integer, suma#, nazwa$",
        "    For i = 0 To @N@ Step 2",
        "        suma = suma + x * 1.25D2 + &HFF& ' komentarz",
        "    Next i",
        "    nazwa = Left$(\"Łańcuch znaków\", 3)",
        "    Oblicz@N@ = suma",
        "End Function",
    });
    LexDocument(state, VbLexer(), doc);
}

void BM_Fortran(benchmark::State& state) {
    static const TDocument doc = Generate({
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
    LexDocument(state, FortranLexer(), doc);
}

void BM_Perl(benchmark::State& state) {
    static const TDocument doc = Generate({
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
    LexDocument(state, PerlLexer(), doc);
}

void BM_Sql(benchmark::State& state) {
    static const TDocument doc = Generate({
        "-- zapytanie @N@",
        "SELECT f.id, count(*), isnull(sum(f.kwota), 0.0) AS suma",
        "  FROM faktury f JOIN [Klienci] k ON k.id = f.klient_id",
        " WHERE f.data BETWEEN @od AND getdate() AND f.nr = @N@",
        "   AND f.opis LIKE 'faktura ''@N@''%' /* uwaga */",
        "DECLARE @x varchar(20), @y money",
        "IF @@ROWCOUNT = 0 PRINT 'Brak danych'",
        "SELECT name FROM sysobjects WHERE type = 'U' ORDER BY name",
    });
    LexDocument(state, SqlLexer(), doc);
}

void BM_Asm(benchmark::State& state) {
    static const TDocument doc = Generate({
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
    LexDocument(state, AsmLexer(), doc);
}

void BM_Ini(benchmark::State& state) {
    static const TDocument doc = Generate({
        "; sekcja @N@",
        "[Sekcja@N@]",
        "nazwa=Wartość tekstowa @N@",
        "liczba = @N@",
        "ułamek=-12.5",
        "ścieżka=\"C:\\Program Files\\Kwerdel\"",
        "",
    });
    LexDocument(state, IniLexer(), doc);
}

void BM_Bat(benchmark::State& state) {
    static const TDocument doc = Generate({
        "rem krok @N@",
        "set LICZNIK=@N@",
        "if not exist \"%TEMP%\\kopia@N@\" mkdir \"%TEMP%\\kopia@N@\"",
        "for %%f in (*.txt) do copy \"%%f\" \"%TEMP%\\kopia@N@\\\" >nul",
        "echo Skopiowano %LICZNIK% plików do !CEL! %~dp0",
        "if %ERRORLEVEL% neq 0 goto :blad",
        ":etykieta@N@",
    });
    LexDocument(state, BatLexer(), doc);
}

void BM_Inno(benchmark::State& state) {
    static const TDocument doc = Generate({
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
    LexDocument(state, InnoLexer(), doc);
}

}  // namespace

BENCHMARK(BM_VbScript)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Vb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fortran)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Perl)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sql)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Asm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ini)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bat)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Inno)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

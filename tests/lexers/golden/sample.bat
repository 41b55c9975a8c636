@echo off
rem Kopiowanie plików
:: komentarz dwukropkowy
setlocal enabledelayedexpansion
set LICZNIK=0
if not exist "%TEMP%\kopia" mkdir "%TEMP%\kopia"
for %%f in (*.txt) do (
    copy "%%f" "%TEMP%\kopia\" >nul
    set /a LICZNIK+=1
    echo Skopiowano %%~nxf !LICZNIK! for if
)
if %ERRORLEVEL% neq 0 goto :blad
echo Gotowe: %LICZNIK% plików, parametr %1 i %~dp0
goto :eof
:blad
echo Błąd %PATH:~0,5% & exit /b 1
REM koniec

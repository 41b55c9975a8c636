' Kopia zapasowa katalogu — skrypt VBScript
Option Explicit
Dim fso, folder, file, count, name
Set fso = CreateObject("Scripting.FileSystemObject")
Const MAX_SIZE = &H1F00
count = 0 : name = "Plik ""ważny"""
REM licznik plików
If fso.FolderExists("C:\Dane") Then
    Set folder = fso.GetFolder("C:\Dane")
    For Each file In folder.Files
        If file.Size > MAX_SIZE And Not file.Name = "" Then count = count + 1
    Next
ElseIf count <> 1.5E+3 Then
    WScript.Echo "Brak katalogu: " & _
        "C:\Dane"
End If
Function Podwój(ByVal x)
    Podwój = x * 2 ' zwraca wynik
End Function
WScript.Echo Left$(name, 3), [Nazwa z odstępem], obj.End
msg = "niezamknięty

Attribute VB_Name = "Module1"
Option Explicit
Private Declare Function GetTickCount Lib "kernel32" () As Long
Public Type Punkt
    X As Integer
    Y As Double
End Type
Dim tablica(10) As String, łańcuch$
Sub Main()
    Dim i As Long, suma#
    suma = 0#
    For i = 0 To 10 Step 2
        suma = suma + i * 1.25D2 + &HFF& + &O17
    Next i
    rem komentarz małymi literami
    Open "dane.txt" For Output As #1
    Print #1, "Suma: "; suma
    Close #1
    MsgBox "Gotowe", vbOKOnly ' koniec
End Sub

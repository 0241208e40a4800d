' A conversion script of the kind users write: walk the text line by line and character by
' character, map letters through two parallel strings, fix up words, number the lines.
Option Explicit

Const LATIN = "abvgdezijklmnoprstufh"
Const CYRILLIC = "абвгдезийклмнопрстуфх"

Class Transliterator
    Private mCount

    Private Sub Class_Initialize()
        mCount = 0
    End Sub

    Public Property Get Count()
        Count = mCount
    End Property

    Public Function Convert(ByVal text)
        Dim i, ch, lower, at, out
        For i = 1 To Len(text)
            ch = Mid(text, i, 1)
            lower = LCase(ch)
            at = InStr(LATIN, lower)
            If at > 0 Then
                mCount = mCount + 1
                If ch <> lower Then
                    out = out & UCase(Mid(CYRILLIC, at, 1))
                Else
                    out = out & Mid(CYRILLIC, at, 1)
                End If
            Else
                out = out & ch
            End If
        Next
        Convert = out
    End Function
End Class

Function Pad(n, width)
    Pad = Right(Space(width) & n, width)
End Function

Function Capitalize(line)
    If Len(line) = 0 Then
        Capitalize = line
    Else
        Capitalize = UCase(Left(line, 1)) & Mid(line, 2)
    End If
End Function

Dim source, lines, i, t, result, words
source = "privet mir" & vbCrLf & "" & vbCrLf & "Kak dela?" & vbCrLf & "  dobro  "
Set t = New Transliterator
lines = Split(source, vbCrLf)
ReDim numbered(UBound(lines))
For i = 0 To UBound(lines)
    numbered(i) = Pad(i + 1, 3) & " " & Capitalize(t.Convert(Trim(lines(i))))
Next
result = Join(numbered, vbCrLf)
For Each words In Split(result, vbCrLf)
    WScript.Echo words
Next
WScript.Echo "letters converted: " & t.Count
WScript.Echo "words: " & UBound(Split(Trim(Replace(source, vbCrLf, " ")), " ")) + 1
' expect:   1 Привет мир
' expect:   2 
' expect:   3 Как дела?
' expect:   4 Добро
' expect: letters converted: 21
' expect: words: 8

' Приводит в порядок строки исходника перед склейкой абзацев:
' табуляции становятся пробелами, пробелы по краям строк убираются,
' двойные пробелы внутри строки сжимаются в один. Строка из одних пробелов
' становится пустой и поэтому разделяет абзацы.
Sub Main
    Dim lines, i
    lines = Split(X(), vbCrLf)
    For i = 0 To UBound(lines)
        lines(i) = TidyLine(lines(i))
    Next
    Send Join(lines, vbCrLf)
End Sub

Function TidyLine(line)
    Dim s
    s = Trim(Replace(line, vbTab, " "))
    Do While InStr(s, "  ") > 0
        s = Replace(s, "  ", " ")
    Loop
    TidyLine = s
End Function

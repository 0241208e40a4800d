' Deep but finite recursion works.
Function SumTo(n)
    If n = 0 Then
        SumTo = 0
    Else
        SumTo = n + SumTo(n - 1)
    End If
End Function
WScript.Echo SumTo(500)
' expect: 125250

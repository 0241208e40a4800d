' Runaway recursion stops with "Out of stack space" instead of crashing the program.
' expect error 28
Function Down(n)
    Dim local
    local = n & "-" & Len(CStr(n))
    If n Mod 2 = 0 Then
        Down = Down(n + 1) + 1
    Else
        Select Case n Mod 3
            Case 0: Down = Down(n + 1) + 2
            Case Else: Down = Down(n + 1) + 3
        End Select
    End If
End Function
WScript.Echo "start"
Down 1
WScript.Echo "never"
' expect: start

' The basics: output, arithmetic, strings, a function and a loop.
Dim a, b
a = 5
b = a * 2 + 1
WScript.Echo b
WScript.Echo "x" & b & "y"
Function Twice(n)
    Twice = n * 2
End Function
WScript.Echo Twice(21)
For i = 1 To 3
    s = s & i
Next
WScript.Echo s
' expect: 11
' expect: x11y
' expect: 42
' expect: 123

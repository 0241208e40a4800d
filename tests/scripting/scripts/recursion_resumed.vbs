' Out of stack space can be caught like any other run-time error.
Function Forever(n)
    Forever = Forever(n + 1)
End Function
On Error Resume Next
Forever 1
WScript.Echo Err.Number, Err.Description
' expect: 28 Out of stack space

' Operands are read left to right: a function on the right that changes the variable on the
' left does not change the value already read.
Dim x, y
Function Bump()
    x = 10
    Bump = 0
End Function
x = 1
y = x + Bump()
WScript.Echo y, x
x = 1
WScript.Echo x = Bump(), x
x = "a"
y = x & Bump2()
WScript.Echo y
Function Bump2()
    x = "changed"
    Bump2 = "b"
End Function
' expect: 1 10
' expect: False 10
' expect: ab

' Numbers written as text the way CStr, & and Echo write them: at most 15 significant digits,
' scientific form from 1E+15 up and when a fraction needs more than 15 decimals.
WScript.Echo 0.1 + 0.2
WScript.Echo 1E+20
WScript.Echo 1 / 3
WScript.Echo 2 / 3
WScript.Echo 1 / 30
WScript.Echo 9.2 * 100
WScript.Echo 999999999999999
WScript.Echo 1E15
WScript.Echo 123456789 * 1000
WScript.Echo CSng("0.01") + 0.01
WScript.Echo "x=" & 2.5 & ";" & -0.25
WScript.Echo CStr(100000 * 100000)
WScript.Echo 1.5E+300 * 1E+8
WScript.Echo CStr(CSng(1) / 3)
WScript.Echo 10 / 4, 7 / 7
' expect: 0.3
' expect: 1E+20
' expect: 0.333333333333333
' expect: 0.666666666666667
' expect: 3.33333333333333E-02
' expect: 920
' expect: 999999999999999
' expect: 1E+15
' expect: 123456789000
' expect: 1.99999997764826E-02
' expect: x=2.5;-0.25
' expect: 10000000000
' expect: 1.5E+308
' expect: 0.3333333
' expect: 2.5 1

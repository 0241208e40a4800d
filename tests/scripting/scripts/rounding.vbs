' CInt, CLng and Round round halves to the even neighbour; Int rounds down, Fix toward zero.
WScript.Echo CInt(2.5), CInt(3.5), CInt(-2.5), CInt(0.5), CInt(1.5)
WScript.Echo CLng(2.5), CLng(1234567.5), CLng("7.5")
WScript.Echo Round(2.5), Round(3.5), Round(-0.5), Round(2.567, 2), Round(1.005, 1)
WScript.Echo Int(2.7), Int(-2.5), Fix(-2.5), Fix(2.7)
WScript.Echo 7 \ 2, -7 \ 2, 7 Mod 3, -7 Mod 3, 5.5 Mod 2, 6.5 \ 2
WScript.Echo 2 ^ 10, 2 ^ -1, -2 ^ 2, (-2) ^ 2
WScript.Echo Abs(-3), Sgn(-0.5), Sgn(0), Sqr(16)
WScript.Echo TypeName(Round(2.5)), TypeName(Int(2)), TypeName(7 \ 2)
' expect: 2 4 -2 0 2
' expect: 2 1234568 8
' expect: 2 4 0 2.57 1
' expect: 2 -3 -2 2
' expect: 3 -3 1 -1 0 3
' expect: 1024 0.5 4 4
' expect: 3 -1 0 4
' expect: Double Integer Integer

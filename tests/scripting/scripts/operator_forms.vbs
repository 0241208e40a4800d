' Operators as older scripts write them, and where each one binds.
Dim hi, ho, total
hi = "there" : ho = "ward"
WScript.Echo "say " &hi, "to" &ho
WScript.Echo &h1F + 1, &o17, &hFFFF, &hA&
WScript.Echo TypeName(&h7&), TypeName(&h12345&), TypeName(&hFFFFFFFF&), &hFFFFFFFF&
WScript.Echo 3 =< 4, 4 => 5, 2 >< 2, 2 <> 3
WScript.Echo -3 ^ 2, -2 ^ 3, 2 ^ -1, 2 ^ 3 ^ 2
WScript.Echo 7 - 2 - 1, 2 * 3 Mod 4, 7 \ 2 * 2, 1 + 2 & 3 + 4
WScript.Echo Not 1 = 2, Not 0 And 0, 1 Or 2 And 4, True Xor True Eqv False
total = 0
Select Case 5
    Case Is =< 4 : total = 1
    Case Is => 5 : total = 2
End Select
WScript.Echo total
' expect: say there toward
' expect: 32 15 -1 10
' expect: Integer Long Integer -1
' expect: True False False True
' expect: 9 -8 0.5 64
' expect: 4 2 1 37
' expect: True 0 1 True
' expect: 2

' Comparisons: numbers with numbers, texts by code units, a number is less than a text unless
' one side is a literal, Empty as 0 or "", Null gives Null, Is compares objects.
Dim n, s
n = 1
s = "1"
WScript.Echo n = s, n < s, n = "1", "1" = n, s = 1
WScript.Echo "abc" < "abd", "A" < "a", "abc" = "ABC", "10" < "9"
WScript.Echo Empty = 0, Empty = "", IsNull(Null = Null), IsNull(1 < Null)
WScript.Echo 2 > 1.5, True = -1, 3 <> 3, 3 >= 3
WScript.Echo StrComp("a", "A"), StrComp("a", "A", vbTextCompare), StrComp("b", "a", 1)
WScript.Echo StrComp("Ёж", "ёЖ", 1), StrComp("я", "Я"), UCase("привет") = "ПРИВЕТ"
Dim d1, d2
Set d1 = New Thing
Set d2 = d1
WScript.Echo d1 Is d2, d1 Is New Thing, d1 Is Nothing, Nothing Is Nothing
Class Thing
End Class
' expect: False True True True True
' expect: True True False True
' expect: True True True True
' expect: True True False True
' expect: 1 0 1
' expect: 0 1 True
' expect: True False False True

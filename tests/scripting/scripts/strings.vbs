' Text functions, positions from 1, lengths in UTF-16 units.
Dim s
s = "Hello, World"
WScript.Echo Len(s), Left(s, 5), Right(s, 5), Mid(s, 8), Mid(s, 8, 3), Mid(s, 20) = ""
WScript.Echo InStr(s, "o"), InStr(6, s, "o"), InStr(s, "x"), InStr(s, ""), InStr("", "a")
WScript.Echo InStr(1, s, "WORLD", vbTextCompare), InStr(1, s, "WORLD"), InStrRev(s, "o")
WScript.Echo InStrRev(s, "o", 8), InStrRev(s, "l", -1, 1)
WScript.Echo Replace(s, "l", "L"), Replace(s, "l", "L", 1, 2), Replace(s, "L", "_", 1, -1, 1)
WScript.Echo Replace("abcabc", "a", "x", 3), Replace("aaa", "a", "aa"), Replace("abc", "", "x")
WScript.Echo UCase(s), LCase(s), "[" & Trim("  a b  ") & "]", "[" & LTrim("  a ") & "]"
WScript.Echo "[" & RTrim(" a  ") & "]", "[" & Space(3) & "]", String(3, "xy"), String(2, 65)
WScript.Echo StrReverse("abc"), Len(Space(0)), Left("ab", 10), Right("ab", 0) = ""
WScript.Echo Chr(65), Asc("A"), ChrW(1046), AscW("Ж"), Chr(192), Asc("А"), Asc("€")
WScript.Echo Hex(255), Hex(-1), Hex(-32769), Oct(8), Hex(65536), Hex(3.5)
WScript.Echo UCase("ёлка"), LCase("ЁЛКА ÄÖ"), Len("ёлка"), Mid("привет", 2, 3)
WScript.Echo InStr(1, "ПРИВЕТ мир", "вет", 1), Replace("Мир мир МИР", "мир", "X", 1, -1, 1)
WScript.Echo Len(123.5), Len(True), "a" & 1.5 & True
WScript.Echo "He said ""hi""", Len("""")
' expect: 12 Hello World World Wor True
' expect: 5 9 0 1 0
' expect: 8 0 9
' expect: 5 11
' expect: HeLLo, WorLd HeLLo, World He__o, Wor_d
' expect: cxbc aaaaaa abc
' expect: HELLO, WORLD hello, world [a b] [a ]
' expect: [ a] [   ] xxx AA
' expect: cba 0 ab True
' expect: A 65 Ж 1046 А 192 136
' expect: FF FFFF FFFF7FFF 10 10000 4
' expect: ЁЛКА ёлка äö 4 рив
' expect: 4 X X X
' expect: 5 4 a1.5True
' expect: He said "hi" 1
WScript.Echo InStrRev("abcabc", "c", 5), InStrRev("abc", "abc", 2), InStrRev("abc", "c", 3), InStrRev("abcABC", "c", -1, 1)
' expect: 3 0 3 6

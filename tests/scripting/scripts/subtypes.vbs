' Subtypes of literals and results, Integer -> Long -> Double promotion on overflow, and the
' rules of + and & between texts and numbers.
WScript.Echo TypeName(1), TypeName(32768), TypeName(2147483648), TypeName(1.5)
WScript.Echo TypeName("a"), TypeName(True), TypeName(Empty), TypeName(Null), TypeName(Nothing)
WScript.Echo TypeName(Array()), TypeName(CByte(5)), TypeName(CSng(1)), TypeName(&HFF&)
Dim x
x = 32767
x = x + 1
WScript.Echo x, TypeName(x)
x = 2147483647
x = x + 1
WScript.Echo x, TypeName(x)
x = 200 * 200
WScript.Echo x, TypeName(x)
WScript.Echo TypeName(CByte(200) + CByte(100)), CByte(200) + CByte(100)
WScript.Echo "1" + 2, TypeName("1" + 2), "1" + "2", "1" & 2, 1 & 2
WScript.Echo True + True, TypeName(True + True), Empty + 1, TypeName(Empty + Empty)
WScript.Echo IsNull(Null + 1), IsNull(Null & Null), "a" & Null & "b"
WScript.Echo VarType(1), VarType("s"), VarType(1.5), VarType(Array(1)), VarType(Empty)
WScript.Echo -(-32768), TypeName(-(-32768))
WScript.Echo &HFF, &HFFFF, &H10000, &O17, &777, 1E3, .5
' expect: Integer Long Double Double
' expect: String Boolean Empty Null Nothing
' expect: Variant() Byte Single Integer
' expect: 32768 Long
' expect: 2147483648 Double
' expect: 40000 Long
' expect: Integer 300
' expect: 3 Double 12 12 12
' expect: -2 Integer 1 Integer
' expect: True True ab
' expect: 2 8 5 8204 0
' expect: 32768 Long
' expect: 255 -1 65536 15 511 1000 0.5

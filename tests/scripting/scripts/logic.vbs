' And, Or, Xor, Not, Eqv, Imp: logical on Booleans, bitwise on numbers, with Null rules.
WScript.Echo True And False, True Or False, True Xor True, Not True
WScript.Echo 6 And 3, 6 Or 3, 6 Xor 3, Not 0, Not 5
WScript.Echo True Eqv True, False Imp True, True Imp False, 12 Eqv 10
WScript.Echo Null And False, IsNull(Null And True), Null Or True, IsNull(Null Or False)
WScript.Echo IsNull(Not Null), IsNull(Null Xor True), False Imp Null
WScript.Echo TypeName(True And 1), TypeName(1 And 70000), TypeName(True And False)
WScript.Echo "True" And True, 7 And "3"
Dim a
a = 5
WScript.Echo a > 3 And a < 10, Not a = 5, a = 5 Or a = 6
' expect: False True False False
' expect: 2 7 5 -1 -6
' expect: True True False -7
' expect: False True True True
' expect: True True True
' expect: Integer Long Boolean
' expect: True 3
' expect: True False True

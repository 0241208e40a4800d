' Rnd: numbers in [0, 1); a negative argument restarts the sequence it names; 0 repeats.
Dim a, b, c, i, ok
a = Rnd(-3)
b = Rnd
c = Rnd(0)
WScript.Echo a = Rnd(-3), b = Rnd, c = b, TypeName(a)
Randomize
ok = True
For i = 1 To 1000
    a = Rnd
    If a < 0 Or a >= 1 Then ok = False
Next
WScript.Echo ok, Int(Rnd * 6) + 1 <= 6
Randomize 42
a = Rnd
Randomize 42
WScript.Echo TypeName(a)
' expect: True True True Single
' expect: True True
' expect: Single

' Letter case, comments, Rem, colons, line continuations, literals.
DIM Value : value = 1 : VALUE = Value + 1
WScript.echo value ' a comment
Rem a whole line of remarks
wscript.Echo "a" & _
    "b" & _
    "c"
Dim longSum
longSum = 1 + _
          2 + _
          3
WScript.Echo longSum: WScript.Echo "two on a line"
WScript.Echo "quote "" inside", "", "'not a comment'"
WScript.Echo 1.5e2, 2E-2, &h1F, &o10, 10000000000
WScript.Echo vbTab = Chr(9), Len(vbCrLf), vbNullString = "", vbTextCompare, vbYes
x = 5 Rem remark after a statement
WScript.Echo x
Dim [my name]
[my name] = "bracketed"
WScript.Echo [my name]
If True Then WScript.Echo "if" Else WScript.Echo "else"
WScript.Echo #1/15/2024# = DateSerial(2024, 1, 15), Year(#2024-03-07#)
' expect: 2
' expect: abc
' expect: 6
' expect: two on a line
' expect: quote " inside  'not a comment'
' expect: 150 0.02 31 8 10000000000
' expect: True 2 True 1 6
' expect: 5
' expect: bracketed
' expect: if
' expect: True 2024

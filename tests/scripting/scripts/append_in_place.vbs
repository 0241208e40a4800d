' Building a long text with s = s & ... keeps the language's meaning, including when the
' right side reads s or a function on the right side changes it.
Dim s, i
s = String(300, "a")
s = s & s & "b"
WScript.Echo Len(s), Right(s, 2)
s = String(300, "c")
s = s & Changes() & "!"
WScript.Echo Len(s), Left(s, 1), Right(s, 4)
Function Changes()
    s = "replaced"
    Changes = "-x-"
End Function
s = String(300, "d")
s = s & Null & 1.5 & True
WScript.Echo Right(s, 7)
Dim parts(1)
parts(0) = "p0"
parts(1) = "p1"
s = String(300, "e")
s = s & parts(1) & UCase("q") & Len(s)
WScript.Echo Right(s, 8)
Dim text
For i = 1 To 2000
    text = text & "line " & i & vbCrLf
Next
WScript.Echo Len(text), Mid(text, 1, 6) = "line 1"
' expect: 601 ab
' expect: 304 c -x-!
' expect: 1.5True
' expect: eep1Q300
' expect: 20893 True

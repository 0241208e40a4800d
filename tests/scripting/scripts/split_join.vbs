' Split, Join and Filter, and the usual loop over the lines of a text.
Dim text, lines, i, out
text = "one" & vbCrLf & "two" & vbCrLf & "" & vbCrLf & "three"
lines = Split(text, vbCrLf)
WScript.Echo UBound(lines), LBound(lines)
For i = 0 To UBound(lines)
    If Len(lines(i)) > 0 Then out = out & "<" & UCase(lines(i)) & ">"
Next
WScript.Echo out
WScript.Echo Join(lines, "|"), Join(Split("a b c")), Join(Array(1, 2, 3), "")
WScript.Echo UBound(Split("")), UBound(Split("abc", "")), Join(Split("a,b,c,d", ",", 2), "/")
WScript.Echo Join(Split("aXbxc", "x", -1, vbTextCompare), "-"), Join(Split("aXbxc", "x"), "-")
WScript.Echo Join(Filter(Array("apple", "Banana", "cherry"), "an"), ",")
WScript.Echo Join(Filter(Array("apple", "Banana", "cherry"), "AN", True, 1), ",")
WScript.Echo Join(Filter(Array("apple", "Banana", "cherry"), "a", False), ",")
Dim words, w, count
words = Split("the quick brown fox", " ")
For Each w In words
    count = count + Len(w)
Next
WScript.Echo count
' expect: 3 0
' expect: <ONE><TWO><THREE>
' expect: one|two||three a b c 123
' expect: -1 0 a/b,c,d
' expect: a-b-c aXb-c
' expect: Banana
' expect: Banana
' expect: cherry
' expect: 16

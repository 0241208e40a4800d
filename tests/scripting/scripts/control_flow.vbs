' If, loops, Select Case and Exit.
Dim i, s, n
For i = 1 To 10
    If i Mod 2 = 0 Then
        s = s & "e"
    ElseIf i = 5 Then
        s = s & "5"
    Else
        s = s & "o"
    End If
Next
WScript.Echo s
s = ""
For i = 10 To 1 Step -3 : s = s & i & " " : Next
WScript.Echo s
s = ""
For i = 0 To 1 Step 0.25
    s = s & i & ";"
Next
WScript.Echo s, i
For i = 1 To 100
    If i = 4 Then Exit For
Next
WScript.Echo i
If i = 4 Then WScript.Echo "one-line" Else WScript.Echo "never"
If i = 5 Then WScript.Echo "never" Else WScript.Echo "else" : WScript.Echo "also else"
n = 0
Do While n < 5
    n = n + 1
Loop
WScript.Echo n
Do
    n = n - 1
Loop Until n <= 2
WScript.Echo n
Do Until n >= 10
    n = n + 3
Loop
WScript.Echo n
Do
    n = n + 1
    If n > 20 Then Exit Do
Loop While True
WScript.Echo n
While n > 15
    n = n - 2
Wend
WScript.Echo n
Function Kind(v)
    Select Case v
        Case 1, 2, 3
            Kind = "small"
        Case 4 To 9
            Kind = "medium"
        Case "x", "y"
            Kind = "letter"
        Case Is >= 100
            Kind = "huge"
        Case Else
            Kind = "other"
    End Select
End Function
WScript.Echo Kind(2), Kind(7), Kind(500), Kind("y"), Kind(50)
Select Case LCase("ABC")
    Case "abc": WScript.Echo "matched"
    Case Else: WScript.Echo "not matched"
End Select
For i = 1 To 3
    For n = 1 To 3
        If n = 2 Then Exit For
        s = i & n
    Next
Next
WScript.Echo s
For i = 5 To 1
    WScript.Echo "never"
Next
WScript.Echo i
' expect: oeoe5eoeoe
' expect: 10 7 4 1 
' expect: 0;0.25;0.5;0.75;1; 1.25
' expect: 4
' expect: one-line
' expect: else
' expect: also else
' expect: 5
' expect: 2
' expect: 11
' expect: 21
' expect: 15
' expect: small medium huge letter other
' expect: matched
' expect: 31
' expect: 5
Dim step
step = 2
For i = 1 To 5 Step step
    WScript.Echo "step " & i
Next
' expect: step 1
' expect: step 3
' expect: step 5

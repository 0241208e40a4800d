' On Error Resume Next with the Err object; On Error GoTo 0; errors leaving procedures.
On Error Resume Next
Dim x
x = 1 / 0
WScript.Echo Err.Number, Err.Description, Err.Source
Err.Clear
WScript.Echo Err.Number, "[" & Err.Description & "]"
x = CInt("abc")
WScript.Echo Err.Number
Err.Raise 1000, "MyScript", "Something broke"
WScript.Echo Err.Number, Err.Source, Err.Description
Err.Raise vbObjectError + 1
WScript.Echo Err.Number - vbObjectError
Err.Raise 9
WScript.Echo Err, Err.Description
Err.Raise 0
WScript.Echo Err.Number
Err.Raise 65536
WScript.Echo Err.Number
On Error GoTo 0
WScript.Echo Err.Number

Function Risky(v)
    Risky = 10 / v
    WScript.Echo "after division"
End Function
Function Safe(v)
    On Error Resume Next
    Safe = 10 / v
    If Err.Number <> 0 Then Safe = "failed " & Err.Number
End Function
On Error Resume Next
x = Risky(0)
WScript.Echo "caller goes on", Err.Number, IsEmpty(x)
Err.Clear
WScript.Echo Safe(0), Safe(4)
If Nothing.Missing Then
    WScript.Echo "a failing condition enters the block", Err.Number
End If
Err.Clear
Dim arr(1)
arr(5) = 1
WScript.Echo Err.Number
Err.Clear
Dim o
o.Member = 1
WScript.Echo Err.Number
Err.Clear
Set o = New Empty0
o.Nope
WScript.Echo Err.Number
Class Empty0
End Class
' expect: 11 Division by zero Microsoft VBScript runtime error
' expect: 0 []
' expect: 13
' expect: 1000 MyScript Something broke
' expect: 1
' expect: 9 Subscript out of range
' expect: 5
' expect: 5
' expect: 0
' expect: caller goes on 11 True
' expect: failed 11 2.5
' expect: a failing condition enters the block 91
' expect: 9
' expect: 424
' expect: 438

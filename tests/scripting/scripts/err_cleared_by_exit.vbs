' Exit Sub and Exit Function clear Err; leaving a procedure at its end does not.
Function Checked(v)
    On Error Resume Next
    Checked = 10 / v
    If Err.Number <> 0 Then
        Checked = -1
        Exit Function
    End If
End Function
Function Unchecked(v)
    On Error Resume Next
    Unchecked = 10 / v
End Function
On Error Resume Next
WScript.Echo Checked(0), Err.Number
WScript.Echo IsEmpty(Unchecked(0)), Err.Number
' expect: -1 0
' expect: True 11

' Words that are reserved only in one place serve as names elsewhere; a procedure defined again
' replaces the earlier one for the whole script.
Class Property
    Public Sub Property(by) : WScript.Echo "member " & by : End Sub
End Class
Sub Count(property)
    Dim total
    For property = property To 3 : total = total + property : Next
    WScript.Echo total
End Sub
Dim p : Set p = New Property
p.Property "called"
Count 1
WScript.Echo Which()
Function Which : Which = "first" : End Function
Function Which : Which = "second" : End Function
WScript.Echo Which()
WScript.Echo TypeName(vbUseSystem), TypeName(vbMsgBoxRight), TypeName(vbFirstFullWeek), vbMsgBoxRight
' expect: member called
' expect: 6
' expect: second
' expect: second
' expect: Integer Long Integer 524288

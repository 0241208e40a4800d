' Built-ins at their edges: arguments checked in the order the language checks them, Null and
' object arguments, dates with two-digit years, and the formatting functions' en-US forms.
Function ErrorOf(code)
    On Error Resume Next
    Dim ignored
    ignored = Eval(code)
    ErrorOf = Err.Number
End Function
WScript.Echo ErrorOf("Mid(""abc"", 1, Null)"), ErrorOf("Mid(Null, 0)"), IsNull(Mid(Null, 2))
WScript.Echo ErrorOf("Right(Null, -1)"), ErrorOf("Sgn(Null)"), ErrorOf("Weekday(Null, 9)"), IsNull(Weekday(Null))
WScript.Echo ErrorOf("Join(Null)"), ErrorOf("Join(Array(""a"", Null))"), ErrorOf("MonthName(2, Null)")
WScript.Echo ErrorOf("FormatNumber(Null)"), ErrorOf("FormatCurrency(1, Null)"), ErrorOf("CBool("""")")
WScript.Echo ErrorOf("RGB(1, -1, 0)"), ErrorOf("InStr(1, ""a"", ""a"", 2)"), RGB(256, 0, 1)
WScript.Echo ErrorOf("InStrRev(Null, ""a"")"), ErrorOf("Replace(Null, ""a"", ""b"")"), ErrorOf("Split(""a"", "","", -1, 5)")
WScript.Echo CBool("#true#"), Not "#FALSE#", CByte(True), TypeName(Round(False)), Round(True)
Class Plain
End Class
Dim thing : Set thing = New Plain
WScript.Echo IsNumeric(thing), IsNumeric(Nothing), (+thing) Is thing
WScript.Echo Year(DateSerial(7, 1, 1)), Year(DateSerial(45, 1, 1)), ErrorOf("DateSerial(12000, 1, 1)")
WScript.Echo DateAdd("m", 1, #1/31/2023#), DateAdd("yyyy", -1, #2/29/2024#), DateAdd("ww", 2, #12/25/2023#)
WScript.Echo DateAdd("h", 30, #3/1/2024#), DateAdd("q", 1.9, #1/15/2024#), ErrorOf("DateAdd(""x"", 1, Now)")
WScript.Echo FormatDateTime(#3/5/2024 5:04:09 PM#, 1), FormatDateTime(#3/5/2024 5:04:09 PM#, 2)
WScript.Echo FormatDateTime(#3/5/2024 5:04:09 PM#, 3), FormatDateTime(#3/5/2024 5:04:09 PM#, 4)
WScript.Echo FormatCurrency(1234.5), FormatCurrency(-2, 1), FormatCurrency(-2, 0, , -1), CCur(1.23456)
Dim words : Set words = CreateObject("Scripting.Dictionary") : words.Add "k", 1
Dim key : For Each key In words : Next
Dim fixed(2)
Sub Resize()
    On Error Resume Next
    ReDim fixed("many")
    WScript.Echo IsEmpty(key), Err.Number
End Sub
Resize
Class RegExp
    Public Pattern
End Class
Dim r : Set r = New RegExp
r.Pattern = "b+" : r.Global = True
WScript.Echo r.Replace("abbbc", "-")
' expect: 94 5 True
' expect: 5 94 5 True
' expect: 94 13 94
' expect: 13 94 13
' expect: 5 5 65791
' expect: 94 94 5
' expect: True True 255 Boolean True
' expect: False False True
' expect: 2007 1945 5
' expect: 2/28/2023 2/28/2023 1/8/2024
' expect: 3/2/2024 6:00:00 AM 4/15/2024 5
' expect: Tuesday, March 5, 2024 3/5/2024
' expect: 5:04:09 PM 17:04
' expect: $1,234.50 -$2.0 ($2) 1.2346
' expect: True 10
' expect: a-c

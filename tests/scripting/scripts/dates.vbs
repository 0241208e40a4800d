' Dates are kept as the Date subtype and written as the en-US form.
Dim d
d = DateSerial(2024, 3, 7)
WScript.Echo d, Year(d), Month(d), Day(d), Weekday(d), TypeName(d)
WScript.Echo d + 1, DateSerial(2024, 13, 1), DateSerial(2024, 3, 0)
Dim t
t = TimeSerial(17, 4, 9)
WScript.Echo t, Hour(t), Minute(t), Second(t)
WScript.Echo d + t, CDate("12/31/1999") + 1, IsDate("2/30/2024 x"), IsDate("1/2/2003")
WScript.Echo TypeName(Now), Year(Now) >= 2024, Timer >= 0, TypeName(Timer)
' expect: 3/7/2024 2024 3 7 5 Date
' expect: 3/8/2024 1/1/2025 2/29/2024
' expect: 5:04:09 PM 17 4 9
' expect: 3/7/2024 5:04:09 PM 1/1/2000 False True
' expect: Date True True Single

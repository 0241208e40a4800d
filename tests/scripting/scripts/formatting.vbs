' FormatNumber and FormatPercent in the en-US form, RGB, month and weekday names.
WScript.Echo FormatNumber(1234567.891), FormatNumber(0.75, 0), FormatNumber(-1234.5, 1)
WScript.Echo FormatNumber(0.25, 3, False), FormatNumber(-2, 2, True, True), FormatNumber(1234, 0, , , False)
WScript.Echo FormatPercent(0.256), FormatPercent(1, 0)
WScript.Echo RGB(255, 0, 0), RGB(0, 0, 255), RGB(300, 0, 1)
WScript.Echo MonthName(3), MonthName(12, True), WeekdayName(1), WeekdayName(2, True)
' expect: 1,234,567.89 1 -1,234.5
' expect: .250 (2.00) 1234
' expect: 25.60% 100%
' expect: 255 16711680 65791
' expect: March Dec Sunday Mon

' A date literal with a part longer than four digits is no date (it once overflowed).
' expect error 1002
Dim d
d = #1/1/99999999999#
WScript.Echo d

' An empty endless loop is stopped too.
' option: timeout 100
' expect error 6000
While True
Wend

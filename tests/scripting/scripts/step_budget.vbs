' A step budget stops long scripts deterministically.
' option: steps 5000
' expect error 6000
Dim i, s
For i = 1 To 100000
    s = s + i
Next

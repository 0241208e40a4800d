' A script that runs past its time limit is stopped, whatever its error handling says.
' option: timeout 150
' expect error 6000 at 7:5
On Error Resume Next
Dim n
Do
    n = n + 1
Loop

' Eval and Execute run text as code; Execute inside a procedure sees its locals.
Dim g
g = 10
WScript.Echo Eval("1 + 2 * 3"), Eval("g * 2"), Eval("UCase(""x"")")
Execute "g = g + 5"
WScript.Echo g
ExecuteGlobal "Function Made(n) : Made = n * 3 : End Function"
WScript.Echo Made(4)
Sub Local()
    Dim inner
    inner = 7
    Execute "inner = inner * 2"
    WScript.Echo inner, Eval("inner + 1")
End Sub
Local
' expect: 7 20 X
' expect: 15
' expect: 12
' expect: 14 15

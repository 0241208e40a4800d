' Statements written on one line with their block's opening or closing words.
Dim r
If 1 > 2 Then r = "then" Else r = "else" End If
WScript.Echo r
If True Then r = "closed" End If
WScript.Echo r
Sub Greet(who) : WScript.Echo "hello " & who : End Sub
Function Twice(n) : Twice = n * 2 : End Function
Greet "you" : WScript.Echo Twice(21)
Class Box : Private v : Public Property Get Value : Value = v : End Property
    Public Property Let Value(n) : v = n : End Property
    Public Sub Show() : WScript.Echo "box [" & v & "]" : End Sub : End Class : Dim b : Set b = New Box
b.Value = 3 : b.Show
Call (New Box).Show()
Call (New Box).Show
Sub Bump(list) : list(0) = list(0) + 1 : End Sub
Dim arr : arr = Array(1)
Call ((Bump))(arr)
WScript.Echo arr(0)
Call (Bump)((arr))
WScript.Echo arr(0)
If False Then
    Function Hoisted : Hoisted = "defined anyway" : End Function
End If
WScript.Echo Hoisted
' expect: else
' expect: closed
' expect: hello you
' expect: 42
' expect: box [3]
' expect: box []
' expect: box []
' expect: 2
' expect: 2
' expect: defined anyway

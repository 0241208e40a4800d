' Dropping a long chain of objects or deeply nested arrays releases it without recursion.
Class Node
    Public Value, NextNode
End Class
Dim head, n, i
Set head = Nothing
For i = 1 To 100000
    Set n = New Node
    n.Value = i
    Set n.NextNode = head
    Set head = n
Next
Set n = Nothing
WScript.Echo head.Value, head.NextNode.Value
Set head = Nothing
Dim a
a = Array(0)
For i = 1 To 100000
    a = Array(a)
Next
a = Empty
WScript.Echo "released"
' expect: 100000 99999
' expect: released

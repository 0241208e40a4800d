' Properties with arguments, default members used with and without arguments, public array
' fields, methods returning objects, Exit Property, objects in arrays.
Class List
    Private items()
    Private size
    Public Tags(2)

    Private Sub Class_Initialize()
        size = 0
        ReDim items(0)
    End Sub

    Public Default Property Get Item(index)
        If index < 0 Or index >= size Then
            Item = Empty
            Exit Property
        End If
        Item = items(index)
    End Property

    Public Property Let Item(index, value)
        If index >= size Then
            size = index + 1
            ReDim Preserve items(index)
        End If
        items(index) = value
    End Property

    Public Property Get Count()
        Count = size
    End Property

    Public Function Self()
        Set Self = Me
    End Function

    Public Function AsArray()
        AsArray = items
    End Function
End Class

Dim l
Set l = New List
l.Item(0) = "zero"
l(2) = "two"
WScript.Echo l.Count, l(0), l.Item(2), IsEmpty(l(1)), IsEmpty(l(9))
WScript.Echo l.Self().Self.Count, l.AsArray()(2), UBound(l.AsArray)
l.Tags(1) = "tag"
WScript.Echo l.Tags(1), UBound(l.Tags)
Dim objs(1), o
Set objs(0) = New List
Set objs(1) = l
objs(0).Item(0) = "first"
For Each o In objs
    WScript.Echo TypeName(o), o.Count, o(0)
Next
' expect: 3 zero two True True
' expect: 3 two 2
' expect: tag 2
' expect: List 1 first
' expect: List 3 zero

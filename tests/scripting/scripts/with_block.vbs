' With blocks, nested, and members used as arguments.
Class Box
    Public Width, Height, Inner
    Public Function Area()
        Area = Width * Height
    End Function
End Class
Dim b
Set b = New Box
With b
    .Width = 3
    .Height = 4
    Set .Inner = New Box
    With .Inner
        .Width = 1
        .Height = 2
    End With
    WScript.Echo .Area(), .Inner.Area, .Width + .Height
    WScript.Echo Twice(.Width), Twice(.Inner.Height)
End With
Function Twice(n)
    Twice = n * 2
End Function
' expect: 12 2 7
' expect: 6 4

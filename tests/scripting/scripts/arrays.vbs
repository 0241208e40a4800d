' Fixed and dynamic arrays, ReDim Preserve, several dimensions, Erase, copies on assignment.
Dim fixed(3), dyn(), grid(2, 3), i, j, s
WScript.Echo UBound(fixed), IsArray(dyn), IsArray(fixed), UBound(grid, 1), UBound(grid, 2)
For i = 0 To 3 : fixed(i) = i * i : Next
WScript.Echo Join(fixed, ",")
ReDim dyn(1)
dyn(0) = "a" : dyn(1) = "b"
ReDim Preserve dyn(3)
dyn(3) = "d"
WScript.Echo UBound(dyn), Join(dyn, "-")
ReDim Preserve dyn(0)
WScript.Echo UBound(dyn), dyn(0)
ReDim dyn(2)
WScript.Echo IsEmpty(dyn(0))
For i = 0 To 2
    For j = 0 To 3
        grid(i, j) = i * 10 + j
    Next
Next
WScript.Echo grid(2, 3), grid(1, 0)
Dim m
ReDim m(1, 1)
m(1, 1) = "x"
ReDim Preserve m(1, 4)
WScript.Echo m(1, 1), UBound(m, 2)
Dim copy
copy = fixed
copy(0) = 99
WScript.Echo fixed(0), copy(0)
Erase fixed
WScript.Echo UBound(fixed), IsEmpty(fixed(1))
Dim list
list = Array()
WScript.Echo UBound(list)
ReDim Preserve list(UBound(list) + 1)
list(UBound(list)) = "first"
ReDim Preserve list(UBound(list) + 1)
list(UBound(list)) = "second"
WScript.Echo Join(list, "+")
Dim nested
nested = Array(Array(1, 2), Array(3, 4))
WScript.Echo nested(1)(0), UBound(nested(0))
Dim total, cell
For Each cell In grid
    total = total + cell
Next
WScript.Echo total
s = ""
For Each cell In Array("x", "y")
    s = s & cell
Next
WScript.Echo s
Dim n
n = Array(5, 3, 8, 1)
' A bubble sort, as scripts do it.
For i = 0 To UBound(n) - 1
    For j = 0 To UBound(n) - 1 - i
        If n(j) > n(j + 1) Then
            Dim t
            t = n(j) : n(j) = n(j + 1) : n(j + 1) = t
        End If
    Next
Next
WScript.Echo Join(n, " ")
' expect: 3 True True 2 3
' expect: 0,1,4,9
' expect: 3 a-b--d
' expect: 0 a
' expect: True
' expect: 23 10
' expect: x 4
' expect: 0 99
' expect: 3 True
' expect: -1
' expect: first+second
' expect: 3 1
' expect: 138
' expect: xy
' expect: 1 3 5 8

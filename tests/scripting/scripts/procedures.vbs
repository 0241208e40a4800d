' Subs and Functions: ByRef is the default, ByVal copies, a parenthesised argument is passed
' by value, recursion, Exit Function, arrays as arguments and results.
Sub Inc(n)
    n = n + 1
End Sub
Sub IncVal(ByVal n)
    n = n + 1
End Sub
Sub IncRef(ByRef n)
    n = n + 10
End Sub
Dim a
a = 1
Inc a
WScript.Echo a
IncVal a
WScript.Echo a
Inc (a)
WScript.Echo a
Call Inc(a)
WScript.Echo a
IncRef a
WScript.Echo a
Function Fact(n)
    If n <= 1 Then
        Fact = 1
        Exit Function
    End If
    Fact = n * Fact(n - 1)
End Function
WScript.Echo Fact(10), Fact(1)
Function Pair(x, y)
    Pair = Array(x, y)
End Function
Dim p
p = Pair("a", "b")
WScript.Echo p(1) & p(0), Pair(1, 2)(1)
Dim arr(2)
arr(1) = 5
Inc arr(1)
WScript.Echo arr(1)
Sub Fill(list)
    ReDim list(2)
    list(0) = "x"
End Sub
Dim items
Fill items
WScript.Echo UBound(items), items(0)
Function Sum(ByVal list)
    Dim total, item
    For Each item In list
        total = total + item
    Next
    Sum = total
End Function
WScript.Echo Sum(Array(1, 2, 3, 4))
Sub Swap(x, y)
    Dim t
    t = x : x = y : y = t
End Sub
Dim u, v
u = "first" : v = "second"
Swap u, v
WScript.Echo u, v
Function NoValue()
End Function
WScript.Echo IsEmpty(NoValue()), IsEmpty(NoValue)
Sub Greet(name, greeting)
    WScript.Echo greeting & ", " & name
End Sub
Greet "Ann", "Hi"
Call Greet("Bob", "Hello")
Sub Outer()
    Inner
End Sub
Sub Inner()
    WScript.Echo "inner ran"
End Sub
Outer
Function Counter()
    Counter = 0
    Dim i
    For i = 1 To 3
        Counter = Counter + i
    Next
End Function
WScript.Echo Counter()
' expect: 2
' expect: 2
' expect: 2
' expect: 3
' expect: 13
' expect: 3628800 1
' expect: ba 2
' expect: 6
' expect: 2 x
' expect: 10
' expect: second first
' expect: True True
' expect: Hi, Ann
' expect: Hello, Bob
' expect: inner ran
' expect: 6

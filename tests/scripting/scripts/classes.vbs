' Classes: private fields, Property Get/Let/Set, methods, Class_Initialize and
' Class_Terminate, Me, a default property, objects shared by reference.
Class Account
    Private mBalance
    Private mOwner
    Public Name

    Private Sub Class_Initialize()
        mBalance = 0
        Name = "unnamed"
    End Sub

    Private Sub Class_Terminate()
        WScript.Echo "closing " & Name
    End Sub

    Public Property Get Balance()
        Balance = mBalance
    End Property

    Public Property Let Balance(value)
        If value < 0 Then Err.Raise 5
        mBalance = value
    End Property

    Public Property Get Owner()
        Set Owner = mOwner
    End Property

    Public Property Set Owner(person)
        Set mOwner = person
    End Property

    Public Sub Deposit(amount)
        Me.Balance = Balance + amount
    End Sub

    Public Function Describe()
        Describe = Name & ": " & mBalance
    End Function
End Class

Class Person
    Public Default Property Get FullName()
        FullName = First & " " & Last
    End Property
    Public First, Last
End Class

Dim acc, other, p
Set acc = New Account
acc.Name = "main"
acc.Deposit 50
acc.Deposit(25)
WScript.Echo acc.Balance, acc.Describe()
acc.Balance = 10
WScript.Echo acc.Describe
Set other = acc
other.Deposit 5
WScript.Echo acc.Balance, TypeName(acc), IsObject(acc)
Set p = New Person
p.First = "Ann"
p.Last = "Lee"
Set acc.Owner = p
WScript.Echo acc.Owner.First, p, "Owner: " & acc.Owner
Set other = Nothing
WScript.Echo "still open"
Set acc = Nothing
WScript.Echo "done"

Class Stack
    Private items()
    Private count
    Private Sub Class_Initialize()
        count = 0
        ReDim items(4)
    End Sub
    Public Sub Push(v)
        If count > UBound(items) Then ReDim Preserve items(count * 2)
        items(count) = v
        count = count + 1
    End Sub
    Public Function Pop()
        count = count - 1
        Pop = items(count)
    End Function
    Public Property Get Size()
        Size = count
    End Property
End Class
Dim st, k
Set st = New Stack
For k = 1 To 12
    st.Push k * k
Next
WScript.Echo st.Size, st.Pop(), st.Pop, st.Size
' expect: 75 main: 75
' expect: main: 10
' expect: 15 Account True
' expect: Ann Ann Lee Owner: Ann Lee
' expect: still open
' expect: closing main
' expect: done
' expect: 12 144 121 10

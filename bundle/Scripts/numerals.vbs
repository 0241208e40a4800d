' Числа в фигурных скобках, отмеченные в исходнике вручную:
'   {22}  -> славянское число и арабское в скобках: кв (22)
'   {R22} -> римское число: XXII
' Это скрипт всего документа (>script1): он работает после таблицы, поэтому
' славянское число сам переводит таблицей «Гражданский».
Sub Main
    Dim text, result, openAt, closeAt
    text = X()
    result = ""
    openAt = InStr(text, "{")
    Do While openAt > 0
        closeAt = InStr(openAt + 1, text, "}")
        If closeAt = 0 Then Exit Do
        result = result & Left(text, openAt - 1)
        result = result & MarkedNumber(Mid(text, openAt + 1, closeAt - openAt - 1))
        text = Mid(text, closeAt + 1)
        openAt = InStr(text, "{")
    Loop
    Send result & text
End Sub

Function MarkedNumber(mark)
    If UCase(Left(mark, 1)) = "R" And OnlyDigits(Mid(mark, 2)) Then
        MarkedNumber = ToRom(Mid(mark, 2))
    ElseIf OnlyDigits(mark) Then
        MarkedNumber = Table(ToSlv(mark), "@hip\Гражданский.txt") & " (" & mark & ")"
    Else
        MarkedNumber = "{" & mark & "}"
    End If
End Function

Function OnlyDigits(s)
    Dim i
    OnlyDigits = Len(s) > 0
    For i = 1 To Len(s)
        If InStr("0123456789", Mid(s, i, 1)) = 0 Then OnlyDigits = False
    Next
End Function

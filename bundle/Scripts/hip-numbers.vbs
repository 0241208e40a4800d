' Числа, набранные в hip буквами с титлом (д~, в~i, _кс~а, #а~ф~), -> цифры (4, 12, 61, 1500):
' так их пишет современная печать. Работает на тексте в разметке hip, до пар таблицы.
' Числом считается только слово целиком из букв-цифр и титл, где сотни, десятки и единицы идут
' по убыванию (единица перед i - это 11...19); сокращения вроде бг~ъ или ст~а'я остаются словами.

Sub Main
    Dim text, finder, found, piece, result, last, value
    text = X()
    Set finder = New RegExp
    finder.Global = True
    finder.Pattern = "[^\s.,;:!?()\[\]«»""%]*~[^\s.,;:!?()\[\]«»""%]*"
    result = ""
    last = 1
    For Each found In finder.Execute(text)
        value = NumeralValue(found.Value)
        If value > 0 Then
            result = result & Mid(text, last, found.FirstIndex + 1 - last) & CStr(value)
            last = found.FirstIndex + 1 + found.Length
        End If
    Next
    Send result & Mid(text, last)
End Sub

' Значение буквы-цифры в начале текста и длина её записи; 0, если там не буква-цифра.
Function LetterValue(rest, ByRef length)
    Dim marks, values, i
    marks = Array("_кс", "_пс", "_i", "а", "в", "г", "д", "е", "s", "з", "и", "f", "i", "к", "л", _
                  "м", "н", "о", "п", "ч", "р", "с", "т", "v", "у", "ф", "х", "w", "ц")
    values = Array(60, 700, 10, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 20, 30, _
                   40, 50, 70, 80, 90, 100, 200, 300, 400, 400, 500, 600, 800, 900)
    LetterValue = 0
    For i = 0 To UBound(marks)
        If Left(rest, Len(marks(i))) = marks(i) Then
            length = Len(marks(i))
            LetterValue = values(i)
            Exit Function
        End If
    Next
End Function

Function Place(value)
    If value >= 100 Then
        Place = 3
    ElseIf value >= 10 Then
        Place = 2
    Else
        Place = 1
    End If
End Function

' Значение слова-числа; 0, если слово - не число.
Function NumeralValue(word)
    Dim rest, value, length, thousands, total, titla, lastPlace, teen
    NumeralValue = 0
    rest = word
    total = 0
    titla = 0
    lastPlace = 4
    teen = False
    Do While Len(rest) > 0
        thousands = (Left(rest, 1) = "#")
        If thousands Then rest = Mid(rest, 2)
        value = LetterValue(rest, length)
        If value = 0 Or teen Then Exit Function
        rest = Mid(rest, length + 1)
        If thousands Then
            total = total + value * 1000
        ElseIf Place(value) < lastPlace Then
            lastPlace = Place(value)
            total = total + value
        ElseIf value = 10 And lastPlace = 1 And total Mod 100 < 10 Then
            teen = True
            total = total + value
        Else
            Exit Function
        End If
        If Left(rest, 1) = "~" Then
            titla = titla + 1
            rest = Mid(rest, 2)
        End If
    Loop
    If titla > 0 Then NumeralValue = total
End Function

' ћетки €зыков hip (<::слав>, <::рус>, <::лат>, <::греч>) дл€ таблиц документов, которые
' примен€ютс€ к тексту целиком, без комбинированной схемы.
'
' “аблица зовЄт этот скрипт дважды: строкой >script hip-langs.vbs до своих пар и строкой
' >script1 hip-langs.vbs после них.
' ѕервый раз скрипт убирает метки, латиницу, набранную похожими кириллическими буквами,
' переводит в латиницу (вложенный файл @hip\@латиница.txt) и пр€чет русские, латинские
' и греческие куски в знаки частной области ёникода: пары таблицы их не трогают.
' ¬торой раз (в тексте есть спр€танные куски) он возвращает эти куски как были.

Const Fence = 63743       ' U+F8FF стоит до и после каждого спр€танного куска
Const Shift = 57344       ' U+E000: знак с кодом N пр€четс€ под кодом Shift + N
Const Reach = 6143        ' коды выше 17FF не пр€чутс€: им нет места в частной области

Sub Main
    Dim text
    text = X()
    If InStr(text, ChrW(Fence)) > 0 Then
        Send Reveal(text)
    ElseIf InStr(text, "<::") > 0 Then
        Send Segmented(text)
    Else
        Send text
    End If
End Sub

' –ежет текст перед каждой меткой; кусок до первой метки - церковнослав€нский.
Function Segmented(text)
    Dim pieces, i, piece, result, tag
    pieces = Split(Replace(text, "<::", ChrW(Fence) & "<::"), ChrW(Fence))
    result = pieces(0)
    For i = 1 To UBound(pieces)
        piece = pieces(i)
        tag = Left(piece, InStr(piece, ">"))
        piece = Mid(piece, Len(tag) + 1)
        Select Case tag
            Case "<::слав>"
                result = result & piece
            Case "<::лат>"
                result = result & Hidden(Table(piece, "@hip\@латиница.txt"))
            Case "<::рус>", "<::греч>"
                result = result & Hidden(piece)
            Case Else
                ' не метка €зыка: текст остаЄтс€ как был
                result = result & pieces(i)
        End Select
    Next
    Segmented = result
End Function

Function Hidden(piece)
    Dim i, code, out
    out = ""
    For i = 1 To Len(piece)
        code = AscW(Mid(piece, i, 1))
        If code < 0 Then code = code + 65536
        '  онцы строк не пр€чутс€: по ним таблица склеивает абзацы.
        If code >= 32 And code <= Reach Then
            out = out & ChrW(Shift + code)
        Else
            out = out & Mid(piece, i, 1)
        End If
    Next
    Hidden = ChrW(Fence) & out & ChrW(Fence)
End Function

Function Reveal(text)
    Dim pieces, i, j, piece, code, out
    pieces = Split(text, ChrW(Fence))
    For i = 1 To UBound(pieces) Step 2
        piece = pieces(i)
        out = ""
        For j = 1 To Len(piece)
            code = AscW(Mid(piece, j, 1))
            If code < 0 Then code = code + 65536
            If code >= Shift And code <= Shift + Reach Then
                out = out & ChrW(code - Shift)
            Else
                out = out & Mid(piece, j, 1)
            End If
        Next
        pieces(i) = out
    Next
    Reveal = Join(pieces, "")
End Function

' Dictionary as scripts use it: counting words, keys in the order added, For Each over the
' keys, renaming and removing keys, text comparison of Cyrillic keys, and its errors.
Dim counts, word, key
Set counts = CreateObject("Scripting.Dictionary")
For Each word In Split("the cat and the hat and the bat", " ")
    counts(word) = counts(word) + 1
Next
WScript.Echo counts.Count
For Each key In counts
    WScript.Echo key & "=" & counts(key)
Next
counts.Remove "cat"
counts.Key("hat") = "cap"
WScript.Echo Join(counts.Keys, ","), Join(counts.Items, ",")
WScript.Echo counts.Exists("cat"), counts.Exists("cap"), counts.Item("cap")

Dim towns
Set towns = CreateObject("scripting.dictionary")
towns.CompareMode = vbTextCompare
towns.Add "Москва", 1
towns.Add 1, "one"
WScript.Echo towns.Exists("МОСКВА"), towns("москва"), towns.Exists(1.0), towns.Exists("1")
WScript.Echo TypeName(towns), TypeName(towns.Items), towns.CompareMode

On Error Resume Next
towns.Add "МОСКВА", 2
WScript.Echo Err.Number, Err.Description
Err.Clear
towns.Remove "Тверь"
WScript.Echo Err.Number, Err.Description
Err.Clear
towns.CompareMode = vbBinaryCompare
WScript.Echo Err.Number
On Error GoTo 0
towns.RemoveAll
WScript.Echo towns.Count, UBound(towns.Keys)

Dim nested
Set nested = CreateObject("Scripting.Dictionary")
Set nested("inner") = CreateObject("Scripting.Dictionary")
nested("inner").Add "x", 42
WScript.Echo nested("inner")("x")
' expect: 5
' expect: the=3
' expect: cat=1
' expect: and=2
' expect: hat=1
' expect: bat=1
' expect: the,and,cap,bat 3,2,1,1
' expect: False True 1
' expect: True 1 True False
' expect: Dictionary Variant() 1
' expect: 457 This key is already associated with an element of this collection
' expect: 32811 Element not found
' expect: 5
' expect: 0 -1
' expect: 42

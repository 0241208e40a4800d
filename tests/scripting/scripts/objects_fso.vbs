' FileSystemObject as scripts use it: write a file, read it back line by line under another
' letter case and with "\" paths, append, the name functions and the errors scripts meet.
' Works in a folder of its own under the current directory and removes it at the end.
Const ForReading = 1, ForWriting = 2, ForAppending = 8
Dim fso, folder, path, ts, text
Set fso = CreateObject("Scripting.FileSystemObject")
folder = fso.BuildPath(fso.GetAbsolutePathName("."), "objects_fso_work")
If fso.FolderExists(folder) Then fso.DeleteFolder folder, True
fso.CreateFolder folder
path = folder & "\Lines.txt"

Set ts = fso.CreateTextFile(path)
ts.WriteLine "первая строка"
ts.Write "вторая" & vbLf & "третья"
ts.Close
Set ts = fso.OpenTextFile(folder & "\LINES.TXT", ForReading)
Do Until ts.AtEndOfStream
    WScript.Echo ts.Line & ": " & ts.ReadLine
Loop
ts.Close

Set ts = fso.OpenTextFile(path, ForAppending)
ts.WriteLine
ts.WriteLine "четвёртая"
ts.Close
Set ts = fso.OpenTextFile(path)
text = ts.ReadAll
ts.Close
WScript.Echo Len(text), UBound(Split(text, vbCrLf))
WScript.Echo fso.FileExists(path), fso.GetFileName(path), fso.GetBaseName(path), fso.GetExtensionName(path)
WScript.Echo fso.GetFileName(fso.GetParentFolderName(path)), TypeName(fso), TypeName(ts)

On Error Resume Next
Set ts = fso.OpenTextFile(folder & "\missing.txt")
WScript.Echo Err.Number, Err.Description
Err.Clear
Set ts = fso.OpenTextFile(folder & "\no\such.txt", ForWriting, True)
WScript.Echo Err.Number, Err.Description
Err.Clear
Set ts = fso.CreateTextFile(path, False)
WScript.Echo Err.Number, Err.Description
Err.Clear
Set ts = fso.OpenTextFile(path)
ts.Write "x"
WScript.Echo Err.Number, Err.Description
Err.Clear
text = ts.ReadAll
text = ts.ReadLine
WScript.Echo Err.Number, Err.Description
ts.Close
On Error GoTo 0

fso.DeleteFile folder & "\*.txt"
WScript.Echo fso.FileExists(path)
fso.DeleteFolder folder
WScript.Echo fso.FolderExists(folder)
' expect: 1: первая строка
' expect: 2: вторая
' expect: 3: третья
' expect: 41 3
' expect: True Lines.txt Lines txt
' expect: objects_fso_work FileSystemObject TextStream
' expect: 53 File not found
' expect: 76 Path not found
' expect: 58 File already exists
' expect: 54 Bad file mode
' expect: 62 Input past end of file
' expect: False
' expect: False

' An object's error that no On Error handles stops the script with the object's number.
Dim d
Set d = CreateObject("Scripting.Dictionary")
d.Add "key", 1
WScript.Echo "added"
d.Add "key", 2
WScript.Echo "not reached"
' expect: added
' expect error 457 at 6:1

' RegExp as scripts use it: Replace with $1, an Execute loop over Matches with SubMatches,
' IgnoreCase on Cyrillic, MultiLine, global empty matches, and invalid patterns.
Dim re, matches, m, found
Set re = New RegExp
re.Pattern = "(\w+)@(\w+)\.com"
re.Global = True
WScript.Echo re.Replace("mail ann@site.com, bob@host.com", "$2:$1")
Set matches = re.Execute("mail ann@site.com, bob@host.com")
WScript.Echo matches.Count
For Each m In matches
    WScript.Echo m.FirstIndex, m.Length, m.Value, m.SubMatches(0), m.SubMatches.Count
Next
WScript.Echo matches(1).SubMatches(1), matches.Item(0)

re.Pattern = "(\d+)(px)?"
Set matches = re.Execute("10px 20")
WScript.Echo IsEmpty(matches(1).SubMatches(1)), matches(0).SubMatches(1)

re.Pattern = "мир"
re.IgnoreCase = True
WScript.Echo re.Test("Здравствуй, МИР"), re.Replace("Мир, мир, МИР", "<$&>")

re.Pattern = "\w+"
re.IgnoreCase = False
Set matches = re.Execute("slovo слово")
WScript.Echo matches.Count, matches(0)

re.Pattern = "x*"
WScript.Echo re.Replace("abc", "-")

re.Pattern = "^\d+"
re.MultiLine = True
For Each m In re.Execute("1 a" & vbCrLf & "22 b" & vbLf & "333")
    WScript.Echo m.Value & "@" & m.FirstIndex
Next

re.Global = False
re.Pattern = "(a)|b"
WScript.Echo re.Replace("cab", "[$1]"), re.Execute("aab").Count
WScript.Echo TypeName(re), TypeName(matches), TypeName(matches(0)), TypeName(matches(0).SubMatches)
WScript.Echo TypeName(CreateObject("VBScript.RegExp"))

On Error Resume Next
re.Pattern = "(unclosed"
WScript.Echo "assigned", Err.Number
found = re.Test("x")
WScript.Echo Err.Number, Err.Description
Err.Clear
re.Pattern = "a**"
found = re.Test("x")
WScript.Echo Err.Number, Err.Description
' expect: mail site:ann, host:bob
' expect: 2
' expect: 5 12 ann@site.com ann 2
' expect: 19 12 bob@host.com bob 2
' expect: host ann@site.com
' expect: True px
' expect: True <Мир>, <мир>, <МИР>
' expect: 1 slovo
' expect: -a-b-c-
' expect: 1@0
' expect: 22@5
' expect: 333@10
' expect: c[a]b 1
' expect: IRegExp2 IMatchCollection2 IMatch2 ISubMatches
' expect: IRegExp2
' expect: assigned 0
' expect: 5020 Expected ')' in regular expression
' expect: 5018 Unexpected quantifier

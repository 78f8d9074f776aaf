' Sonoquill_WA.clsMP3 as a script meets it: late-bound members, ReadMP3 on a tagged file and on
' files it cannot read (Err.Number, Err.Source, Err.Description), and SearchDir on a folder.
'   cscript //nologo clsmp3_script_test.vbs <folder with the files, ending with \>
Option Explicit

Dim failures, checks
failures = 0
checks = 0

Sub Check(condition, what)
    checks = checks + 1
    If Not condition Then
        failures = failures + 1
        WScript.Echo "FAIL: " & what
    End If
End Sub

Sub CheckText(actual, expected, what)
    Check actual = expected, what & ": got '" & actual & "', expected '" & expected & "'"
End Sub

' Counts the "|"-ended items of a list and checks each expected one is there once.
Sub CheckList(list, items, what)
    Dim item, count
    count = 0
    If Len(list) > 0 Then count = UBound(Split(list, "|"))
    CheckText count, UBound(items) + 1, what & " item count in '" & list & "'"
    Check Right(list, 1) = "|" Or list = "", what & " ends with |: '" & list & "'"
    For Each item In items
        Check InStr(1, "|" & list, "|" & item & "|", vbBinaryCompare) > 0, what & " holds '" & item & "': '" & list & "'"
    Next
End Sub

Dim folder, mp3, ok
If WScript.Arguments.Count <> 1 Then
    WScript.Echo "usage: clsmp3_script_test.vbs <folder\>"
    WScript.Quit 100
End If
folder = WScript.Arguments(0)

On Error Resume Next
Set mp3 = CreateObject("Sonoquill_WA.clsMP3")
If Err.Number <> 0 Then
    WScript.Echo "FAIL: CreateObject: " & Err.Number & " " & Err.Description
    WScript.Quit 101
End If
On Error GoTo 0

' A new object: empty text and False.
CheckText mp3.Songname, "", "new Songname"
CheckText mp3.Files, "", "new Files"
Check mp3.VBR = False, "new VBR is False"

' Every member can be written and read back.
mp3.Artist = "Written"
CheckText mp3.Artist, "Written", "Artist after a write"
mp3.VBR = True
Check mp3.VBR = True, "VBR after a write"
mp3.Subdirs = "kept|"

' A tagged file.
On Error Resume Next
ok = mp3.ReadMP3(folder & "tagged.mp3")
Check Err.Number = 0, "ReadMP3 tagged.mp3 raised " & Err.Number & " " & Err.Description
On Error GoTo 0
Check ok = True, "ReadMP3 returns True"
CheckText mp3.Songname, "Script Title", "Songname"
CheckText mp3.Artist, "Script Artist", "Artist"
CheckText mp3.Album, "Script Album", "Album"
CheckText mp3.Year, "2004", "Year"
CheckText mp3.Comment, "Scriptcomment", "Comment"
CheckText mp3.Genre, "", "Genre of '(17)'"
CheckText mp3.Track, "4/9", "Track"
CheckText mp3.MpegVersion, "1", "MpegVersion"
CheckText mp3.MpegLayer, "3", "MpegLayer"
CheckText mp3.Mode, "joint stereo", "Mode"
CheckText mp3.Frequency, "44100", "Frequency"
CheckText mp3.BitRate, "128", "BitRate"
CheckText mp3.Duration, "2m 5s", "Duration"
Check mp3.VBR = False, "VBR after the read"
CheckText mp3.Subdirs, "kept|", "Subdirs untouched by ReadMP3"

' A variable holding the path (handed over by reference) reads the same.
Dim path
path = folder & "tagged.mp3"
mp3.Songname = ""
On Error Resume Next
ok = mp3.ReadMP3(path)
Check Err.Number = 0, "ReadMP3 of a path variable raised " & Err.Number & " " & Err.Description
On Error GoTo 0
CheckText mp3.Songname, "Script Title", "Songname read through a path variable"

' A missing file: the error carries the number, the class and the path; the members are reset.
On Error Resume Next
ok = Empty
ok = mp3.ReadMP3(folder & "missing.mp3")
CheckText Err.Number, 20041, "missing file Err.Number"
CheckText Err.Source, "clsMP3", "missing file Err.Source"
CheckText Err.Description, "File not found in clsMP3 (" & folder & "missing.mp3)", "missing file Err.Description"
Err.Clear
On Error GoTo 0
Check IsEmpty(ok), "no result after a failure"
CheckText mp3.Songname, "", "Songname after the failed read"
CheckText mp3.BitRate, "", "BitRate after the failed read"

' Shorter than an ID3v1 block.
On Error Resume Next
mp3.ReadMP3 folder & "short.mp3"
CheckText Err.Number, 20050, "short file Err.Number"
CheckText Err.Description, "Input past end of file in clsMP3 (" & folder & "short.mp3)", "short file Err.Description"
Err.Clear

' A value that does not convert to text.
Dim list(1)
mp3.ReadMP3 list
CheckText Err.Number, 10007, "array argument Err.Number"
CheckText Err.Source, "clsMP3", "array argument Err.Source"
CheckText Err.Description, "Type mismatch", "array argument Err.Description"
Err.Clear
On Error GoTo 0

' SearchDir: files with their path, subfolders by name.
ok = mp3.SearchDir(folder & "dir\", "*.mp3")
Check ok = True, "SearchDir returns True"
CheckList mp3.Files, Array(folder & "dir\a.mp3", folder & "dir\b.mp3"), "Files of *.mp3"
CheckText mp3.Subdirs, "Live|", "Subdirs"

ok = mp3.SearchDir(folder & "dir\", "*.*")
CheckList mp3.Files, Array(folder & "dir\.", folder & "dir\..", folder & "dir\a.mp3", folder & "dir\b.mp3", _
                           folder & "dir\notes.txt", folder & "dir\Live"), "Files of *.*"

ok = mp3.SearchDir(folder & "dir", "*")
CheckList mp3.Files, Array(folder & "dir" & "dir"), "Files without a final separator"

ok = mp3.SearchDir(folder & "no such folder\", "*.mp3")
Check ok = True, "SearchDir on a missing folder returns True"
CheckText mp3.Files, "", "Files of a missing folder"
CheckText mp3.Subdirs, "", "Subdirs of a missing folder"

Set mp3 = Nothing
WScript.Echo checks - failures & " passed, " & failures & " failed"
If checks < 40 Then
    WScript.Echo "FAIL: the script stopped early after " & checks & " checks"
    WScript.Quit 102
End If
WScript.Quit failures

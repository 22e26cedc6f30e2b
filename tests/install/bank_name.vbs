' A late-bound caller of the installed server: creates the bank by its ProgID and reads its name.
' Wine's cscript exits 0 even when a script fails, so every outcome is printed and the exit code
' is set explicitly.
On Error Resume Next
Dim bank
Set bank = CreateObject("Corvane.Bank")
If Err.Number <> 0 Then
    WScript.Echo "CreateObject(""Corvane.Bank"") failed: 0x" & Hex(Err.Number) & " " & Err.Description
    WScript.Quit 1
End If
Dim name
name = bank.Name
If Err.Number <> 0 Then
    WScript.Echo "Corvane.Bank.Name failed: 0x" & Hex(Err.Number) & " " & Err.Description
    WScript.Quit 2
End If
WScript.Echo "Corvane.Bank.Name: " & name
WScript.Quit 0

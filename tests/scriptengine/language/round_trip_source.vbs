' Made into a script file by harpix-make-script in the tests.
Dim Level, Count

Sub Start
    Level = 3
    Trace "café ♪"
End Sub

Sub Again
    Count = Count + 1
End Sub

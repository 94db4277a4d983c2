' Seed: every statement and operator the language has, once.
Dim Level, Count, Flag

Sub Start
    Dim inner
    Level = 3
    Count = Count + 1
    inner = (Level * 2 - 1) \ 2 Mod 3 + 2 ^ 3 - -4
    Flag = Not (Level > 2 And Count <> 0 Or Level <= 1) Or True
    If Level >= 3 Then
        Trace "three or more"
    ElseIf Level < 0 Then
        Trace Level
    Else
        Call Again
    End If
    If Count = 1 Then Again Else Trace "again"
    SetMasterTempo 120
    SetMasterVolume GetMasterVolume - 300
    SetMasterGrooveLevel 5
    SetMasterTranspose GetMasterTranspose() + 2
    Intro.Play 1, 2
    Intro.Stop
    Count = Rand(6)
    Rem a comment where a statement begins
End Sub

Sub Again()
    Count = Count * 2
    Call Start2()
End Sub

Sub Start2
    Trace "café ""quoted"" ♪"
End Sub

' Seed: routines that stop with a runtime error, one each.
Dim Depth, Zero

Sub Divide
    Trace 1 \ Zero
End Sub

Sub Overflow
    Trace 2147483647 + 1
End Sub

Sub Power
    Trace 2 ^ 31
End Sub

Sub Deep
    Depth = Depth + 1
    Deep
End Sub

Sub BadTempo
    SetMasterTempo 0
End Sub

Sub BadRand
    Trace Rand(0)
End Sub

Sub NotARoutine
    Depth
End Sub

Sub NoObject
    Outro.Play
End Sub

Sub Negate
    Trace -(-2147483648)
End Sub

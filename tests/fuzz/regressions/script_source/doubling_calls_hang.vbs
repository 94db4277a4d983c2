Sub R0
    R1
    R1
End Sub
Sub R1
    R2
    R2
End Sub
Sub R2
    R3
    R3
End Sub
Sub R3
    R4
    R4
End Sub
Sub R4
    R5
    R5
End Sub
Sub R5
    R6
    R6
End Sub
Sub R6
    R7
    R7
End Sub
Sub R7
    R8
    R8
End Sub
Sub R8
    R9
    R9
End Sub
Sub R9
    R10
    R10
End Sub
Sub R10
    R11
    R11
End Sub
Sub R11
    R12
    R12
End Sub
Sub R12
    R13
    R13
End Sub
Sub R13
    R14
    R14
End Sub
Sub R14
    R15
    R15
End Sub
Sub R15
    R16
    R16
End Sub
Sub R16
    R17
    R17
End Sub
Sub R17
    R18
    R18
End Sub
Sub R18
    R19
    R19
End Sub
Sub R19
    R20
    R20
End Sub
Sub R20
    R21
    R21
End Sub
Sub R21
    R22
    R22
End Sub
Sub R22
    R23
    R23
End Sub
Sub R23
    R24
    R24
End Sub
Sub R24
    R25
    R25
End Sub
Sub R25
    R26
    R26
End Sub
Sub R26
    R27
    R27
End Sub
Sub R27
    R28
    R28
End Sub
Sub R28
    R29
    R29
End Sub
Sub R29
    R30
    R30
End Sub
Sub R30
    R31
    R31
End Sub
Sub R31
    R32
    R32
End Sub
Sub R32
    R33
    R33
End Sub
Sub R33
    R34
    R34
End Sub
Sub R34
    R35
    R35
End Sub
Sub R35
    R36
    R36
End Sub
Sub R36
    R37
    R37
End Sub
Sub R37
    R38
    R38
End Sub
Sub R38
    R39
    R39
End Sub
Sub R39
    R40
    R40
End Sub
Sub R40
End Sub

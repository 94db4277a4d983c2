' Seed: a compile error the lexer finds.
Sub T
    x = 1.5
End Sub

; tkrun.exe: the Tarnwick program itself, as the installer's shortcuts name it. This stand-in
; prints one line and ends with exit code 0.
%include "mz_exe.inc"

start:
        push    cs
        pop     ds
        mov     dx, greeting
        mov     ah, 09h                    ; print a '$'-ended text
        int     21h
        mov     ax, 4C00h                  ; exit code 0
        int     21h

greeting db     'Tarnwick 3.24 lottery wheels (C) Corvana', 13, 10, '$'

        MZ_END

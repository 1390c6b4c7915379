; quenw.exe: the program that DOSBox starts for the installed Tarnwick. This stand-in says
; who it is and which arguments it was given ("/ns" from the DOSBox configuration), then
; ends with exit code 0.
%include "mz_exe.inc"

start:
        mov     bx, ds                     ; DOS starts an .EXE with DS = its PSP
        push    cs
        pop     ds
        mov     dx, banner
        mov     ah, 09h                    ; print a '$'-ended text
        int     21h

        mov     ds, bx
        mov     cl, [80h]                  ; length of the command tail in the PSP
        xor     ch, ch
        mov     dx, 81h
        mov     bx, 1                      ; standard output
        mov     ah, 40h                    ; write CX bytes from DS:DX
        int     21h

        push    cs
        pop     ds
        mov     dx, line_end
        mov     ah, 09h
        int     21h
        mov     ax, 4C00h                  ; exit code 0
        int     21h

banner  db      'QUENW Tarnwick 3.24 wheel runner, arguments:$'
line_end db     13, 10, '$'

        MZ_END

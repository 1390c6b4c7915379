; A tiny DOS program for the DOSBox check: it prints one line, then writes its command
; tail into RAN.TXT in the current folder, so that the check can tell that it really ran,
; with which arguments and in which folder. Built by the check with nasm -f bin.
bits 16
cpu 8086

%define REL(label) ((label) - code_start)

header:
        db 'MZ'
        dw file_size % 512              ; bytes in the last 512-byte page
        dw (file_size + 511) / 512      ; pages, the last one included
        dw 0                            ; no relocations: the code never names a segment
        dw header_size / 16             ; header length in paragraphs
        dw stack_size / 16              ; extra memory needed beyond the image: the stack
        dw 0xFFFF
        dw 0                            ; SS relative to the image
        dw REL(code_end) + stack_size   ; SP at the top of the stack
        dw 0                            ; no checksum
        dw 0                            ; IP
        dw 0                            ; CS relative to the image
        dw 0x1C                         ; relocation table offset (empty)
        dw 0                            ; not an overlay
        align 16, db 0
header_size equ $ - header
stack_size equ 512

code_start:
        push cs
        pop ds                          ; DS addresses our data; ES keeps the PSP
        mov dx, REL(greeting)
        mov ah, 0x09                    ; print the '$'-terminated line
        int 0x21
        mov dx, REL(mark_name)
        xor cx, cx
        mov ah, 0x3C                    ; create or truncate RAN.TXT
        int 0x21
        jc finish
        mov bx, ax
        push es
        pop ds                          ; the command tail lives in the PSP
        mov cl, [0x80]                  ; its length (CH is still 0)
        mov dx, 0x81
        mov ah, 0x40
        int 0x21
        mov ah, 0x3E
        int 0x21
finish:
        mov ax, 0x4C00
        int 0x21

greeting  db 'DOSBox check probe ran.', 13, 10, '$'
mark_name db 'RAN.TXT', 0
code_end:

file_size equ $ - header

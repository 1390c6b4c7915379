; pr32.exe: the print helper that the "Print F" desktop shortcut starts with the argument "f".
; This stand-in is a real 32-bit Windows console program that imports ExitProcess from
; KERNEL32 and ends with exit code 0. One section holds code and imports; file offsets are
; 0x200 below the addresses Windows maps them at.
        bits 32

%define IMAGE_BASE   0x00400000
%define SECTION_RVA  0x1000
%define FILE_ALIGN   0x200
%define RVA(label)   ((label) - section_start + SECTION_RVA)

dos_header:
        db 'MZ'
        times 0x3C - ($ - $$) db 0
        dd pe_header                        ; e_lfanew

pe_header:
        db 'PE', 0, 0
        dw 0x014C                           ; i386
        dw 1                                ; sections
        dd 0                                ; no time stamp: the build is reproducible
        dd 0, 0                             ; no symbols
        dw optional_end - optional_header
        dw 0x0103                           ; executable, relocations stripped, 32-bit

optional_header:
        dw 0x010B                           ; PE32
        db 1, 0                             ; linker version
        dd section_bytes                    ; size of code
        dd 0, 0                             ; initialised, uninitialised data
        dd RVA(entry)
        dd SECTION_RVA                      ; base of code
        dd SECTION_RVA                      ; base of data
        dd IMAGE_BASE
        dd 0x1000                           ; section alignment
        dd FILE_ALIGN                       ; file alignment
        dw 4, 0                             ; operating system version
        dw 0, 0                             ; image version
        dw 4, 0                             ; subsystem version
        dd 0
        dd SECTION_RVA + 0x1000             ; size of image
        dd FILE_ALIGN                       ; size of headers
        dd 0                                ; checksum
        dw 3                                ; console subsystem
        dw 0                                ; DLL characteristics
        dd 0x100000, 0x1000                 ; stack reserve, commit
        dd 0x100000, 0x1000                 ; heap reserve, commit
        dd 0
        dd 16                               ; data directories
        dd 0, 0                             ; exports
        dd RVA(import_descriptors), import_descriptors_end - import_descriptors
        times 10 dd 0, 0                    ; resources .. bound imports
        dd RVA(import_address_table), import_address_table_end - import_address_table
        times 3 dd 0, 0                     ; delay imports, COM, reserved
optional_end:

        dd '.tex', 't'                      ; section name ".text"
        dd section_bytes                    ; virtual size
        dd SECTION_RVA
        dd section_file_bytes               ; raw size
        dd FILE_ALIGN                       ; raw offset
        dd 0, 0
        dw 0, 0
        dd 0xE0000020                       ; code; readable, executable, and writable for the loader to fill the import table

        times FILE_ALIGN - ($ - $$) db 0

section_start:
entry:
        push    0                           ; exit code
        call    [IMAGE_BASE + RVA(import_address_table)]

        align 4, db 0
import_descriptors:
        dd RVA(import_lookup_table), 0, 0, RVA(kernel32_name), RVA(import_address_table)
        dd 0, 0, 0, 0, 0
import_descriptors_end:
import_lookup_table:
        dd RVA(exit_process_name), 0
import_address_table:
        dd RVA(exit_process_name), 0
import_address_table_end:
exit_process_name:
        dw 0
        db 'ExitProcess', 0
kernel32_name:
        db 'KERNEL32.dll', 0
section_bytes equ $ - section_start
        align FILE_ALIGN, db 0
section_file_bytes equ $ - section_start

; Wypisanie napisu w DOS-ie
.model small
.stack 100h
.data
napis   db 'Zażółć gęślą jaźń$', 0Dh, 0Ah
liczba  dw 1234, 0FFFFh, 101b, 0x1F, 17o
pusty   db ?
.code
start:
        mov ax, @data
        mov ds, ax          ; segment danych
        lea dx, napis
        mov ah, 09h
        int 21h
        xor cx, cx
petla:  inc cx
        cmp cx, 10
        jne petla
        mov byte ptr [bx+si], 'A'
        mov eax, dword ptr [esi*4+8]
COMMENT !
  Blok komentarza
  na wiele wierszy !
        mov ax, 4C00h
        int 21h
end start

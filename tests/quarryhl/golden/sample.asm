* Talvik monitor start-up, 68HC11
; vectors and RAM layout
#include "hc11regs.inc"
PORTB    equ   $1004
BAUD     equ   $102B
RAMTOP   equ   $00FF

         org   $E000
start    lds   #RAMTOP
         ldaa  #%00110000        ; 9600 baud
         staa  BAUD
loop     ldx   #hello
next     ldab  0,x
         beq   loop
	 stab  PORTB
         inx
         bra   next
count    rmb   2
table    fcb   1,2,@17,0FFh,$3C
hello    fcb   "Hello",$0D,0
msg      fcb   'single quoted',0
         align_word
         fdb   start

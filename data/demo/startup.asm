; Start-up code of the Quarry demo board (68HC11 family).
; Clears the on-chip RAM, sets up the stack and the serial port, then calls main.

#include "hc11regs.inc"

RAMSTART  equ   $0000
RAMEND    equ   $00FF
STACKTOP  equ   $01FF
BAUD      equ   $102B
SCCR2     equ   $102D
LEDPORT   equ   $1004

          org   $E000

reset     lds   #STACKTOP          ; stack at the top of the RAM
          ldx   #RAMSTART
clear     clr   0,x                ; clear one byte
          inx
          cpx   #RAMEND+1
          bne   clear

          ldaa  #%00110000         ; BAUD: SCP E/13, SCR /1 = 9600 baud at 8 MHz
          staa  BAUD
          ldaa  #$0C               ; SCCR2: TE and RE, transmitter and receiver on
          staa  SCCR2

          ldaa  #@17               ; all four LEDs on
          staa  LEDPORT
          jsr   main
halt      bra   halt

banner    fcb   "Quarry demo board",13,10,0

          org   $FFFE
          fdb   reset              ; reset vector

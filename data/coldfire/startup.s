| Start-up code of the ColdFire demo: the vector table at the origin, then the reset code that
| places MBAR and the internal SRAM, copies .data from flash to SRAM (when the build asks for
| it), clears .bss and calls main().
        .section .vectors,"a"
        .long   __stack                 | initial stack pointer
        .long   _start                  | reset vector

        .text
        .globl  _start
_start:
        move.w  #0x2700,%sr             | supervisor mode, interrupts off
        move.l  #0x10000001,%d0         | MBAR at 0x10000000, valid
        movec   %d0,#0xC0F
        move.l  #0x20000001,%d0         | RAMBAR: internal SRAM at 0x20000000, valid
        movec   %d0,#0xC04
        move.l  #__stack,%sp

        move.l  #__move_data_bool,%d0   | copy .data only when the build asks for it
        beq.s   2f
        lea     __data_load,%a0
        lea     __data_start,%a1
        lea     __data_end,%a2
1:      cmp.l   %a2,%a1
        bcc.s   2f
        move.b  (%a0)+,(%a1)+
        bra.s   1b

2:      lea     __bss_start,%a1         | clear .bss
        lea     __bss_end,%a2
3:      cmp.l   %a2,%a1
        bcc.s   4f
        clr.b   (%a1)+
        bra.s   3b

4:      jsr     main
5:      bra.s   5b

/* Blinks the LEDs on the parallel port pins PP0 and PP1 of an MCF5206e board. */
#include "mcf5206e.h"

static void delay(unsigned long count)
{
    while (count--)
        __asm__ volatile("nop");
}

static unsigned char pattern = 0x01;  /* in .data: startup.s copies it from flash */

int main(void)
{
    /* PP0 and PP1 drive the LEDs */
    PPDDR = 0x03;
    for (;;) {
        PPDAT = pattern;
        pattern ^= 0x03;
        delay(200000UL);
    }
    return 0;
}

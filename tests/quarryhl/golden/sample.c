/* Ring buffer for the serial port.
   Interrupt side writes, main loop reads. */
#include <stdint.h>
#include "uart.h"

#define RING_SIZE 64u
#define NEXT(i) (((i) + 1u) & (RING_SIZE - 1u))
#define REGISTER(name, addr) \
    volatile uint8_t *const name = (uint8_t *)(addr)

static volatile uint8_t ring[RING_SIZE];
static volatile unsigned head, tail;   // head: next write

REGISTER(SCDR, 0x102F);

int ring_put(uint8_t c)
{
    unsigned next = NEXT(head);
    if (next == tail)
        return -1;              /* full */
    ring[head] = c;
    head = next;
    return 0;
}

const char *greeting = "Hello, \"world\"\n";
char quote = '\'';
double scale = 2.5e-3 * .5;
long mask = 0x1Fl | 077 | 10UL;
/* unterminated comment at the end

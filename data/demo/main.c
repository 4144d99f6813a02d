/* Quarry demo: blinks the LEDs of the demo board and answers on the serial port. */
#include "board.h"

#define BLINK_DELAY 25000u

static const char greeting[] = "Quarry demo board ready\r\n";
static unsigned char led_pattern[4] = {0x01, 0x02, 0x04, 0x08};

static void delay(unsigned int count)
{
    while (count-- > 0)
        __asm__ volatile("nop");
}

static void serial_write(const char *text)
{
    while (*text != '\0') {
        while ((SCSR & SCSR_TDRE) == 0)
            ;  /* wait until the transmitter is free */
        SCDR = *text++;
    }
}

int main(void)
{
    unsigned int step = 0;

    serial_write(greeting);
    for (;;) {
        LEDPORT = led_pattern[step % 4];
        delay(BLINK_DELAY);
        if (SCSR & SCSR_RDRF) {
            char echo[2] = {(char)SCDR, '\0'};
            serial_write(echo);
        }
        ++step;
    }
    return 0;
}

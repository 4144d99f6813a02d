/* Registers of the Quarry demo board (a 68HC11); mc68hc11.reg describes them bit by bit
   for the register viewer (Shift+F1). */
#ifndef BOARD_H
#define BOARD_H

#define REG8(address) (*(volatile unsigned char *)(address))

#define LEDPORT   REG8(0x1004)   /* port B: four LEDs on bits 0..3 */
#define SCSR      REG8(0x102E)   /* serial status */
#define SCDR      REG8(0x102F)   /* serial data */

#define SCSR_TDRE 0x80           /* transmit data register empty */
#define SCSR_RDRF 0x20           /* receive data register full */

#endif

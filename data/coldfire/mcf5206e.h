/* MCF5206e on-chip registers used by the demo, at their offsets from MBAR. */
#ifndef MCF5206E_H
#define MCF5206E_H

#define MBAR 0x10000000UL

#define MCF_REG8(offset) (*(volatile unsigned char *)(MBAR + (offset)))

#define PPDDR MCF_REG8(0x1C5) /* port data direction register */
#define PPDAT MCF_REG8(0x1C9) /* port data register */

#endif

#!/bin/sh
# @PROJECT@/build.sh
# This file is used to build a GNU m68k-elf target application
# using the following components:
# POSIX sh, without set -e: the error log collects the messages of every tool

# GCC and Binutils: m68k-elf-gcc and m68k-elf-objcopy when the binary search path
# has them, else Debian's cross tools m68k-linux-gnu-gcc and m68k-linux-gnu-objcopy
# Build script written by Quarry, the Talvik Systems development environment
# http://www.talvik-systems.example


# relative names are taken in the project directory
cd "@PROJECT@" || exit 1

# main input file
INFILE="@PROJECT@/main.c"

# ELF output file
ELFFILE="@PROJECT@/main.elf"

# user startup file
CRT0="@PROJECT@/startup.s"

# linker script
LINKERSCRIPT="@PROJECT@/board.ld"

# s-record output file
S19="main.s19"

# error log file
ERRLOG=""

# object output file
OBJFILE="@PROJECT@/main.o"

# produce obj file only?
OBJONLY="TRUE"

# binary search path; messages in plain ASCII, as the error reader takes them
PATH="@PROJECT@/bin:@PROJECT@/tools/bin:$PATH"
LC_ALL=C
export PATH LC_ALL

# include path
INCPATH="-I@PROJECT@/inc"

# library path
LIBPATH="-Xlinker -L -Xlinker @PROJECT@/lib"

# general flags
GENFLAGS="-m5200 -nostdlib -v -Wall -gdwarf-2 -O2 -Wa,-al=@PROJECT@/main.lst"

# symbols passed directly to linker
USRSYMB="-Xlinker --defsym -Xlinker __heap_start=0x20001000 -Xlinker --defsym -Xlinker __stack=0x20002000 -Xlinker --defsym -Xlinker __origin=0xFFE00000 -Xlinker --defsym -Xlinker __move_data_bool=1 -Xlinker --defsym -Xlinker __data_start_run=0x20000000 -Xlinker --defsym -Xlinker __data_start_load=0xFFE40000 -Xlinker --defsym -Xlinker __move_text_bool=1 -Xlinker --defsym -Xlinker __text_start_run=0x20000800 -Xlinker --defsym -Xlinker __text_start_load=0xFFE00000"

# commands to compile
COMPILE="$GENFLAGS -c -m5200 $INCPATH"

# commands to link
LINK="$GENFLAGS -m5200 -T $LINKERSCRIPT $INCPATH $USRSYMB"

# the tools
if command -v m68k-elf-gcc >/dev/null 2>&1; then
  GCC=m68k-elf-gcc
  OBJCOPY=m68k-elf-objcopy
else
  GCC=m68k-linux-gnu-gcc
  OBJCOPY=m68k-linux-gnu-objcopy
fi

# compile
eval "$GCC $COMPILE -o $OBJFILE $INFILE"

@echo off
REM C:\work\build.bat
REM This file is used to build a GNU m68k-elf target application
REM using the following components:
REM Windows NT/2000/XP

REM GCC version 2.95.3 20010315 (release)(ColdFire patches - 20010318 from http://www.talvik-systems.example/coldfire)
REM Binutils version 2.10
REM Newlib version 1.90
REM Build script written by Quarry, the Talvik Systems development environment
REM http://www.talvik-systems.example


REM main input file
set INFILE=@PROJECT@\main.c

REM ELF output file
set ELFFILE=@PROJECT@\main.elf

REM user startup file
set CRT0=@PROJECT@\startup.s

REM linker script
set LINKERSCRIPT=@PROJECT@\board.ld

REM s-record output file
set S19=main.s19

REM error log file
set ERRLOG=gnu.err

REM object output file
set OBJFILE=@PROJECT@\main.o

REM produce obj file only?
set OBJONLY=FALSE

REM binary search path
PATH @PROJECT@\bin;@PROJECT@\tools/bin;%PATH%

REM include path
set INCPATH=-I@PROJECT@\inc

REM library path
set LIBPATH=-Xlinker -L -Xlinker @PROJECT@\lib

REM general flags
set GENFLAGS=-m5200 -nostdlib -v -Wall -gdwarf-2 -O2 -Wa,-al=@PROJECT@\main.lst

REM symbols passed directly to linker
set USRSYMB=-Xlinker --defsym -Xlinker __heap_start=0x20001000 -Xlinker --defsym -Xlinker __stack=0x20002000 -Xlinker --defsym -Xlinker __origin=0xFFE00000 -Xlinker --defsym -Xlinker __move_data_bool=1  -Xlinker --defsym -Xlinker __data_start_run=0x20000000 -Xlinker --defsym -Xlinker __data_start_load=0xFFE40000 -Xlinker --defsym -Xlinker __move_text_bool=1  -Xlinker --defsym -Xlinker __text_start_run=0x20000800 -Xlinker --defsym -Xlinker __text_start_load=0xFFE00000 

REM commands to compile
set COMPILE=%GENFLAGS% -c -m5200 %INCPATH%

REM commands to link
set LINK=%GENFLAGS% -m5200 -T %LINKERSCRIPT% %INCPATH% %USRSYMB%

REM compile
m68k-elf-gcc %COMPILE% -o %OBJFILE% %INFILE% 2> %ERRLOG%

REM link
m68k-elf-gcc %LINK% -nostartfiles %LIBPATH% %CRT0% %OBJFILE% -o %ELFFILE% 2>> %ERRLOG%

REM produce s19
m68k-elf-objcopy -O srec %ELFFILE% %S19% 2>> %ERRLOG%

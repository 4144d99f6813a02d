@echo off
REM C:\work\build.bat
REM This file is used to build a GNU powerpc-eabi target application
REM using the following components:
REM Windows NT/2000/XP

REM GCC version 2.95.3
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

REM set standard GNU startup and finalization files
set ECRTI=@PROJECT@\ecrt\ecrti.o
set ECRTN=@PROJECT@\ecrt\ecrtn.o

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
set GENFLAGS=-m5200 -nostdlib -v -Wall -gdwarf-2 -O2 -Wa,-al=@PROJECT@\main.lst -B@PROJECT@\ecrt\

REM symbols passed directly to linker
set USRSYMB=

REM commands to compile
set COMPILE=%GENFLAGS% -c -b powerpc-eabi %INCPATH%

REM commands to link
set LINK=%GENFLAGS% -b powerpc-eabi -T %LINKERSCRIPT% %INCPATH% %USRSYMB%

REM compile
powerpc-eabi-gcc %COMPILE% -o %OBJFILE% %INFILE% 2> %ERRLOG%

REM link
powerpc-eabi-gcc %LINK% -nostartfiles %LIBPATH% %ECRTI% %CRT0% %OBJFILE% %ECRTN% -o %ELFFILE% 2>> %ERRLOG%

REM produce s19
powerpc-eabi-objcopy -O srec %ELFFILE% %S19% 2>> %ERRLOG%

@echo off
REM C:\work\build.bat
REM This file is used to build a GNU m68k-elf target application
REM using the following components:
REM Windows 95/98/ME

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
set GENFLAGS=-DX$$EQ$$1 -v -Wall -gdwarf-2 -O2 -Wa,-al$$EQ$$@PROJECT@\main.lst

REM symbols passed directly to linker
set USRSYMB=-Xlinker --defsym -Xlinker __heap_start$$EQ$$0x20001000 -Xlinker --defsym -Xlinker __stack$$EQ$$0x20002000 -Xlinker --defsym -Xlinker __origin$$EQ$$0xFFE00000 -Xlinker --defsym -Xlinker __move_data_bool$$EQ$$1  -Xlinker --defsym -Xlinker __data_start_run$$EQ$$0x20000000 -Xlinker --defsym -Xlinker __data_start_load$$EQ$$0xFFE40000 -Xlinker --defsym -Xlinker __move_text_bool$$EQ$$1  -Xlinker --defsym -Xlinker __text_start_run$$EQ$$0x20000800 -Xlinker --defsym -Xlinker __text_start_load$$EQ$$0xFFE00000 

REM commands to compile
set COMPILE=%GENFLAGS% -c -m5200 %INCPATH%

REM commands to link
set LINK=%GENFLAGS% -m5200 -T %LINKERSCRIPT% %INCPATH% %USRSYMB%


REM For Windows 95/98/ME, the batch file uses the Talvik utility, Siphon
REM The utility will execute a console application
REM and capture its standard error output to a log file.
REM The utility will also replace the input token  $$EQ$$  with the token  = 
REM Siphon accepts the path of a temp file as a parameter.
REM The temp file contains command parameters for Siphon.
REM This batch file creates this temp file.
REM See the document Siphon_ReadMe for more information.

REM compile
echo m68k-elf-gcc %COMPILE% -o %OBJFILE% %INFILE% > C:\TEMP\__talvik__tmp.tmp__
echo %ERRLOG% >> C:\TEMP\__talvik__tmp.tmp__
echo OVERWRITE >> C:\TEMP\__talvik__tmp.tmp__
echo WIN98CHAR >> C:\TEMP\__talvik__tmp.tmp__
START /WAIT Siphon "C:\TEMP\__talvik__tmp.tmp__"

REM link
echo m68k-elf-gcc %LINK% -nostartfiles %LIBPATH% %CRT0% %OBJFILE% -o %ELFFILE% > C:\TEMP\__talvik__tmp.tmp__
echo %ERRLOG% >> C:\TEMP\__talvik__tmp.tmp__
echo APPEND >> C:\TEMP\__talvik__tmp.tmp__
echo WIN98CHAR >> C:\TEMP\__talvik__tmp.tmp__
START /WAIT Siphon "C:\TEMP\__talvik__tmp.tmp__"

REM produce s19
echo m68k-elf-objcopy -O srec %ELFFILE% %S19% > C:\TEMP\__talvik__tmp.tmp__
echo %ERRLOG% >> C:\TEMP\__talvik__tmp.tmp__
echo APPEND >> C:\TEMP\__talvik__tmp.tmp__
echo WIN98CHAR >> C:\TEMP\__talvik__tmp.tmp__
START /WAIT Siphon "C:\TEMP\__talvik__tmp.tmp__"

del C:\TEMP\__talvik__tmp.tmp__

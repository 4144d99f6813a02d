// quarryreg as scripts use it: the file list, a shipped file as read (golden), the code lines
// it composes, and clear refusals with exit status 1 and usage errors with 2.
#include "support/RunProgram.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace quarry {
namespace {

const std::string kData = QUARRY_DATA_DIR;

test::ToolRun quarryreg(const std::string& args) { return test::runProgram(QUARRYREG_EXE, args, "2>&1"); }

struct RunCase {
    std::string args;
    int status;
    std::string out;  // exact, or the start of it when `prefix`
    bool prefix = false;
};

TEST(Quarryreg, Runs)
{
    test::TempDir dir;
    dir.write("none.txt", "");
    const std::string hc11 = "'" + kData + "/mc68hc11.reg' ";
    const std::string uart = "'" + kData + "/mcf5206e_uart.reg' ";
    const std::vector<RunCase> cases = {
        {"list '" + kData + "'", 0,
         "mc68hc11.reg\tMotorola MC68HC11 ports and SCI (registers at $1000)\n"
         "mc9s08gb60_ports.reg\tFreescale MC9S08GB60 parallel I/O ports A and B\n"
         "mc9s08gb60_sci.reg\tFreescale MC9S08GB60 SCI1 serial communications interface (SCI2 at $0020)\n"
         "mcf5206e_gpio.reg\tColdFire MCF5206e general-purpose I/O port PP7-PP0 (addresses from MBAR)\n"
         "mcf5206e_timer.reg\tColdFire MCF5206e timer 1 (addresses from MBAR; timer 2 at +$20)\n"
         "mcf5206e_uart.reg\tColdFire MCF5206e UART1 (addresses from MBAR; UART2 at +$40)\n"},
        {"list '" + dir.path().string() + "'", 1, "quarryreg list: No register (.REG) files were found.\n"},
        {"list /no/such/dir", 1, "quarryreg list: no directory /no/such/dir\n"},
        {"compose " + hc11 + "SCCR2 03=1 02=1", 0, "$0C ;0000102D SCCR2  SCI control register 2\n"},
        {"compose " + hc11 + "sccr2 3=0x1", 0, "$08 ;0000102D SCCR2  SCI control register 2\n"},
        {"compose " + hc11 + "0000102B 05-04=3 02-00=0", 0,
         "$30 ;0000102B BAUD   SCI baud rate (baud = E clock / 16 / SCP / SCR)\n"},
        {"compose " + uart + "URB", 0, " ;0000014C URB    UART receiver buffer (read)\n"},
        {"compose '" + kData + "/mcf5206e_timer.reg' TMR1 15-08=63 02-01=1 00=1", 0,
         "$6303 ;00000100 TMR1   timer mode register\n"},
        {"compose " + hc11 + "SCSR 07=1", 1, "quarryreg compose: field 07 of SCSR is read only\n"},
        {"compose " + hc11 + "BAUD 02-00=8", 1, "quarryreg compose: value 8 does not fit field 02-00 (3 bits)\n"},
        {"compose " + hc11 + "BAUD 02-00=g", 1, "quarryreg compose: value 'g' is not hexadecimal\n"},
        {"compose " + hc11 + "BAUD 03-00=1", 1,
         "quarryreg compose: register BAUD has no field 03-00; its fields are 07 05-04 03 02-00\n"},
        {"compose " + hc11 + "NOPE", 1, "quarryreg compose: no register NOPE in " + kData + "/mc68hc11.reg\n"},
        {"compose /no/file.reg X", 1, "quarryreg compose: cannot read /no/file.reg\n"},
        {"compose " + hc11 + "BAUD 02-00", 2, "quarryreg compose: '02-00' is not FIELD=VALUE\nusage:", true},
        {"compose " + hc11, 2, "quarryreg compose: compose takes", true},
        {"show", 2, "quarryreg show: show takes one register file\nusage:", true},
        {"help", 0, "usage: quarryreg <command>", true},
        {"", 2, "usage: quarryreg <command>", true},
        {"frobnicate", 2, "quarryreg: unknown command 'frobnicate'\nusage:", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const auto run = quarryreg(c.args);
        EXPECT_EQ(c.status, run.status);
        EXPECT_EQ(c.out, c.prefix ? run.out.substr(0, c.out.size()) : run.out);
    }
}

TEST(Quarryreg, ShowGoldenAndWarnings)
{
    const auto golden = test::TempDir::read(std::string(QUARRY_SOURCE_DIR) + "/tests/quarryreg/golden/mcf5206e_timer.show");
    const auto shipped = quarryreg("show '" + kData + "/mcf5206e_timer.reg'");
    EXPECT_EQ(0, shipped.status);
    EXPECT_EQ(golden, shipped.out);

    test::TempDir dir;
    const auto bad = dir.write("bad.reg", "Bad\r\nB 0000zz00 R\r\n B9 high\r\n  0001 gone\r\n BV0\r\n  N0 x\r\n");
    const auto run = quarryreg("show '" + bad + "'");
    EXPECT_EQ(0, run.status);
    EXPECT_EQ("Bad\n\nB 0000zz00 R  [8 bits, relocatable, address not valid]\n"
              "  07-00  Read/Write  Unspecified\n" +
                  bad + ":2: warning: the address in columns 3 to 10 is not 8 hexadecimal digits\n" + bad +
                  ":3: warning: bit 9 is outside the 8-bit register; field left out\n" + bad +
                  ":5: warning: bit 31 is outside the 8-bit register; field left out\n",
              run.out);
}

// A real device imported, then composed: the code line holds the value the field settings make
// and the imported register's address and description; the imported file matches its golden copy.
TEST(Quarryreg, ImportSvdThenCompose)
{
    test::TempDir dir;
    const std::string svd = std::string(QUARRY_SOURCE_DIR) + "/tests/regview/svd/ARMCM3xxx.svd";
    const std::string out = dir.path().string();
    const auto timer1 = "'" + out + "/TIMER1.reg' ";
    dir.write("broken.svd", "<device><name>D</name><peripherals><peripheral><name>P</name></peripheral>");
    const std::vector<RunCase> cases = {
        {"import-svd '" + svd + "' -o '" + out + "'", 0,
         out + "/TIMER0.reg\t11 registers\n" + out + "/TIMER1.reg\t11 registers\n" + out + "/TIMER2.reg\t11 registers\n"},
        {"compose " + timer1 + "CR 31=1 06-04=4 03-02=1 00=1", 0, "$80000045 ;40010100 CR Control Register\n"},
        {"compose " + timer1 + "RELOAD[2] 31-00=12345678", 0,
         "$12345678 ;40010158 RELOAD[2] The Reload Register stores the Value the COUNT Register gets reloaded on a when "
         "a condition was met\n"},
        {"compose " + timer1 + "SR 00=1", 1, "quarryreg compose: field 00 of SR is read only\n"},
        {"compose " + timer1 + "SR 08=1", 0, "$0100 ;40010104 SR Status Register\n"},
        {"import-svd '" + svd + "' --peripheral timer2 -o '" + out + "'", 0, out + "/TIMER2.reg\t11 registers\n"},
        {"import-svd '" + svd + "' --peripheral UART -o '" + out + "'", 1,
         "quarryreg import-svd: no peripheral UART in " + svd + "; its peripherals are TIMER0 TIMER1 TIMER2\n"},
        {"import-svd '" + kData + "/mc68hc11.reg' -o '" + out + "'", 1,
         "quarryreg import-svd: " + kData + "/mc68hc11.reg: not an SVD file: no XML element in it\n"},
        {"import-svd '" + out + "/broken.svd' -o '" + out + "'", 0,
         out + "/broken.svd:1: warning: XML error: Start-end tags mismatch; what follows it is left out\n"},
        {"import-svd '" + svd + "' -o /no/such/dir", 1, "quarryreg import-svd: no directory /no/such/dir\n"},
        {"import-svd '" + svd + "'", 2, "quarryreg import-svd: import-svd takes a device description and -o DIR\nusage:", true},
        {"import-svd '" + svd + "' -o '" + out + "' --bogus", 2, "quarryreg import-svd: '--bogus' is not understood\n", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const auto run = quarryreg(c.args);
        EXPECT_EQ(c.status, run.status);
        EXPECT_EQ(c.out, c.prefix ? run.out.substr(0, c.out.size()) : run.out);
    }
    const auto golden = test::TempDir::read(std::string(QUARRY_SOURCE_DIR) + "/tests/quarryreg/golden/TIMER0.reg");
    EXPECT_EQ(golden, test::TempDir::read(out + "/TIMER0.reg"));
}

}  // namespace
}  // namespace quarry

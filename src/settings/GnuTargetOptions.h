#pragma once
#include <string>

namespace quarry {

// The options of one GNU target (keys M68KELF... or PPCEABI... of section COMPILER).
struct GnuTargetOptions {
    // settings dialog
    int batchOpt = 0;  // 0 create and launch the build script, 1 launch it without creating it
    std::string compilerOptions;
    bool confirm = false;
    bool saveFiles = false;
    // error options form
    bool getError = true;
    std::string errorFileName = "%FILE.ERR%";
    bool openErr = true;
    // compiler options form
    bool verbose = false;
    bool noWarn = false;
    bool warnAll = false;
    bool debug = false;
    int optimize = 0;  // index into the optimisation choices
    bool genList = false;
    bool genS19 = true;
    bool genObj = false;
    // compiler paths form
    std::string genListName;
    std::string genS19Name;
    std::string genObjName;
    std::string main;
    std::string outFile;
    std::string startup;
    std::string linker;
    std::string path;     // directories separated by ';'
    std::string include;  // directories separated by ';'
    std::string lib;      // directories separated by ';'
    std::string ecrt;     // powerpc-eabi only
    // target options form
    std::string stack;
    std::string heap;
    std::string origin;
    std::string dataRam;
    std::string dataFlash;
    std::string textRam;
    std::string textFlash;
    bool moveText = false;
    bool moveData = true;

    bool operator==(const GnuTargetOptions&) const = default;
};

}  // namespace quarry

#pragma once
#include "regview/RegisterFileWriter.h"
#include "regview/SvdModel.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quarry {

class SvdDocument;

// One register file an import wrote, or failed to write.
struct SvdWrittenFile {
    std::string path;
    int error = 0;  // 0, or the errno value of the failure to write it
    int registers = 0;
    std::vector<SvdWarning> warnings;
};
class SvdResolver;

// Imports a device description (CMSIS-SVD): lists its peripherals and turns each into a
// register description file for the register viewer, one "<peripheral>.reg" per peripheral.
class SvdImport final {
public:
    SvdImport();
    ~SvdImport();
    SvdImport(const SvdImport&) = delete;  // holds the parsed description
    SvdImport& operator=(const SvdImport&) = delete;

    // False, with Error() telling why, when the bytes are no device description.
    bool Open(std::string bytes);
    const std::string& Error() const { return error_; }

    std::string DeviceName() const;
    const std::vector<SvdPeripheralEntry>& Peripherals() const;
    // What the device level and the list of peripherals gave cause to say.
    const std::vector<SvdWarning>& DeviceWarnings() const;
    // The peripheral's register file, with the description's and the format's warnings.
    RegisterFileText Convert(std::size_t index) const;
    // Converts and writes it into the directory under its file name (replacing a file there);
    // returns 0 or the errno value of the failure.
    int Write(std::size_t index, const std::string& directory, RegisterFileText& written) const;
    // Writes the chosen peripherals one after another; `progress` hears of each file before it
    // is made (done so far, total) and stops the run by returning false.
    using Progress = std::function<bool(std::size_t done, std::size_t total)>;
    std::vector<SvdWrittenFile> WriteFiles(const std::vector<std::size_t>& chosen, const std::string& directory,
                                           const Progress& progress) const;
    // The file names of the chosen peripherals that are already in the directory.
    std::vector<std::string> ExistingFiles(const std::vector<std::size_t>& chosen, const std::string& directory) const;

private:
    std::unique_ptr<SvdDocument> document_;
    std::unique_ptr<SvdResolver> resolver_;
    std::string error_;
};

}  // namespace quarry

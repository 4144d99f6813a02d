#include "regview/SvdImport.h"

#include "platform/FileFacts.h"
#include "platform/PathStyle.h"
#include "platform/SafeFile.h"
#include "regview/SvdDocument.h"
#include "regview/SvdResolver.h"

namespace quarry {

SvdImport::SvdImport() = default;
SvdImport::~SvdImport() = default;

bool SvdImport::Open(std::string bytes)
{
    resolver_.reset();
    document_ = std::make_unique<SvdDocument>();
    if (!document_->Load(std::move(bytes))) {
        error_ = document_->Error();
        document_.reset();
        return false;
    }
    error_.clear();
    resolver_ = std::make_unique<SvdResolver>(*document_);
    return true;
}

std::string SvdImport::DeviceName() const { return resolver_ ? resolver_->DeviceName() : std::string(); }

const std::vector<SvdPeripheralEntry>& SvdImport::Peripherals() const
{
    static const std::vector<SvdPeripheralEntry> none;
    return resolver_ ? resolver_->Peripherals() : none;
}

const std::vector<SvdWarning>& SvdImport::DeviceWarnings() const
{
    static const std::vector<SvdWarning> none;
    return resolver_ ? resolver_->DeviceWarnings() : none;
}

RegisterFileText SvdImport::Convert(std::size_t index) const
{
    auto peripheral = resolver_->Resolve(index);
    auto file = writeRegisterFile(resolver_->DeviceName(), peripheral);
    peripheral.warnings.insert(peripheral.warnings.end(), file.warnings.begin(), file.warnings.end());
    file.warnings = std::move(peripheral.warnings);
    return file;
}

int SvdImport::Write(std::size_t index, const std::string& directory, RegisterFileText& written) const
{
    written = Convert(index);
    const auto path = PathStyle::native().join(directory, Peripherals().at(index).fileName);
    return SafeFile::WriteBytes(path, written.text);
}

std::vector<SvdWrittenFile> SvdImport::WriteFiles(const std::vector<std::size_t>& chosen, const std::string& directory,
                                                  const Progress& progress) const
{
    std::vector<SvdWrittenFile> written;
    for (const auto index : chosen) {
        if (progress && !progress(written.size(), chosen.size()))
            break;
        RegisterFileText file;
        SvdWrittenFile result;
        result.path = PathStyle::native().join(directory, Peripherals().at(index).fileName);
        result.error = Write(index, directory, file);
        result.registers = file.registers;
        result.warnings = std::move(file.warnings);
        written.push_back(std::move(result));
    }
    if (progress)
        progress(written.size(), chosen.size());
    return written;
}

std::vector<std::string> SvdImport::ExistingFiles(const std::vector<std::size_t>& chosen,
                                                  const std::string& directory) const
{
    std::vector<std::string> existing;
    for (const auto index : chosen)
        if (files::fileExists(PathStyle::native().join(directory, Peripherals().at(index).fileName)))
            existing.push_back(Peripherals().at(index).fileName);
    return existing;
}

}  // namespace quarry

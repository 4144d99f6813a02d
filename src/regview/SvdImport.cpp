#include "regview/SvdImport.h"

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

}  // namespace quarry

#pragma once
#include <cstdio>
#include <string>

#include "text/TStream.h"

namespace quarry {

// A stream over a file on disk. Opening for reading shares the file with other readers and
// writers; creating replaces an existing file. Failures raise EFOpenError naming the file.
class TFileStream final : public TStream {
public:
    enum class Mode { OpenRead, Create };
    TFileStream(const std::string& fileName, Mode mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;  // owns an open file handle
    TFileStream& operator=(const TFileStream&) = delete;

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Position() const override;
    void SetPosition(std::int64_t position) override;
    std::int64_t Size() const override;
    void SetSize(std::int64_t size) override;

    const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
    int fd_ = -1;
};

}  // namespace quarry

#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace quarry {

// A byte stream with a position, the shape every load and save path of the editor takes. A Write
// that returns fewer bytes than asked leaves the position advanced by what was written, which is
// how callers see a full disk or a broken pipe.
class TStream {
public:
    virtual ~TStream() = default;

    virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Position() const = 0;
    virtual void SetPosition(std::int64_t position) = 0;
    virtual std::int64_t Size() const = 0;
    // Cuts or extends the stream; the position is clipped to the new size.
    virtual void SetSize(std::int64_t size) = 0;

    std::int64_t Remaining() const { return Size() - Position(); }

    // Little-endian helpers shared by every stored form (key tables, settings streams).
    void WriteUInt8(std::uint8_t value) { WriteExact(&value, 1); }
    void WriteUInt16(std::uint16_t value);
    void WriteInt32(std::int32_t value);
    // A string is its 32-bit length followed by its bytes.
    void WriteString(const std::string_view& text);
    std::uint16_t ReadUInt16();
    std::int32_t ReadInt32();
    std::string ReadString();

    void WriteExact(const void* buffer, std::int64_t count);
    void ReadExact(void* buffer, std::int64_t count);
};

}  // namespace quarry

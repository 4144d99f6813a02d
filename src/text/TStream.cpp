#include "text/TStream.h"

#include "text/EStreamError.h"

namespace quarry {

namespace {
// Stored forms are little-endian on every platform.
template <typename T>
void PutLittleEndian(TStream& stream, T value) {
    unsigned char bytes[sizeof(T)];
    for (std::size_t i = 0; i < sizeof(T); ++i) bytes[i] = static_cast<unsigned char>(value >> (8 * i));
    stream.WriteExact(bytes, sizeof(T));
}

template <typename T>
T GetLittleEndian(TStream& stream) {
    unsigned char bytes[sizeof(T)];
    stream.ReadExact(bytes, sizeof(T));
    T value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) value = static_cast<T>(value | (T(bytes[i]) << (8 * i)));
    return value;
}
}  // namespace

void TStream::WriteExact(const void* buffer, std::int64_t count) {
    if (Write(buffer, count) != count) throw EStreamError("Stream write error");
}

void TStream::ReadExact(void* buffer, std::int64_t count) {
    if (Read(buffer, count) != count) throw EStreamError("Stream read error");
}

void TStream::WriteUInt16(std::uint16_t value) { PutLittleEndian(*this, value); }
void TStream::WriteInt32(std::int32_t value) { PutLittleEndian(*this, static_cast<std::uint32_t>(value)); }

void TStream::WriteString(const std::string_view& text) {
    WriteInt32(static_cast<std::int32_t>(text.size()));
    WriteExact(text.data(), static_cast<std::int64_t>(text.size()));
}

std::uint16_t TStream::ReadUInt16() { return GetLittleEndian<std::uint16_t>(*this); }
std::int32_t TStream::ReadInt32() { return static_cast<std::int32_t>(GetLittleEndian<std::uint32_t>(*this)); }

std::string TStream::ReadString() {
    const std::int32_t length = ReadInt32();
    if (length < 0 || length > Remaining()) throw EStreamError("Stream read error");
    std::string text(static_cast<std::size_t>(length), '\0');
    ReadExact(text.data(), length);
    return text;
}

}  // namespace quarry

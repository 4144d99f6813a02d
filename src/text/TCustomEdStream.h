#pragma once
#include <cstdint>

#include "text/EditorTypes.h"

namespace quarry {

// The character cursor that scanners, regular expressions and search read text through. The
// order of the operations is the one the scanner's operation table uses.
class TCustomEdStream {
public:
    virtual ~TCustomEdStream() = default;

    // The character at the position; a CR (13) marks a line end, NUL the end of the stream.
    virtual char Current() const = 0;
    virtual Offset Position() const = 0;
    virtual void Seek(Offset position) = 0;
    virtual bool AtEnd() const = 0;
    // Step one character forward or back; both answer the character now current.
    virtual char Next() = 0;
    virtual char Previous() = 0;
    // Copies up to count characters from the position on and advances past them.
    virtual std::int32_t Read(char* buffer, std::int32_t count) = 0;
    // Inserts characters at the position; read-only streams raise ECodeMemo.
    virtual std::int32_t Write(const char* buffer, std::int32_t count) = 0;
};

}  // namespace quarry

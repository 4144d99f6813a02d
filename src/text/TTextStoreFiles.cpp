#include "text/TTextStore.h"

#include <algorithm>
#include <cstring>

#include "text/EFileSaveError.h"
#include "text/EFileTooLarge.h"
#include "text/EditorMessages.h"
#include "text/Format.h"
#include "text/LineEnds.h"
#include "text/TFileStream.h"

namespace quarry {

// ---------------------------------------------------------------- loading and saving

Offset TTextStore::LoadFromStream(TStream& stream, Offset at) {
    const std::int64_t size = stream.Remaining();
    if (size > static_cast<std::int64_t>(charLimit_) - charCount_)
        throw EFileTooLarge(Format(msg::TextTooLarge, charLimit_));
    // Blocks of kChunkSize bytes; a line end at a block's end is held back and read again at the
    // head of the next block, where its partner may be.
    std::string buffer(kChunkSize + 1, '\0');
    std::int32_t held = 0;
    bool more = true;
    while (more) {
        const auto n = static_cast<std::int32_t>(stream.Read(buffer.data() + held, kChunkSize - held)) + held;
        more = n == kChunkSize;
        if (n == 0) break;
        std::size_t length = 0;
        const auto consumed =
            static_cast<std::int32_t>(NormaliseInPlace(buffer.data(), static_cast<std::size_t>(n), more, &length));
        at += InsertNormalised(at, std::string_view(buffer.data(), length));
        held = n - consumed;
        // The held bytes lie after everything consumed, untouched by the normalisation.
        if (held > 0) std::memmove(buffer.data(), buffer.data() + consumed, static_cast<std::size_t>(held));
    }
    return at;
}

Offset TTextStore::LoadFromFile(const std::string& fileName, Offset at) {
    TFileStream stream(fileName, TFileStream::Mode::OpenRead);
    const std::int64_t size = stream.Size();
    if (size > static_cast<std::int64_t>(charLimit_) - charCount_)
        throw EFileTooLarge(Format(msg::FileTooLarge, fileName.c_str(), static_cast<unsigned long long>(size), charLimit_));
    return LoadFromStream(stream, at);
}

void TTextStore::SaveToStream(TStream* stream, TSaveFormat format) {
    if (!stream) throw EFileSaveError(msg::BadStream);
    const std::int64_t start = stream->Position();
    const std::int64_t expected = WrittenSize(0, charCount_, format, SelLineStyle);
    WriteText(*stream, 0, charCount_, format, SelLineStyle);
    // The check is against the bytes this form produces, not the character count: a CR LF save
    // that came short could still be longer than the text and pass unnoticed.
    for (int repeat = 0; repeat < 3 && stream->Position() - start < expected; ++repeat) {
        // Again from the first position, so that a partial first attempt leaves nothing behind.
        stream->SetPosition(start);
        WriteText(*stream, 0, charCount_, format, SelLineStyle);
    }
    if (stream->Position() - start < expected) throw EFileSaveError(msg::CouldNotSave);
}

void TTextStore::SaveToFile(const std::string& fileName, TSaveFormat format) {
    TFileStream stream(fileName, TFileStream::Mode::Create);
    SaveToStream(&stream, format);
}

std::int64_t TTextStore::WrittenSize(Offset start, Offset end, TSaveFormat format, TSelLineStyle style) {
    start = std::max<Offset>(start, 0);
    end = std::min(end, charCount_);
    if (start >= end) return 0;
    std::int64_t size = end - start;
    if (format == TSaveFormat::sfTEXT && style == TSelLineStyle::lsCRLF) {
        if (start == 0 && end == charCount_) return size + crCount_;
        size += static_cast<std::int64_t>(CountCRs(start, end));
    }
    return size;
}

std::int32_t TTextStore::CountCRs(Offset start, Offset end) {
    std::int32_t count = 0;
    const Location loc = Locate(start);
    RecordId rec = loc.record;
    std::int32_t from = start - loc.lineStart;
    Offset pos = start;
    while (rec != kNoRecord && pos < end) {
        const TLineRecord& r = Rec(rec);
        const std::int32_t take = std::min<std::int32_t>(r.length - from, end - pos);
        if (r.EndsWithCR() && from + take == r.length) ++count;
        pos += take;
        from = 0;
        rec = r.next;
    }
    return count;
}

std::int64_t TTextStore::WriteText(TStream& stream, Offset start, Offset end, TSaveFormat format, TSelLineStyle style) {
    start = std::max<Offset>(start, 0);
    end = std::min(end, charCount_);
    if (start >= end) return 0;
    std::string lineEnd = "\r";
    if (format == TSaveFormat::sfUNIX) lineEnd = "\n";
    else if (style == TSelLineStyle::lsCRLF) lineEnd = "\r\n";
    std::string out;
    out.reserve(1 << 16);
    std::int64_t written = 0;
    auto flush = [&]() {
        const std::int64_t n = stream.Write(out.data(), static_cast<std::int64_t>(out.size()));
        written += n;
        const bool complete = n == static_cast<std::int64_t>(out.size());
        out.clear();
        return complete;
    };
    const Location loc = Locate(start);
    RecordId rec = loc.record;
    std::int32_t from = start - loc.lineStart;
    Offset pos = start;
    while (rec != kNoRecord && pos < end) {
        const TLineRecord& r = Rec(rec);
        const std::int32_t take = std::min<std::int32_t>(r.length - from, end - pos);
        const bool breakHere = r.EndsWithCR() && from + take == r.length;
        out.append(TextOf(r) + from, static_cast<std::size_t>(take - (breakHere ? 1 : 0)));
        if (breakHere) out += lineEnd;
        pos += take;
        from = 0;
        rec = r.next;
        if (out.size() >= (1u << 16) - 4096 && !flush()) return written;
    }
    flush();
    return written;
}

}  // namespace quarry

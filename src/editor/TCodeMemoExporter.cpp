#include "editor/TCodeMemoExporter.h"

#include "text/EFileSaveError.h"
#include "text/EditorMessages.h"
#include "text/TStream.h"
#include "export/HtmlWriter.h"
#include "export/RtfWriter.h"

#include <algorithm>
#include <ctime>
#include <ostream>

namespace quarry {

namespace {

// An output buffer over the control's stream; a short write marks the ostream bad.
class StreamBuffer final : public std::streambuf {
public:
    explicit StreamBuffer(TStream& stream) : stream_(stream) {}

protected:
    std::streamsize xsputn(const char* s, std::streamsize n) override
    {
        return std::streamsize(stream_.Write(s, n));
    }
    int overflow(int c) override
    {
        if (c == traits_type::eof())
            return 0;
        const char ch = char(c);
        return stream_.Write(&ch, 1) == 1 ? c : traits_type::eof();
    }

private:
    TStream& stream_;
};

// The records of [start, end) with their token values, cut at the ends of the range.
class StoreLineSource final : public StyledLineSource {
public:
    StoreLineSource(TTextStore& store, Offset start, Offset end) : store_(store), end_(end)
    {
        if (start < end && store.CharCount() > 0) {
            const TTextStore::Location at = store.Locate(start);
            record_ = at.record;
            recordStart_ = at.lineStart;
            from_ = start;
        }
    }
    bool next(StyledLine& line) override
    {
        while (record_ != kNoRecord && from_ < end_) {
            const TLineRecord& rec = store_.Record(record_);
            const Offset recordEnd = recordStart_ + rec.length;
            const Offset first = std::max(from_, recordStart_);
            const Offset last = std::min(end_, recordEnd);
            const RecordId current = record_;
            record_ = store_.Next(record_);
            recordStart_ = recordEnd;
            if (first >= last)
                continue;
            const TLineRecord& r = store_.Record(current);
            const Offset skip = first - (recordEnd - r.length);
            line.text = std::string_view(store_.TextOf(r) + skip, size_t(last - first));
            const std::uint8_t* styles = store_.StylesOf(r);
            line.styles = styles ? styles + skip : nullptr;
            from_ = last;
            return true;
        }
        return false;
    }

private:
    TTextStore& store_;
    Offset end_;
    RecordId record_ = kNoRecord;
    Offset recordStart_ = 0;
    Offset from_ = 0;
};

std::string systemDateText()
{
    std::time_t now = std::time(nullptr);
    char buf[64];
    std::strftime(buf, sizeof buf, "%x %X", std::localtime(&now));
    return buf;
}

}  // namespace

void TCodeMemoExporter::Write(TCustomCodeMemo& memo, TStream& stream, Offset start, Offset end, TSaveFormat format)
{
    // The values come from the line records, so the range must have been scanned.
    if (start < end && memo.Store().CharCount() > 0)
        memo.EnsureScanned(memo.Store().Locate(start).line, memo.Store().Locate(std::max(start, end - 1)).line);
    ExportStyle style = ExportStyle::from(memo.Settings());
    style.fontName = memo.Font().name;
    style.fontSize = memo.Font().size;
    style.fontCharset = memo.Font().charSet;
    style.title = memo.printTitle;
    style.date = dateText ? dateText() : systemDateText();
    StoreLineSource lines(memo.Store(), start, end);
    StreamBuffer buffer(stream);
    std::ostream out(&buffer);
    if (format == TSaveFormat::sfRTF)
        RtfWriter::write(out, lines, style);
    else
        HtmlWriter::write(out, lines, style);
    out.flush();
    if (!out)
        throw EFileSaveError(msg::CouldNotSave);
}

}  // namespace quarry

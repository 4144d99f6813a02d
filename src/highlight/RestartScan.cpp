#include "highlight/RestartScan.h"

#include <algorithm>

namespace quarry {

namespace {

ScanOffset lineStartOf(std::string_view text, ScanOffset pos)
{
    while (pos > 0 && text[size_t(pos - 1)] != '\r')
        --pos;
    return pos;
}

ScanOffset lineEndOf(std::string_view text, ScanOffset pos)
{
    size_t end = text.find('\r', size_t(pos));
    return end == std::string_view::npos ? ScanOffset(text.size()) : ScanOffset(end + 1);
}

}  // namespace

RescanStats rescanAfterEdit(TCodeMemoParser& parser, std::string_view text, std::vector<uint8_t>& styles,
                            ScanOffset changeStart, ScanOffset changeEnd)
{
    RescanStats stats;
    const ScanOffset size = ScanOffset(text.size());
    const StateSet anchor = parser.tables().anchor;
    const ScanOffset changedLine = lineStartOf(text, std::min(changeStart, size));
    // The last line that the edit touched must be scanned in any case.
    const ScanOffset lastChangedLineEnd = lineEndOf(text, std::min(changeEnd, size));

    ScanOffset restart = changedLine;
    int value = 0;
    while (restart > 0 && !anchor.has(styles[size_t(restart - 1)]))
        --restart;
    if (restart > 0) {
        --restart;
        value = styles[size_t(restart)];
    }
    stats.restart = restart;
    stats.restartValue = value;
    parser.resetState(value);

    BufferCursor cursor(text);
    cursor.seek(restart);
    std::vector<uint8_t> line;  // the new values of the current line
    ScanOffset lineStart = lineStartOf(text, restart);
    ScanOffset lineEnd = lineEndOf(text, restart);
    line.assign(styles.begin() + lineStart, styles.begin() + restart);
    while (!cursor.atEnd()) {
        const ScanOffset start = cursor.position();
        int length = 0;
        const uint8_t v = uint8_t(parser.nextToken(cursor, length));
        if (cursor.position() <= start)
            cursor.seek(start + 1);
        const ScanOffset end = cursor.position();
        for (ScanOffset p = start; p < end; ++p) {
            line.push_back(v);
            if (p + 1 != lineEnd && p + 1 != size)
                continue;
            // A line is complete: compare with what was stored, then store the new values.
            const bool same = std::equal(line.begin(), line.end(), styles.begin() + lineStart);
            std::copy(line.begin(), line.end(), styles.begin() + lineStart);
            ++stats.linesScanned;
            const bool tokenEndsHere = p + 1 == end;
            if (same && tokenEndsHere && lineStart >= lastChangedLineEnd && parser.AtInitialState()) {
                stats.stoppedAt = end;
                return stats;
            }
            line.clear();
            lineStart = p + 1;
            lineEnd = lineEndOf(text, lineStart);
        }
    }
    stats.stoppedAt = size;
    return stats;
}

}  // namespace quarry

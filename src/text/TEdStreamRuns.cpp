#include "text/TEdStreamRuns.h"

namespace quarry {

TTextRun TEdStreamRuns::runAt(TextPos pos)
{
    // Seeking inside or next to the current record follows the links. A scan that walks forward
    // asks for the position just after the last run, the first byte of the next record, so one
    // seek serves; otherwise a second one goes back to the record's first byte.
    stream_.Seek(static_cast<Offset>(pos));
    const Offset start = stream_.Position() - stream_.OffsetInRecord();
    if (start != pos)
        stream_.Seek(start);
    const std::string_view run = stream_.Run();
    return {reinterpret_cast<const unsigned char*>(run.data()), start, static_cast<TextPos>(run.size())};
}

}  // namespace quarry

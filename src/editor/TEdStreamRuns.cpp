#include "editor/TEdStreamRuns.h"

namespace quarry {

TTextRun TEdStreamRuns::runAt(TextPos pos)
{
    // Seeking inside or next to the current record follows the links; the record's first byte
    // is then one more seek back within it.
    stream_.Seek(static_cast<Offset>(pos));
    const Offset start = stream_.Position() - stream_.OffsetInRecord();
    stream_.Seek(start);
    const std::string_view run = stream_.Run();
    return {reinterpret_cast<const unsigned char*>(run.data()), start, static_cast<TextPos>(run.size())};
}

}  // namespace quarry

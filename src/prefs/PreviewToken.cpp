#include "prefs/PreviewToken.h"

#include "text/TTextStore.h"

namespace quarry {

int TokenValueAt(TTextStore& store, Offset offset)
{
    if (store.First() == kNoRecord || offset < 0 || store.CharCount() == 0)
        return -1;
    if (offset >= store.CharCount())
        offset = store.CharCount() - 1;
    const TTextStore::Location at = store.Locate(offset);
    const TLineRecord& record = store.Record(at.record);
    const std::uint8_t* values = store.StylesOf(record);
    const Offset length = record.ContentLength();
    if (!values || length == 0)
        return -1;
    Offset index = offset - at.lineStart;
    if (index >= length)
        index = length - 1;
    return index < 0 ? -1 : values[index];
}

}  // namespace quarry

#pragma once
// The editor control's HTML and RTF export: the control calls it for SaveToStream in those
// formats and the clipboard's rich text; it reads the line records of the range with their token
// values and hands them to the writers with the active settings' map, effects and the control's
// font.
#include "editor/TCustomCodeMemo.h"
#include "export/ExportStyle.h"

#include <functional>
#include <string>

namespace quarry {

class TCodeMemoExporter final : public TTextExporter {
public:
    // Raises EFileSaveError "Could not save text to stream" when the stream takes less than given.
    void Write(TCustomCodeMemo& memo, TStream& stream, Offset start, Offset end, TSaveFormat format) override;

    // The date and time written into HTML pages; the system's short format by default.
    std::function<std::string()> dateText;
};

}  // namespace quarry

#pragma once
// The token value a character of a scanned text carries, for picking a style by clicking it.
#include "text/EditorTypes.h"

namespace quarry {

class TTextStore;

// The value of the character at the offset (or, at a line end, of the one before it); -1 when
// the line has not been scanned or holds no character there.
int TokenValueAt(TTextStore& store, Offset offset);

}  // namespace quarry

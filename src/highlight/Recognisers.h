#pragma once
// The scanner's match functions: character functions 0..2, called for one step of a token's
// body, and the standard recognisers 10..20, which read a whole token. Each reads through the
// cursor, leaves it after what it consumed and returns whether it matched; a recogniser that
// fails may leave the cursor anywhere (the scanner rewinds).
#include "highlight/ScanCursor.h"
#include "highlight/StateSet.h"

namespace quarry {

enum : int {
    kPascalChar = 0, kWebChar = 1, kOriginalChar = 2,
    kStdIdentifier = 10, kStdNumberOrFp, kStdPascalString, kStdCString, kStdCChar, kStdCNumberOrFpSigned,
    kStdNumber, kStdMailUrl, kStdHtmlString, kStdJsLineComment, kStdCStringSq,
};

inline bool isStandardRecogniser(int index) { return index >= kStdIdentifier && index <= kStdCStringSq; }

// tokenStart is where the token began (the line-start test of _ORIGINAL_CHAR needs it).
// A template over the cursor so the scanner's concrete cursors are called directly.
template <class C>
bool runRecogniser(int index, C& cursor, ScanOffset tokenStart);

// The characters a recogniser can begin with: a token table enters a recogniser start under them.
StateSet recogniserStartSet(int index);

}  // namespace quarry

#include "highlight/RecognisersImpl.h"

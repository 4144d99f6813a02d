#include "highlight/Recognisers.h"

namespace quarry {

namespace {
inline bool isMail(unsigned char c)
{
    return recognise::isMailChar(c);
}
}  // namespace

StateSet recogniserStartSet(int index)
{
    StateSet s;
    switch (index) {
    case kStdIdentifier:
        s.addRange('a', 'z');
        s.addRange('A', 'Z');
        s.add('_');
        break;
    case kStdNumberOrFp: case kStdNumber: s.addRange('0', '9'); break;
    case kStdCNumberOrFpSigned:
        s.addRange('0', '9');
        s.add('+');
        s.add('-');
        break;
    case kStdPascalString: case kStdCChar: case kStdCStringSq: s.add('\''); break;
    case kStdCString: s.add('"'); break;
    case kStdHtmlString:
        s.add('"');
        s.add('\'');
        break;
    case kStdMailUrl:
        for (int c = 0; c < 256; ++c)
            if (isMail((unsigned char)c))
                s.add(c);
        break;
    case kStdJsLineComment: s.add('/'); break;
    default: break;
    }
    return s;
}

}  // namespace quarry

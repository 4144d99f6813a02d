#include "export/StyledRunWriter.h"

namespace quarry {

StyledRunWriter::StyledRunWriter(EscapeFn escape)
{
    for (int c = 0; c < 256; ++c) {
        escape((unsigned char)c, escaped_[c]);
        plain_[c] = escaped_[c].size() == 1 && (unsigned char)escaped_[c][0] == c;
    }
}

}  // namespace quarry

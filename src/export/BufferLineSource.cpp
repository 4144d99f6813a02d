#include "export/BufferLineSource.h"

namespace quarry {

bool BufferLineSource::next(StyledLine& line)
{
    if (pos_ >= text_.size())
        return false;
    size_t end = text_.find('\r', pos_);
    end = end == std::string_view::npos ? text_.size() : end + 1;
    line.text = text_.substr(pos_, end - pos_);
    line.styles = styles_ ? styles_->data() + pos_ : nullptr;
    pos_ = end;
    return true;
}

}  // namespace quarry

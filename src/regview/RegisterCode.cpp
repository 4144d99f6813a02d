#include "regview/RegisterCode.h"

#include "regview/RegisterColumns.h"

namespace quarry {

std::string registerCodeText(const RegisterDefinition& reg, std::uint32_t value)
{
    const std::string number =
        reg.size == RegisterSize::CommentOnly ? std::string() : "$" + hexDigits(value, reg.Bits() / 4);
    return number + " ;" + reg.Text();
}

std::string insertedCodeLine(const std::string& codeText) { return std::string(8, ' ') + codeText + "\r"; }

}  // namespace quarry

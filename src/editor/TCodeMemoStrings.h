#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace quarry {

class TCustomCodeMemo;

// The Lines view of a control: logical line i (counted by CR) without its CR. A final empty line
// after a last CR does not count. Changes go through the store's normal insertion path, are
// scanned and announced like any edit, and record nothing in the undo log.
class TCodeMemoStrings final {
public:
    explicit TCodeMemoStrings(TCustomCodeMemo& memo) : memo_(memo) {}

    std::int32_t Count() const;
    // EStringListError "List index out of bounds (%d)" outside 0..Count-1.
    std::string Get(std::int32_t index) const;
    void Put(std::int32_t index, std::string_view text);
    void Add(std::string_view text);
    void Insert(std::int32_t index, std::string_view text);
    void Delete(std::int32_t index);
    void Clear();
    // Every line followed by CR LF, as a string list gives its text.
    std::string Text() const;
    void SetText(std::string_view text);

private:
    void Check(std::int32_t index) const;
    TCustomCodeMemo& memo_;
};

}  // namespace quarry

#include "regview/RegisterSession.h"

#include "regview/RegisterPicker.h"
#include "regview/RegisterTexts.h"
#include "regview/RegisterView.h"

#include <algorithm>

namespace quarry {

RegisterSession::RegisterSession(const RegisterDefinition& reg, RegisterView& view, RegisterPicker& picker)
    : value_(reg), view_(view), picker_(picker)
{
}

bool RegisterSession::Run()
{
    std::vector<std::string> rows;
    for (int i = 0; i < value_.FieldCount(); ++i)
        rows.push_back(rowText(value_.Field(i), value_.FieldValue(i)));
    view_.Open(value_.Register().Text(), rows);
    view_.SetValueText(registerValueText(value_.Value(), value_.Register().Bits()));
    Select(0);
    bool writeCode = false;
    while (Handle(view_.NextKey(), writeCode)) {
    }
    view_.Close();
    return writeCode;
}

bool RegisterSession::Handle(const QueuedKey& key, bool& writeCode)
{
    switch (key.key) {
    case RegisterKey::Up: Select(current_ - 1); break;
    case RegisterKey::Down: Select(current_ + 1); break;
    case RegisterKey::Click: Select(key.data); break;
    case RegisterKey::Right: Changed(value_.StepField(current_, 1)); break;
    case RegisterKey::Left: Changed(value_.StepField(current_, -1)); break;
    case RegisterKey::Character:
        if (key.data >= '0' && key.data <= '9')
            Changed(value_.ShiftInDigit(current_, key.data - '0'));
        break;
    case RegisterKey::Space: ShowAllSettings(); break;
    case RegisterKey::Enter: writeCode = true; return false;
    case RegisterKey::Escape: return false;
    case RegisterKey::Insert: break;
    }
    return true;
}

void RegisterSession::Select(int index)
{
    current_ = std::clamp(index, 0, value_.FieldCount() - 1);
    view_.SetCurrent(current_, accessOf(value_.Field(current_).access));
}

void RegisterSession::Changed(bool changed)
{
    if (!changed)
        return;
    view_.SetRow(current_, rowText(value_.Field(current_), value_.FieldValue(current_)));
    view_.SetValueText(registerValueText(value_.Value(), value_.Register().Bits()));
}

// The field's value lines in a pick list; the one chosen sets the field, as far as the field
// and the line allow it.
void RegisterSession::ShowAllSettings()
{
    const auto& field = value_.Field(current_);
    if (field.values.empty())
        return;
    const std::uint32_t now = value_.FieldValue(current_);
    const auto itemText = [&](int i) {
        const auto& line = field.values[static_cast<std::size_t>(i)];
        const std::uint32_t shown = line.IsRule() ? now : line.Value();
        return fieldValueText(field, shown) + "  " + line.TextFor(shown);
    };
    int chosen = std::max(field.MeaningLine(now), 0);
    const int count = static_cast<int>(field.values.size());
    if (!picker_.Pick(itemText, count, field.SettingsCaption(), chosen) || chosen < 0 || chosen >= count)
        return;
    const auto& line = field.values[static_cast<std::size_t>(chosen)];
    if (line.Choosable())
        Changed(value_.SetFieldValue(current_, line.Value()));
}

}  // namespace quarry

#include "prefs/OptionFields.h"

#include "highlight/LanguageSettings.h"
#include "platform/Text.h"

#include <charconv>

namespace quarry {

namespace {

struct FieldInfo {
    const char* label;
    SettingRange range;
    int LanguageSettings::*member;
};

const FieldInfo kFields[OptionFields::FieldCount] = {
    {"Block indent:", kIndentStepRange, &LanguageSettings::indentStep},
    {"Word-wrap column:", kColumnRange, &LanguageSettings::wrapAtColumn},
    {"Default tab stop:", kTabDefaultRange, &LanguageSettings::tabDefault},
    {"Right margin:", kColumnRange, &LanguageSettings::rightMargin},
    {"Gutter width:", kGutterRange, &LanguageSettings::gutter},
};

}  // namespace

const char* OptionFields::Label(Field field) { return kFields[field].label; }

SettingRange OptionFields::Range(Field field) { return kFields[field].range; }

std::string OptionFields::RangeMessage(Field field)
{
    const SettingRange range = Range(field);
    return std::to_string(range.low) + "-" + std::to_string(range.high) + " only";
}

int OptionFields::Value(const LanguageSettings& settings, Field field) { return settings.*kFields[field].member; }

std::optional<std::string> OptionFields::Set(LanguageSettings& settings, Field field, std::string_view text)
{
    const std::string trimmed = text::trim(text);
    long long value = 0;
    const char* end = trimmed.data() + trimmed.size();
    const auto [stop, error] = std::from_chars(trimmed.data(), end, value);
    if (trimmed.empty() || error != std::errc() || stop != end || !Range(field).holds(value))
        return RangeMessage(field);
    settings.*kFields[field].member = int(value);
    return std::nullopt;
}

std::optional<std::string> OptionFields::SetTabColumns(LanguageSettings& settings, std::string_view text)
{
    const std::string trimmed = text::trim(text);
    try {
        settings.tabColumns = LanguageSettings::parseTabColumns(trimmed);
    } catch (const std::exception& e) {
        return std::string(e.what());
    }
    settings.tabColumnsText = trimmed;
    return std::nullopt;
}

}  // namespace quarry

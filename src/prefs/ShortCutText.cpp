#include "prefs/ShortCutText.h"

#include "text/Format.h"

#include <utility>

namespace quarry {

namespace {

// Virtual keys whose name is not their character; the symbol keys of the US layout show the
// character they type unshifted.
constexpr std::pair<std::uint8_t, const char*> kKeyNames[] = {
    {0x08, "Backspace"}, {0x09, "Tab"},  {0x0C, "Clear"}, {0x0D, "Enter"}, {0x13, "Pause"}, {0x1B, "Esc"},
    {0x20, "Space"},     {0x21, "PgUp"}, {0x22, "PgDn"},  {0x23, "End"},   {0x24, "Home"},  {0x25, "Left"},
    {0x26, "Up"},        {0x27, "Right"}, {0x28, "Down"}, {0x2D, "Ins"},   {0x2E, "Del"},   {0x6A, "Num *"},
    {0x6B, "Num +"},     {0x6D, "Num -"}, {0x6E, "Num ."}, {0x6F, "Num /"}, {0xBA, ";"},     {0xBB, "="},
    {0xBC, ","},         {0xBD, "-"},    {0xBE, "."},     {0xBF, "/"},     {0xC0, "`"},     {0xDB, "["},
    {0xDC, "\\"},        {0xDD, "]"},    {0xDE, "'"},
};

std::string KeyName(std::uint8_t key)
{
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::string(1, char(key));
    if (key >= 0x60 && key <= 0x69)
        return "Num " + std::to_string(key - 0x60);
    if (key >= 0x70 && key <= 0x87)
        return "F" + std::to_string(key - 0x70 + 1);
    for (const auto& [code, name] : kKeyNames)
        if (code == key)
            return name;
    return Format("Key %02X", unsigned(key));
}

}  // namespace

std::string ShortCutText(TShortCut stroke)
{
    std::string text;
    if (stroke & scCtrl)
        text += "Ctrl+";
    if (stroke & scShift)
        text += "Shift+";
    if (stroke & scAlt)
        text += "Alt+";
    return text + KeyName(std::uint8_t(stroke & 0xFF));
}

std::string KeySequenceText(TShortCut first, TShortCut second)
{
    return "[" + ShortCutText(first) + "]  [" + (second ? ShortCutText(second) : std::string("<none>")) + "]";
}

}  // namespace quarry

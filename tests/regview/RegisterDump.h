#pragma once
// A description file as one compact text, for comparing what the reader made of a file.
#include "regview/RegisterDescription.h"
#include "regview/RegisterTexts.h"

#include <string>

namespace quarry::test {

inline std::string valueText(const FieldValueLine& v)
{
    std::string text = v.MarkedUnselectable() ? "N" : "";
    if (!v.IsRule())
        text += std::to_string(v.Value());
    else if (v.RuleValid())
        text += "<<" + std::to_string(v.Shift()) + "/" + std::to_string(v.Digits());
    else
        text += "dec";
    return text + " " + v.Meaning();
}

// One line per register: size letter, "r" when relocatable, "!" for an address that is not
// valid, the text from column 3, then each field with its value lines.
inline std::string dump(const RegisterDescription& d)
{
    std::string out;
    for (const auto& r : d.registers) {
        out += "BWLX"[static_cast<int>(r.size)];
        out += std::string(r.relocatable ? "r" : "") + (r.addressValid ? "" : "!") + " " + r.Text();
        for (const auto& f : r.fields) {
            out += " {" + bitsText(f) + " " + f.access + " " + f.Description();
            for (const auto& v : f.values)
                out += " | " + valueText(v);
            out += "}";
        }
        out += "\n";
    }
    return out;
}

}  // namespace quarry::test

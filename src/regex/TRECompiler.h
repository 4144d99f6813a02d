#pragma once
// Compiles the text of a regular expression into a node program (see TREProgram.h) in two passes
// over the text: a sizing pass that only counts bytes and rewrites every unordered pair A||B into
// ((A)(B)?|(B)(A)?) form, then an emitting pass into a buffer of the counted size.
#include "regex/TREProgram.h"

#include <string>

namespace quarry {

class TRECompiler final {
public:
    // Throws EREParser with the code and the position (an index into expression) of the first
    // fault. caseSensitive false makes classes and literals match either case.
    static TREProgram compile(const std::string& expression, bool caseSensitive);
};

}  // namespace quarry

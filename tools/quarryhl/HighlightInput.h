#pragma once
// Shared by the highlighting commands: option parsing, finding the data folder, choosing and
// loading a parser, reading the input file.
#include "Command.h"

#include "highlight/TCodeMemoParser.h"
#include "text/TextEncoding.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quarry::hl {

// Options every highlighting command understands; the rest stay positional.
struct HighlightOptions {
    std::optional<std::string> lang, script, compiled, output, dataDir, title, date;
    EncodingChoice encoding = EncodingChoice::Auto;  // --encoding utf-8|windows-1252|auto
    std::vector<std::string> positional;

    static HighlightOptions parse(const std::vector<std::string>& args);
};

// <data>: --data, else $QUARRY_HOME when it holds highlight/, else the executable's folder.
std::string dataDirectory(const HighlightOptions& options);

// The parser named by --lang, --script or --compiled, or the built-in one for the file's type.
// Script faults raise ECodeMemoParserError with the script's name in front.
std::unique_ptr<TCodeMemoParser> loadParser(const HighlightOptions& options, const std::string& inputFile);

std::string readFile(const std::string& path);
// The encoding the text is read in, decided from its bytes unless --encoding chose one. A UTF-8
// text loses its byte-order mark, as in the editor, so that offsets agree with it.
TextEncoding takeEncoding(const HighlightOptions& options, std::string& text);
// Writes to -o FILE or to standard output; raises on a failed write.
void writeOutput(const HighlightOptions& options, const std::string& bytes);

// The output of a command that writes as it goes: -o FILE or standard output.
class OutputSink final {
public:
    explicit OutputSink(const HighlightOptions& options);
    ~OutputSink();
    OutputSink(const OutputSink&) = delete;  // owns the file
    OutputSink& operator=(const OutputSink&) = delete;
    std::ostream& stream() { return *stream_; }
    // Flushes and raises when anything could not be written.
    void finish();

private:
    std::string name_;
    std::unique_ptr<std::ostream> file_;
    std::ostream* stream_;
};
std::string currentDateText();

}  // namespace quarry::hl

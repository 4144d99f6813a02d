// quarryhl rtf [--lang NAME | --script FILE | --compiled FILE] FILE [-o OUT]: the whole file
// highlighted and written as RTF.
#include "Command.h"
#include "ExportCommand.h"

#include "export/RtfWriter.h"

namespace quarry::hl {
namespace {

const RegisterCommand registration("rtf", "rtf [--lang NAME|--script F|--compiled F] FILE [-o OUT]   export as RTF",
                                   [](const std::vector<std::string>& args) {
                                       return runExport(args, "rtf", RtfWriter::write);
                                   });

}  // namespace
}  // namespace quarry::hl

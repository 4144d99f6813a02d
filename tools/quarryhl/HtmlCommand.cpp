// quarryhl html [--lang NAME | --script FILE | --compiled FILE] FILE [-o OUT]: the whole file
// highlighted and written as HTML.
#include "Command.h"
#include "ExportCommand.h"

#include "export/HtmlWriter.h"

namespace quarry::hl {
namespace {

const RegisterCommand registration("html", "html [--lang NAME|--script F|--compiled F] FILE [-o OUT]   export as HTML",
                                   [](const std::vector<std::string>& args) {
                                       return runExport(args, "html", HtmlWriter::write);
                                   });

}  // namespace
}  // namespace quarry::hl

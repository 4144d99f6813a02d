#include "tools/ErrorNavigator.h"

#include "platform/Text.h"
#include "platform/UserInterface.h"
#include "settings/FileLocator.h"
#include "settings/ProjectState.h"
#include "tools/ErrorScanner.h"
#include "tools/StatusColours.h"
#include "tools/ToolShell.h"
#include "tools/ToolTexts.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace quarry {

namespace {

std::optional<std::string> readStart(const std::string& path, std::size_t limit)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return std::nullopt;
    const auto size = static_cast<std::size_t>(std::max<std::streamoff>(0, in.tellg()));
    in.seekg(0);
    std::string text(std::min(size, limit), '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad())
        return std::nullopt;
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

}  // namespace

std::optional<std::string> ErrorNavigator::ProcessErrorFile(const std::string& name, ErrorGrammar grammar)
{
    lastShown_.reset();
    auto located = name;
    if (!locator_.LocateFile(located)) {
        ui_.showMessage(MessageKind::Error, tooltexts::errorFileNotFound(name), MessageButtons::Ok);
        return std::nullopt;
    }
    auto text = readStart(located, kReadLimit);
    try {
        if (!text)
            throw std::runtime_error("unreadable error file");
        GoTo(ScanErrorLines(*text, ScansForward(grammar), grammar, style_));
    } catch (const std::exception&) {
        ShowStatus(tooltexts::kUnknownResponse, statuscolour::kMaroon);
    }
    shell_.RepaintEditors();
    return text ? text : std::string();
}

void ErrorNavigator::GoTo(const ErrorEntry& entry)
{
    lastShown_ = entry;
    if (!entry.hasPlace()) {
        ShowStatus(entry.text, entry.colour);
        return;
    }
    statusColour_ = statuscolour::kMaroon;
    auto file = entry.file;
    if (!PathStyle::native().hasDirectory(file))
        project_.FindProjectFile(file);
    auto located = file;
    if (locator_.LocateFile(located)) {
        GotoError(located, entry.line);
        ShowStatus(entry.message, statuscolour::kMaroon);
        return;
    }
    ShowStatus(entry.text, statuscolour::kMaroon);
    ui_.showMessage(MessageKind::Information, tooltexts::sourceNotFound(file, entry.line), MessageButtons::Ok);
}

void ErrorNavigator::GotoError(const std::string& file, int line)
{
    shell_.ClearErrorMarks();
    state_ = {};
    if (line >= 1) {
        shell_.OpenByName(file);
        state_.errorFile = file;
        ui_.processPendingEvents();
        const auto active = shell_.ActiveEditorFile();
        if (active && text::equalsIgnoreCase(text::trim(*active), text::trim(file)) && line <= shell_.ActiveLineCount())
            shell_.ShowErrorLine(line);
    }
    state_ = {line, file};
    shell_.ErrorShown(file);
}

void ErrorNavigator::ShowStatus(const std::string& text, int colour)
{
    statusColour_ = colour;
    shell_.ShowStatus(text, colour);
}

}  // namespace quarry

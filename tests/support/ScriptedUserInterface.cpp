#include "support/ScriptedUserInterface.h"

#include <gtest/gtest.h>

namespace quarry::test {

ScriptedUserInterface::~ScriptedUserInterface()
{
    const auto left = answers_.size() + files_.size() + directories_.size() + inputs_.size() + picks_.size();
    if (left != 0)
        ADD_FAILURE() << "ScriptedUserInterface: " << left
                      << " queued answer(s) never asked for (answers " << answers_.size() << ", files "
                      << files_.size() << ", directories " << directories_.size() << ", inputs "
                      << inputs_.size() << ", picks " << picks_.size() << ")";
}

void ScriptedUserInterface::chooseFile(std::string fullName, int filterIndex)
{
    files_.push_back(FileBrowseResult{{std::move(fullName)}, filterIndex});
}

void ScriptedUserInterface::chooseFiles(std::vector<std::string> fullNames, int filterIndex)
{
    files_.push_back(FileBrowseResult{std::move(fullNames), filterIndex});
}

std::vector<std::string> ScriptedUserInterface::texts() const
{
    std::vector<std::string> out;
    for (const auto& box : boxes_)
        out.push_back(box.text);
    return out;
}

void ScriptedUserInterface::clearRecords()
{
    boxes_.clear();
    fileDialogs_.clear();
    fileDialogSave_.clear();
    directoryDialogs_.clear();
    queries_.clear();
    pickLists_.clear();
    eventRuns_ = 0;
}

Answer ScriptedUserInterface::showMessage(MessageKind kind, const std::string& text, MessageButtons buttons)
{
    boxes_.push_back({kind, text, buttons});
    if (buttons == MessageButtons::Ok)
        return Answer::Ok;  // nothing to choose, so it takes nothing from the queue
    if (answers_.empty()) {
        ADD_FAILURE() << "ScriptedUserInterface: unexpected question " << boxes_.back();
        return buttons == MessageButtons::YesNo ? Answer::No : Answer::Cancel;
    }
    const auto a = answers_.front();
    answers_.pop_front();
    return a;
}

std::optional<FileBrowseResult> ScriptedUserInterface::browse(const FileBrowseRequest& request, bool save)
{
    fileDialogs_.push_back(request);
    fileDialogSave_.push_back(save);
    if (files_.empty()) {
        ADD_FAILURE() << "ScriptedUserInterface: unexpected file dialog \"" << request.title << "\"";
        return std::nullopt;
    }
    auto result = files_.front();
    files_.pop_front();
    return result;
}

std::optional<FileBrowseResult> ScriptedUserInterface::browseForOpenFile(const FileBrowseRequest& request)
{
    return browse(request, false);
}

std::optional<FileBrowseResult> ScriptedUserInterface::browseForSaveFile(const FileBrowseRequest& request)
{
    return browse(request, true);
}

std::optional<std::string> ScriptedUserInterface::chooseDirectory(const std::string& title, const std::string&)
{
    directoryDialogs_.push_back(title);
    if (directories_.empty()) {
        ADD_FAILURE() << "ScriptedUserInterface: unexpected directory chooser \"" << title << "\"";
        return std::nullopt;
    }
    auto result = directories_.front();
    directories_.pop_front();
    return result;
}

std::optional<std::string> ScriptedUserInterface::inputQuery(const std::string& caption, const std::string& prompt,
                                                             const std::string& initialText)
{
    queries_.push_back({caption, prompt, initialText});
    if (inputs_.empty()) {
        ADD_FAILURE() << "ScriptedUserInterface: unexpected input query \"" << caption << "\"";
        return std::nullopt;
    }
    auto result = inputs_.front();
    inputs_.pop_front();
    return result;
}

std::optional<int> ScriptedUserInterface::pickFromList(const std::string& title, const std::vector<std::string>& items,
                                                       int preselected)
{
    pickLists_.push_back({title, items, preselected});
    if (picks_.empty()) {
        ADD_FAILURE() << "ScriptedUserInterface: unexpected pick list \"" << title << "\"";
        return std::nullopt;
    }
    auto result = picks_.front();
    picks_.pop_front();
    return result;
}

void ScriptedUserInterface::processPendingEvents()
{
    ++eventRuns_;
    if (onEvents_)
        onEvents_();
}

std::ostream& operator<<(std::ostream& out, MessageKind kind)
{
    switch (kind) {
    case MessageKind::Error: return out << "Error";
    case MessageKind::Information: return out << "Information";
    case MessageKind::Confirmation: return out << "Confirmation";
    case MessageKind::Warning: return out << "Warning";
    }
    return out << "?";
}

std::ostream& operator<<(std::ostream& out, MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok: return out << "Ok";
    case MessageButtons::OkCancel: return out << "OkCancel";
    case MessageButtons::YesNo: return out << "YesNo";
    case MessageButtons::YesNoCancel: return out << "YesNoCancel";
    }
    return out << "?";
}

std::ostream& operator<<(std::ostream& out, Answer answer)
{
    switch (answer) {
    case Answer::Ok: return out << "Ok";
    case Answer::Cancel: return out << "Cancel";
    case Answer::Yes: return out << "Yes";
    case Answer::No: return out << "No";
    }
    return out << "?";
}

std::ostream& operator<<(std::ostream& out, const ScriptedUserInterface::RecordedBox& box)
{
    return out << box.kind << "/" << box.buttons << " \"" << box.text << "\"";
}

}  // namespace quarry::test

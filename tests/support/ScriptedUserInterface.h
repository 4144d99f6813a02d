#pragma once
#include "platform/UserInterface.h"

#include <deque>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace quarry::test {

// A UserInterface for tests: records every box and dialog it is asked to show and answers from
// queues the test fills beforehand.
//
//   ScriptedUserInterface ui;
//   ui.answer(Answer::Yes);                         // the next question gets Yes
//   runTheCode(ui);
//   EXPECT_EQ((std::vector<RecordedBox>{{MessageKind::Confirmation, "Exit Application?",
//                                        MessageButtons::YesNo}}), ui.boxes());
//
// A box with only an OK button is answered Ok and takes nothing from the queue. A question (any other
// button set), a file dialog, a directory chooser, an input query or a pick list that finds its
// queue empty fails the running test, names what was asked, and is answered as if cancelled, so
// an unexpected question never passes unnoticed. Answers left in a queue at destruction fail
// the test too, since the code did not ask what the test expected.
class ScriptedUserInterface final : public UserInterface {
public:
    struct RecordedBox {
        MessageKind kind;
        std::string text;
        MessageButtons buttons;
        bool operator==(const RecordedBox&) const = default;
    };
    struct RecordedPick {
        std::string title;
        std::vector<std::string> items;
        int preselected;
        bool operator==(const RecordedPick&) const = default;
    };
    struct RecordedQuery {
        std::string caption;
        std::string prompt;
        std::string initialText;
        bool operator==(const RecordedQuery&) const = default;
    };

    ScriptedUserInterface() = default;
    ~ScriptedUserInterface() override;
    ScriptedUserInterface(const ScriptedUserInterface&) = delete;  // the queues belong to one test
    ScriptedUserInterface& operator=(const ScriptedUserInterface&) = delete;

    // Queues, consumed in order.
    void answer(Answer a) { answers_.push_back(a); }
    void chooseFile(std::string fullName, int filterIndex = 1);
    void chooseFiles(std::vector<std::string> fullNames, int filterIndex = 1);
    void cancelFileDialog() { files_.push_back(std::nullopt); }
    void chooseDirectory(std::string dir) { directories_.push_back(std::move(dir)); }
    void cancelDirectory() { directories_.push_back(std::nullopt); }
    void enterText(std::string text) { inputs_.push_back(std::move(text)); }
    void cancelInput() { inputs_.push_back(std::nullopt); }
    void pick(int index) { picks_.push_back(index); }
    void cancelPick() { picks_.push_back(std::nullopt); }
    // Called inside processPendingEvents, so a test can act "while events run".
    void onProcessEvents(std::function<void()> action) { onEvents_ = std::move(action); }

    // What was shown, in order.
    const std::vector<RecordedBox>& boxes() const { return boxes_; }
    // Message texts only, for tests that do not care about kinds and buttons.
    std::vector<std::string> texts() const;
    const std::vector<FileBrowseRequest>& fileDialogs() const { return fileDialogs_; }
    const std::vector<bool>& fileDialogWasSave() const { return fileDialogSave_; }
    const std::vector<std::string>& directoryDialogs() const { return directoryDialogs_; }
    const std::vector<RecordedQuery>& queries() const { return queries_; }
    const std::vector<RecordedPick>& picks() const { return pickLists_; }
    int pendingEventRuns() const { return eventRuns_; }
    void clearRecords();

    Answer showMessage(MessageKind kind, const std::string& text, MessageButtons buttons) override;
    std::optional<FileBrowseResult> browseForOpenFile(const FileBrowseRequest& request) override;
    std::optional<FileBrowseResult> browseForSaveFile(const FileBrowseRequest& request) override;
    std::optional<std::string> chooseDirectory(const std::string& title,
                                               const std::string& initialDirectory) override;
    std::optional<std::string> inputQuery(const std::string& caption, const std::string& prompt,
                                          const std::string& initialText) override;
    std::optional<int> pickFromList(const std::string& title, const std::vector<std::string>& items,
                                    int preselected) override;
    void processPendingEvents() override;

private:
    std::optional<FileBrowseResult> browse(const FileBrowseRequest& request, bool save);

    std::deque<Answer> answers_;
    std::deque<std::optional<FileBrowseResult>> files_;
    std::deque<std::optional<std::string>> directories_;
    std::deque<std::optional<std::string>> inputs_;
    std::deque<std::optional<int>> picks_;
    std::function<void()> onEvents_;

    std::vector<RecordedBox> boxes_;
    std::vector<FileBrowseRequest> fileDialogs_;
    std::vector<bool> fileDialogSave_;
    std::vector<std::string> directoryDialogs_;
    std::vector<RecordedQuery> queries_;
    std::vector<RecordedPick> pickLists_;
    int eventRuns_ = 0;
};

using RecordedBox = ScriptedUserInterface::RecordedBox;

// Readable failure output: Confirmation/YesNo "Exit Application?"
std::ostream& operator<<(std::ostream& out, MessageKind kind);
std::ostream& operator<<(std::ostream& out, MessageButtons buttons);
std::ostream& operator<<(std::ostream& out, Answer answer);
std::ostream& operator<<(std::ostream& out, const ScriptedUserInterface::RecordedBox& box);

}  // namespace quarry::test

namespace quarry {
// gtest finds printers through the printed type's namespace.
using test::operator<<;
}  // namespace quarry

#pragma once
#include "platform/UserInterface.h"

#include <string>
#include <vector>

namespace quarry {

class FileLocator;

inline constexpr const char* kPlaceholderExtension = "$_~";

// The file-browser step every file command goes through. The dialog gets the placeholder
// default extension "$_~", so that a name typed without extension comes back with it and is
// then given the extension of the file type chosen in the dialog.
class FileBrowser final {
public:
    enum class ResultCode { Chosen = 0, Cancelled = 1, NotFound = 2 };

    struct Options {
        std::string title;
        std::size_t maxLength = 255;
        bool multiSelect = false;
        bool fileMustExist = false;
        bool pathMustExist = false;
        bool overwritePrompt = false;
        bool keepDirectory = false;
        std::string initialDirectory;
        int filterIndex = 1;  // 1-based pair of the filter string
        std::string filter;   // "description|pattern|description|pattern..."
    };

    FileBrowser(UserInterface& ui, FileLocator& locator) : ui_(ui), locator_(locator) {}
    FileBrowser(const FileBrowser&) = delete;  // holds the browse request of one command
    FileBrowser& operator=(const FileBrowser&) = delete;

    // Makes the next browse show the dialog even when a name is given.
    void RequestBrowse() { browseRequested_ = true; }

    // The open dialog step: `name` in (a name to look up, or the dialog's start) and out (the
    // first chosen name). All chosen names are in Chosen(). True when a file was chosen or found.
    bool BrowseForFile(std::string& name, const Options& options);
    // The same on the save dialog.
    bool BrowseForSaveFile(std::string& name, const Options& options);

    ResultCode LastResult() const { return result_; }
    const std::vector<std::string>& Chosen() const { return chosen_; }
    // The directory of the chosen file (only with keepDirectory) and the filter pair selected.
    const std::string& ChosenDirectory() const { return chosenDirectory_; }
    int ChosenFilterIndex() const { return chosenFilterIndex_; }

    // The extension of filter pair `index` (1-based), from its pattern's first "." up to the
    // first blank, '*', '?', ';' or '|': ".asm" for "*.asm;*.s". Empty when there is none.
    static std::string FilterExtension(const std::string& filter, int index);
    // A dialog name made final: a ".." in the file name is cut after its first dot, and the
    // placeholder ending ".$_~" becomes the extension of the selected filter.
    static std::string Normalise(const std::string& name, const std::string& filter, int index);
    // A name of a file that does not exist whose file-name part holds two or more dots loses
    // everything from its last dot on.
    static std::string CleanMissingName(const std::string& name);

private:
    bool Browse(std::string& name, const Options& options, bool save);
    std::vector<std::string> Clean(const std::vector<std::string>& names) const;

    UserInterface& ui_;
    FileLocator& locator_;
    bool browseRequested_ = false;
    ResultCode result_ = ResultCode::Cancelled;
    std::vector<std::string> chosen_;
    std::string chosenDirectory_;
    int chosenFilterIndex_ = 1;
};

}  // namespace quarry

#include "editorwin/ui/TEdFindDlg.h"

#include "editor/ui/TCodeMemo.h"

namespace quarry {

TEdFindDlg::TEdFindDlg(QWidget* parent, SearchContext context)
    : TEdSearchDlg(parent, context, "EdFindDlg", "Find text...")
{
}

void TEdFindDlg::OKButtonClick()
{
    const auto text = SearchText();
    if (text.empty())
        return;
    const auto options = Options();
    rememberIn(findHistory_, FindHistoryBox, text);
    storeHistories();
    if (auto* editor = Editor()) {
        EditorSearch search(editor->Memo(), context_.ui, context_.last);
        search.Find(text, options);
    }
}

}  // namespace quarry

#include "editorwin/ui/TEdReplDlg.h"

#include "editor/ui/TCodeMemo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quarry {

TEdReplDlg::TEdReplDlg(QWidget* parent, SearchContext context)
    : TEdSearchDlg(parent, context, "EdReplDlg", "Find and replace text...")
{
    ReplHistoryBox = new QComboBox(this);
    ReplHistoryBox->setObjectName(QStringLiteral("ReplHistoryBox"));
    ReplHistoryBox->setEditable(true);
    ReplHistoryBox->setInsertPolicy(QComboBox::NoInsert);
    ReplHistoryBox->lineEdit()->setMaxLength(static_cast<int>(LastSearch::kMaxText));
    auto* label = new QLabel(QStringLiteral("Replace with"), this);
    label->setBuddy(ReplHistoryBox);
    textLayout_->addWidget(label, 1, 0);
    textLayout_->addWidget(ReplHistoryBox, 1, 1);

    PromptOnReplBox = new QCheckBox(QStringLiteral("&Prompt on Replace"), optionsGroup_);
    PromptOnReplBox->setObjectName(QStringLiteral("PromptOnReplBox"));
    optionsLayout_->addWidget(PromptOnReplBox);

    ReplaceAllButton = new QPushButton(QStringLiteral("Replace &All"), this);
    ReplaceAllButton->setObjectName(QStringLiteral("ReplaceAllButton"));
    buttonLayout_->insertWidget(1, ReplaceAllButton);
    connect(ReplaceAllButton, &QPushButton::clicked, this, [this] { ReplaceAllButtonClick(); });
    setTabOrder(FindHistoryBox, ReplHistoryBox);
}

std::string TEdReplDlg::ReplaceText() const { return BoxText(ReplHistoryBox); }

void TEdReplDlg::loadHistories()
{
    TEdSearchDlg::loadHistories();
    replaceHistory_.load(context_.store, SearchHistory::kReplaceSection);
    const auto current = ReplHistoryBox->currentText();
    fill(ReplHistoryBox, replaceHistory_);
    ReplHistoryBox->setEditText(current);
}

void TEdReplDlg::storeHistories()
{
    TEdSearchDlg::storeHistories();
    replaceHistory_.store(context_.store, SearchHistory::kReplaceSection);
}

void TEdReplDlg::searchTextChanged()
{
    TEdSearchDlg::searchTextChanged();
    ReplaceAllButton->setEnabled(OKButton->isEnabled());
}

bool TEdReplDlg::rememberTexts()
{
    const auto text = SearchText();
    if (text.empty())
        return false;
    rememberIn(findHistory_, FindHistoryBox, text);
    rememberIn(replaceHistory_, ReplHistoryBox, ReplaceText());
    storeHistories();
    return true;
}

void TEdReplDlg::OKButtonClick() { replace(false); }

void TEdReplDlg::ReplaceAllButtonClick() { replace(true); }

void TEdReplDlg::replace(bool all)
{
    const auto text = SearchText();
    const auto replacement = ReplaceText();
    const auto options = Options();
    if (!rememberTexts())
        return;
    auto* editor = Editor();
    if (!editor)
        return;
    EditorSearch search(editor->Memo(), context_.ui, context_.last);
    const bool prompt = PromptOnReplBox->isChecked();
    if (all)
        search.ReplaceAll(text, replacement, options, prompt);
    else
        search.Replace(text, replacement, options, prompt);
}

}  // namespace quarry

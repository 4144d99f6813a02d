#include "editorwin/ui/TEdSearchDlg.h"

#include "editor/ui/DocumentText.h"
#include "text/EncodingDetector.h"

#include "editor/ui/TCodeMemo.h"
#include "platform/ui/QtUserInterface.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quarry {

namespace {

QCheckBox* checkBox(QWidget* parent, const char* name, const char* caption)
{
    auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

}  // namespace

std::string TEdSearchDlg::BoxText(const QComboBox* box) const
{
    return DocumentText::FromUnicode(box->currentText(), editor_ ? editor_->Memo().Encoding() : TextEncoding::Windows1252);
}

TEdSearchDlg::TEdSearchDlg(QWidget* parent, SearchContext context, const char* objectName, const char* title)
    : QDialog(parent), context_(context)
{
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(QString::fromLatin1(title));
    setModal(false);

    FindHistoryBox = new QComboBox(this);
    FindHistoryBox->setObjectName(QStringLiteral("FindHistoryBox"));
    FindHistoryBox->setEditable(true);
    FindHistoryBox->setInsertPolicy(QComboBox::NoInsert);
    FindHistoryBox->setMinimumWidth(260);
    FindHistoryBox->lineEdit()->setMaxLength(static_cast<int>(LastSearch::kMaxText));
    auto* findLabel = new QLabel(QStringLiteral("&Text to find"), this);
    findLabel->setBuddy(FindHistoryBox);

    optionsGroup_ = new QGroupBox(QStringLiteral("Options"), this);
    UseCaseBox = checkBox(optionsGroup_, "UseCaseBox", "&Case sensitive");
    RegExBox = checkBox(optionsGroup_, "RegExBox", "&Regular expressions");
    WholeWordBox = checkBox(optionsGroup_, "WholeWordBox", "&Whole words");
    optionsLayout_ = new QVBoxLayout(optionsGroup_);
    for (auto* box : {UseCaseBox, RegExBox, WholeWordBox})
        optionsLayout_->addWidget(box);

    auto* directionGroup = new QGroupBox(QStringLiteral("Direction"), this);
    FwdDirection = new QRadioButton(QStringLiteral("Forwar&d"), directionGroup);
    FwdDirection->setObjectName(QStringLiteral("FwdDirection"));
    BackDirection = new QRadioButton(QStringLiteral("&Back"), directionGroup);
    BackDirection->setObjectName(QStringLiteral("BackDirection"));
    auto* directionLayout = new QVBoxLayout(directionGroup);
    directionLayout->addWidget(FwdDirection);
    directionLayout->addWidget(BackDirection);
    directionLayout->addStretch();

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButtonClick(); });
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(FindHistoryBox, &QComboBox::editTextChanged, this, [this] { searchTextChanged(); });

    textLayout_ = new QGridLayout;
    textLayout_->addWidget(findLabel, 0, 0);
    textLayout_->addWidget(FindHistoryBox, 0, 1);
    auto* groups = new QHBoxLayout;
    groups->addWidget(optionsGroup_);
    groups->addWidget(directionGroup);
    auto* left = new QVBoxLayout;
    left->addLayout(textLayout_);
    left->addLayout(groups);
    buttonLayout_ = new QVBoxLayout;
    buttonLayout_->addWidget(OKButton);
    buttonLayout_->addWidget(CancelButton);
    buttonLayout_->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(buttonLayout_);
}

void TEdSearchDlg::Open(TCodeMemo* editor, const std::string& initialText, std::uint16_t options)
{
    if (editor_ != editor)
        markEditor(false);
    editor_ = editor;
    // An open dialog keeps the history it has grown; the store has it only after closing.
    if (!isVisible())
        loadHistories();
    rememberIn(findHistory_, FindHistoryBox, initialText);
    UseCaseBox->setChecked(options & TCodeMemoSearch::kMatchCase);
    RegExBox->setChecked(options & TCodeMemoSearch::kRegExpr);
    WholeWordBox->setChecked(options & TCodeMemoSearch::kWholeWords);
    BackDirection->setChecked(options & TCodeMemoSearch::kBackward);
    FwdDirection->setChecked(!(options & TCodeMemoSearch::kBackward));
    searchTextChanged();
    markEditor(true);
    show();
    raise();
    activateWindow();
    FindHistoryBox->setFocus();
    FindHistoryBox->lineEdit()->selectAll();
}

std::uint16_t TEdSearchDlg::Options() const
{
    std::uint16_t options = 0;
    if (UseCaseBox->isChecked())
        options |= TCodeMemoSearch::kMatchCase;
    if (RegExBox->isChecked())
        options |= TCodeMemoSearch::kRegExpr;
    if (WholeWordBox->isChecked())
        options |= TCodeMemoSearch::kWholeWords;
    if (BackDirection->isChecked())
        options |= TCodeMemoSearch::kBackward;
    return options;
}

std::string TEdSearchDlg::SearchText() const { return BoxText(FindHistoryBox); }

void TEdSearchDlg::loadHistories() { findHistory_.load(context_.store, SearchHistory::kFindSection); }

void TEdSearchDlg::storeHistories()
{
    findHistory_.store(context_.store, SearchHistory::kFindSection);
}

void TEdSearchDlg::searchTextChanged() { OKButton->setEnabled(!FindHistoryBox->currentText().isEmpty()); }

void TEdSearchDlg::done(int result)
{
    storeHistories();
    markEditor(false);
    QDialog::done(result);
}

void TEdSearchDlg::markEditor(bool open)
{
    if (!editor_) {
        marked_ = false;  // the editor is gone, and its mark with it
        return;
    }
    if (open == marked_)
        return;
    marked_ = open;
    if (open) {
        editorHidSelection_ = editor_->HideSelection();
        editor_->SetHideSelection(false);
    } else {
        editor_->SetHideSelection(editorHidSelection_);
    }
}

void TEdSearchDlg::fill(QComboBox* box, const SearchHistory& history)
{
    const QSignalBlocker blocker(box);
    box->clear();
    for (const auto& entry : history.entries())
        box->addItem(DocumentText::ToUnicode(entry, EncodingDetector::Detect(entry)));
}

void TEdSearchDlg::rememberIn(SearchHistory& history, QComboBox* box, const std::string& text)
{
    const QString shown =
        DocumentText::ToUnicode(text, editor_ ? editor_->Memo().Encoding() : TextEncoding::Windows1252);
    const QByteArray utf8 = shown.toUtf8();
    const auto index = history.remember(std::string(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    fill(box, history);
    if (text.empty()) {
        box->setEditText(QString());
        return;
    }
    box->setCurrentIndex(static_cast<int>(index));
    box->setEditText(shown);
}

}  // namespace quarry

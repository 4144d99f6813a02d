#include "prefs/ui/TOptionsDialog.h"

#include "editorsettings/SettingRange.h"
#include "editor/ui/TCodeMemo.h"
#include "highlight/TCodeMemoParser.h"
#include "platform/UserInterface.h"
#include "platform/ui/QtUserInterface.h"
#include "prefs/AutoCorrectList.h"
#include "prefs/HighlightElements.h"
#include "prefs/OptionsSession.h"
#include "prefs/PreviewToken.h"
#include "prefs/ShortCutText.h"
#include "prefs/TemplateList.h"
#include "prefs/ui/ColourButton.h"
#include "prefs/ui/KeyCaptureEdit.h"
#include "prefs/ui/TKeyAssignDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontComboBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>

namespace quarry {

namespace {

constexpr int kFontSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 30};

constexpr std::pair<int, const char*> kCharSets[] = {
    {0, "Western (ANSI)"}, {1, "Default"},         {2, "Symbol"},      {77, "Mac"},      {128, "Japanese"},
    {129, "Korean"},       {130, "Korean (Johab)"}, {134, "Chinese (GB2312)"}, {136, "Chinese (Big5)"},
    {161, "Greek"},        {162, "Turkish"},        {163, "Vietnamese"}, {177, "Hebrew"}, {178, "Arabic"},
    {186, "Baltic"},       {204, "Cyrillic"},       {222, "Thai"},      {238, "Central European"}, {255, "OEM"},
};

QPushButton* Button(const char* caption, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setAutoDefault(false);
    return button;
}

// Rows "a<TAB>b" shown in two aligned columns.
void FillRows(QListWidget& list, const std::vector<std::string>& rows)
{
    const int current = list.currentRow();
    list.clear();
    for (const std::string& row : rows)
        list.addItem(toQt(row));
    list.setCurrentRow(std::min(current, list.count() - 1));
}

}  // namespace

TOptionsDialog::TOptionsDialog(UserInterface& ui, QWidget* parent)
    : QDialog(parent),
      PageControl1(new QTabWidget(this)),
      OkButton(new QPushButton(QStringLiteral("OK"), this)),
      CancelButton(Button("Cancel", this)),
      KeyAssignDialog(new TKeyAssignDialog(this)),
      ui_(ui)
{
    setObjectName(QStringLiteral("OptionsDialog"));
    setWindowTitle(QStringLiteral("Editor Options"));
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->addTab(BuildOptionsPage(), QStringLiteral("Options"));
    PageControl1->addTab(BuildHighlightingPage(), QStringLiteral("Highlighting"));
    PageControl1->addTab(BuildKeysPage(), QStringLiteral("Key assignments"));
    PageControl1->addTab(BuildAutoCorrectPage(), QStringLiteral("Auto correct"));
    PageControl1->addTab(BuildTemplatesPage(), QStringLiteral("Code templates"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1, 1);
    layout->addLayout(buttons);
    OkButton->setDefault(true);
    resize(640, 500);

    captureKeys = [this](KeyAssignments::Sequence initial) { return KeyAssignDialog->Execute(initial); };
    connect(OkButton, &QPushButton::clicked, this, &TOptionsDialog::OkClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

TOptionsDialog::~TOptionsDialog() = default;

// ---------------------------------------------------------------- pages

QWidget* TOptionsDialog::BuildOptionsPage()
{
    auto* page = new QWidget;
    auto* boxes = new QGridLayout;
    const int perColumn = int(std::size(kOptionCheckBoxes) + 1) / 2;
    for (std::size_t i = 0; i < std::size(kOptionCheckBoxes); ++i) {
        auto* box = new QCheckBox(QString::fromLatin1(kOptionCheckBoxes[i].caption), page);
        boxes->addWidget(box, int(i) % perColumn, int(i) / perColumn);
        optionBoxes.push_back(box);
        const TCodeMemoOptions bit = kOptionCheckBoxes[i].bit;
        connect(box, &QCheckBox::toggled, this, [this, bit](bool on) {
            if (loading_ || !session_)
                return;
            auto& options = session_->Settings().options;
            options = on ? options | bit : options & ~bit;
            RefreshPreview();
        });
    }
    auto* fields = new QFormLayout;
    IndentStepEdit = new QSpinBox(page);
    IndentStepEdit->setRange(kIndentStepRange.low, kIndentStepRange.high);
    fields->addRow(QString::fromLatin1(OptionFields::Label(OptionFields::IndentStep)), IndentStepEdit);
    connect(IndentStepEdit, &QSpinBox::valueChanged, this, [this](int value) {
        if (!loading_ && session_)
            session_->Settings().indentStep = value;
    });
    for (auto field : {OptionFields::WrapColumn, OptionFields::TabDefault, OptionFields::RightMargin,
                       OptionFields::GutterWidth}) {
        auto* edit = new QLineEdit(page);
        numberEdits[field] = edit;
        fields->addRow(QString::fromLatin1(OptionFields::Label(field)), edit);
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::editingFinished, this, [this, field] { CommitField(field); });
        if (field == OptionFields::TabDefault) {
            TabColumnsEdit = new QLineEdit(page);
            fields->addRow(QStringLiteral("Tab columns:"), TabColumnsEdit);
            TabColumnsEdit->installEventFilter(this);
            connect(TabColumnsEdit, &QLineEdit::editingFinished, this, &TOptionsDialog::CommitTabColumns);
        }
    }
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(boxes, 3);
    layout->addLayout(fields, 2);
    return page;
}

QWidget* TOptionsDialog::BuildHighlightingPage()
{
    auto* page = new QWidget;
    ElementList = new QListWidget(page);
    ElementList->setObjectName(QStringLiteral("ElementList"));
    ForegroundButton = new ColourButton(QStringLiteral("Foreground"), page);
    BackgroundButton = new ColourButton(QStringLiteral("Background"), page);
    DefaultForeground = new QCheckBox(QStringLiteral("Foreground"), page);
    DefaultBackground = new QCheckBox(QStringLiteral("Background"), page);
    BoldBox = new QCheckBox(QStringLiteral("&Bold"), page);
    ItalicBox = new QCheckBox(QStringLiteral("&Italic"), page);
    UnderlineBox = new QCheckBox(QStringLiteral("&Underline"), page);
    FontNameCombo = new QFontComboBox(page);
    FontSizeCombo = new QComboBox(page);
    FontSizeCombo->setEditable(true);
    for (int size : kFontSizes)
        FontSizeCombo->addItem(QString::number(size));
    CharSetCombo = new QComboBox(page);
    for (const auto& [value, name] : kCharSets)
        CharSetCombo->addItem(QString::fromLatin1(name), value);
    FontButton = Button("&Font...", page);
    Preview = new TCodeMemo(page);
    Preview->setObjectName(QStringLiteral("Preview"));
    Preview->viewport()->installEventFilter(this);

    auto* colours = new QGroupBox(QStringLiteral("Colour"), page);
    auto* colourLayout = new QVBoxLayout(colours);
    colourLayout->addWidget(ForegroundButton);
    colourLayout->addWidget(BackgroundButton);
    auto* defaults = new QGroupBox(QStringLiteral("Use defaults for"), page);
    auto* defaultsLayout = new QVBoxLayout(defaults);
    defaultsLayout->addWidget(DefaultForeground);
    defaultsLayout->addWidget(DefaultBackground);
    auto* styles = new QGroupBox(QStringLiteral("Text attributes"), page);
    auto* stylesLayout = new QVBoxLayout(styles);
    for (auto* box : {BoldBox, ItalicBox, UnderlineBox})
        stylesLayout->addWidget(box);
    auto* font = new QGridLayout;
    font->addWidget(new QLabel(QStringLiteral("Font:"), page), 0, 0);
    font->addWidget(FontNameCombo, 0, 1, 1, 3);
    font->addWidget(new QLabel(QStringLiteral("Size:"), page), 1, 0);
    font->addWidget(FontSizeCombo, 1, 1);
    font->addWidget(new QLabel(QStringLiteral("Character set:"), page), 1, 2);
    font->addWidget(CharSetCombo, 1, 3);
    font->addWidget(FontButton, 0, 4);

    auto* groups = new QHBoxLayout;
    groups->addWidget(colours);
    groups->addWidget(defaults);
    groups->addWidget(styles);
    auto* right = new QVBoxLayout;
    right->addLayout(groups);
    right->addLayout(font);
    right->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(ElementList, 1);
    top->addLayout(right, 3);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(Preview, 1);

    connect(ElementList, &QListWidget::currentRowChanged, this, [this] { LoadElement(); });
    // Choosing a colour means this colour, not the default one.
    const std::pair<ColourButton*, QCheckBox*> colourBoxes[] = {{ForegroundButton, DefaultForeground},
                                                                {BackgroundButton, DefaultBackground}};
    for (const auto& [button, useDefault] : colourBoxes)
        connect(button, &ColourButton::colourChosen, this, [this, box = useDefault] {
            const bool wasLoading = std::exchange(loading_, true);
            box->setChecked(false);
            loading_ = wasLoading;
            StoreElement();
        });
    for (auto* box : {DefaultForeground, DefaultBackground, BoldBox, ItalicBox, UnderlineBox})
        connect(box, &QCheckBox::toggled, this, [this] { StoreElement(); });
    connect(FontNameCombo, &QFontComboBox::currentFontChanged, this, [this](const QFont& font) {
        if (loading_ || !session_)
            return;
        session_->Settings().fontName = fromQt(font.family());
        RefreshPreview();
    });
    connect(FontSizeCombo, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        bool ok = false;
        const int size = text.trimmed().toInt(&ok);
        // A size outside the editor's range keeps the one held.
        if (loading_ || !session_ || !ok || !kFontSizeRange.holds(size))
            return;
        session_->Settings().fontSize = size;
        RefreshPreview();
    });
    connect(CharSetCombo, &QComboBox::currentIndexChanged, this, [this] {
        if (loading_ || !session_ || CharSetCombo->currentIndex() < 0)
            return;
        session_->Settings().fontCharset = CharSetCombo->currentData().toInt();
        RefreshPreview();
    });
    connect(FontButton, &QPushButton::clicked, this, [this] {
        if (!session_)
            return;
        const auto& s = session_->Settings();
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, QFont(toQt(s.fontName), s.fontSize), this);
        if (!ok)
            return;
        session_->Settings().fontName = fromQt(chosen.family());
        if (chosen.pointSize() > 0 && kFontSizeRange.holds(chosen.pointSize()))
            session_->Settings().fontSize = chosen.pointSize();
        LoadFont();
        RefreshPreview();
    });
    return page;
}

QWidget* TOptionsDialog::BuildKeysPage()
{
    auto* page = new QWidget;
    CommandList = new QListWidget(page);
    CommandList->setObjectName(QStringLiteral("CommandList"));
    SequenceList = new QListWidget(page);
    SequenceList->setObjectName(QStringLiteral("SequenceList"));
    AddKeyButton = Button("Add", page);
    DeleteKeyButton = Button("Delete", page);
    EditKeyButton = Button("Edit", page);
    auto* buttons = new QHBoxLayout;
    for (auto* button : {AddKeyButton, DeleteKeyButton, EditKeyButton})
        buttons->addWidget(button);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("Key sequences:"), page));
    right->addWidget(SequenceList, 1);
    right->addLayout(buttons);
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Commands:"), page));
    left->addWidget(CommandList, 1);
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left, 1);
    layout->addLayout(right, 1);
    connect(CommandList, &QListWidget::currentRowChanged, this, [this] { LoadSequences(); });
    connect(AddKeyButton, &QPushButton::clicked, this, [this] { KeyButtonClick(0); });
    connect(DeleteKeyButton, &QPushButton::clicked, this, [this] { KeyButtonClick(1); });
    connect(EditKeyButton, &QPushButton::clicked, this, [this] { KeyButtonClick(2); });
    return page;
}

QWidget* TOptionsDialog::BuildAutoCorrectPage()
{
    auto* page = new QWidget;
    ReplaceList = new QListWidget(page);
    ReplaceList->setObjectName(QStringLiteral("ReplaceList"));
    ReplaceEdit = new QLineEdit(page);
    WithEdit = new QLineEdit(page);
    TriggerEdit = new QLineEdit(page);
    AddPairButton = Button("Add", page);
    ReplacePairButton = Button("Replace", page);
    DeletePairButton = Button("Delete", page);
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Replace"), ReplaceEdit);
    fields->addRow(QStringLiteral("With"), WithEdit);
    auto* buttons = new QHBoxLayout;
    for (auto* button : {AddPairButton, ReplacePairButton, DeletePairButton})
        buttons->addWidget(button);
    auto* triggers = new QFormLayout;
    triggers->addRow(QStringLiteral("Act key(s)"), TriggerEdit);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(ReplaceList, 1);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->addLayout(triggers);

    connect(ReplaceList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!session_ || row < 0)
            return;
        const AutoCorrectList pairs(session_->Settings());
        ReplaceEdit->setText(toQt(pairs.Word(row)));
        WithEdit->setText(toQt(pairs.Replacement(row)));
    });
    connect(AddPairButton, &QPushButton::clicked, this, [this] {
        AutoCorrectList pairs(session_->Settings());
        if (Accepted(pairs.Add(fromQt(ReplaceEdit->text()), fromQt(WithEdit->text())))) {
            LoadPairs();
            ReplaceList->setCurrentRow(pairs.Count() - 1);
        }
    });
    connect(ReplacePairButton, &QPushButton::clicked, this, [this] {
        AutoCorrectList pairs(session_->Settings());
        if (Accepted(pairs.Replace(ReplaceList->currentRow(), fromQt(ReplaceEdit->text()), fromQt(WithEdit->text()))))
            LoadPairs();
    });
    connect(DeletePairButton, &QPushButton::clicked, this, [this] {
        AutoCorrectList pairs(session_->Settings());
        if (Accepted(pairs.Delete(ReplaceList->currentRow())))
            LoadPairs();
    });
    connect(TriggerEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        AutoCorrectList(session_->Settings()).SetTriggers(fromQt(text));
    });
    return page;
}

QWidget* TOptionsDialog::BuildTemplatesPage()
{
    auto* page = new QWidget;
    TemplateListBox = new QListWidget(page);
    TemplateListBox->setObjectName(QStringLiteral("TemplateListBox"));
    TemplateNameEdit = new QLineEdit(page);
    TemplateDescriptionEdit = new QLineEdit(page);
    TemplateTextEdit = new QPlainTextEdit(page);
    HotKeyEdit = new KeyCaptureEdit(page);
    AddTemplateButton = Button("Add", page);
    ReplaceTemplateButton = Button("Replace", page);
    DeleteTemplateButton = Button("Delete", page);
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Name"), TemplateNameEdit);
    fields->addRow(QStringLiteral("Description"), TemplateDescriptionEdit);
    auto* buttons = new QHBoxLayout;
    for (auto* button : {AddTemplateButton, ReplaceTemplateButton, DeleteTemplateButton})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(new QLabel(QStringLiteral("Expansion hot key"), page));
    buttons->addWidget(HotKeyEdit);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(TemplateListBox, 1);
    layout->addLayout(fields);
    layout->addWidget(TemplateTextEdit, 1);
    layout->addLayout(buttons);

    connect(TemplateListBox, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!session_ || row < 0)
            return;
        const CodeTemplate& t = TemplateList(session_->Settings()).At(row);
        TemplateNameEdit->setText(toQt(t.name));
        TemplateDescriptionEdit->setText(toQt(t.description));
        TemplateTextEdit->setPlainText(toQt(t.text));
    });
    const auto edited = [this] {
        std::string text = fromQt(TemplateTextEdit->toPlainText());
        // Template texts keep the editor's line break.
        for (auto& c : text)
            if (c == '\n')
                c = '\r';
        return CodeTemplate{fromQt(TemplateNameEdit->text()), fromQt(TemplateDescriptionEdit->text()), text};
    };
    connect(AddTemplateButton, &QPushButton::clicked, this, [this, edited] {
        TemplateList templates(session_->Settings());
        if (Accepted(templates.Add(edited()))) {
            LoadTemplates();
            TemplateListBox->setCurrentRow(templates.Count() - 1);
        }
    });
    connect(ReplaceTemplateButton, &QPushButton::clicked, this, [this, edited] {
        TemplateList templates(session_->Settings());
        if (Accepted(templates.Replace(TemplateListBox->currentRow(), edited())))
            LoadTemplates();
    });
    connect(DeleteTemplateButton, &QPushButton::clicked, this, [this] {
        TemplateList templates(session_->Settings());
        if (Accepted(templates.Delete(TemplateListBox->currentRow())))
            LoadTemplates();
    });
    connect(HotKeyEdit, &KeyCaptureEdit::strokeChanged, this, [this](TShortCut stroke) {
        if (!loading_ && session_)
            TemplateList(session_->Settings()).SetHotKey(stroke);
    });
    return page;
}

// ---------------------------------------------------------------- running

bool TOptionsDialog::Execute(TCodeMemoParser& parser, std::uint32_t pages, KeyValueStore* registry)
{
    session_ = std::make_unique<OptionsSession>(parser);
    // The preview scans with a twin of the parser, so the copy shows before the parser has it.
    previewParser_ = std::make_unique<TCodeMemoParser>();
    previewParser_->loadCompiledForm(parser.compiledForm());
    previewParser_->OnCustomParse = parser.OnCustomParse;
    previewParser_->componentName = parser.componentName;
    Preview->SetParser(1, previewParser_.get());
    Preview->SetActiveParser(1);
    LoadControls();
    Preview->Memo().SetText(session_->Settings().exampleText);

    if ((pages & kAllOptionsPages) == 0)
        pages = kAllOptionsPages;
    int first = -1;
    for (int i = 0; i < PageControl1->count(); ++i) {
        const bool shown = pages & (1u << i);
        PageControl1->setTabVisible(i, shown);
        if (shown && first < 0)
            first = i;
    }
    PageControl1->setCurrentIndex(first);

    const bool ok = exec() == QDialog::Accepted;
    if (ok)
        session_->Apply(parser, registry);
    Preview->SetParser(1, nullptr);
    previewParser_.reset();
    session_.reset();
    return ok;
}

void TOptionsDialog::OkClick()
{
    for (auto field : {OptionFields::WrapColumn, OptionFields::TabDefault, OptionFields::RightMargin,
                       OptionFields::GutterWidth})
        if (!CommitField(field))
            return;
    if (!CommitTabColumns())
        return;
    accept();
}

bool TOptionsDialog::CommitField(OptionFields::Field field)
{
    QLineEdit* edit = numberEdits[field];
    if (!session_ || !edit || loading_)
        return true;
    const auto refusal = OptionFields::Set(session_->Settings(), field, fromQt(edit->text()));
    if (refusal) {
        edit->setText(QString::number(OptionFields::Value(session_->Settings(), field)));
        ui_.showMessage(MessageKind::Error, *refusal, MessageButtons::Ok);
        edit->setFocus();
        return false;
    }
    RefreshPreview();
    return true;
}

bool TOptionsDialog::CommitTabColumns()
{
    if (!session_ || loading_)
        return true;
    const auto refusal = OptionFields::SetTabColumns(session_->Settings(), fromQt(TabColumnsEdit->text()));
    if (refusal) {
        TabColumnsEdit->setText(toQt(session_->Settings().tabColumnsText));
        ui_.showMessage(MessageKind::Error, *refusal, MessageButtons::Ok);
        TabColumnsEdit->setFocus();
        return false;
    }
    RefreshPreview();
    return true;
}

bool TOptionsDialog::Accepted(const std::optional<std::string>& refusal)
{
    if (refusal)
        ui_.showMessage(MessageKind::Information, *refusal, MessageButtons::Ok);
    return !refusal;
}

void TOptionsDialog::LoadControls()
{
    loading_ = true;
    const LanguageSettings& s = session_->Settings();
    for (std::size_t i = 0; i < optionBoxes.size(); ++i)
        optionBoxes[i]->setChecked(s.options & kOptionCheckBoxes[i].bit);
    IndentStepEdit->setValue(s.indentStep);
    for (std::size_t f = 0; f < numberEdits.size(); ++f)
        if (numberEdits[f])
            numberEdits[f]->setText(QString::number(OptionFields::Value(s, OptionFields::Field(f))));
    TabColumnsEdit->setText(toQt(s.tabColumnsText));

    const HighlightElements elements(session_->Settings());
    ElementList->clear();
    for (int i = 0; i < elements.Count(); ++i)
        ElementList->addItem(toQt(elements.Name(i)));
    LoadFont();

    CommandList->clear();
    for (const auto& [code, text] : session_->Keys().Commands())
        CommandList->addItem(toQt(text));
    TriggerEdit->setText(toQt(s.autoReplaceTriggers));
    HotKeyEdit->SetStroke(s.templateHotKey);
    loading_ = false;
    ElementList->setCurrentRow(0);
    CommandList->setCurrentRow(0);
    LoadSequences();
    LoadPairs();
    LoadTemplates();
    RefreshPreview();
}

void TOptionsDialog::LoadFont()
{
    const bool wasLoading = loading_;
    loading_ = true;
    const LanguageSettings& s = session_->Settings();
    FontNameCombo->setCurrentFont(QFont(toQt(s.fontName)));
    // The name the language asks for, even where the nearest installed face stands in for it.
    FontNameCombo->setEditText(toQt(s.fontName));
    FontSizeCombo->setCurrentText(QString::number(s.fontSize));
    int charset = CharSetCombo->findData(s.fontCharset);
    if (charset < 0) {
        CharSetCombo->addItem(QStringLiteral("Character set %1").arg(s.fontCharset), s.fontCharset);
        charset = CharSetCombo->count() - 1;
    }
    CharSetCombo->setCurrentIndex(charset);
    loading_ = wasLoading;
}

void TOptionsDialog::LoadElement()
{
    if (!session_ || ElementList->currentRow() < 0)
        return;
    const ElementLook look = HighlightElements(session_->Settings()).Look(ElementList->currentRow());
    loading_ = true;
    ForegroundButton->SetColour(look.foreground);
    BackgroundButton->SetColour(look.background);
    DefaultForeground->setChecked(look.foregroundDefault);
    DefaultBackground->setChecked(look.backgroundDefault);
    BoldBox->setChecked(look.fontStyle & 1);
    ItalicBox->setChecked(look.fontStyle & 2);
    UnderlineBox->setChecked(look.fontStyle & 4);
    ForegroundButton->setEnabled(look.hasForeground);
    DefaultForeground->setEnabled(look.hasForegroundDefault);
    for (auto* box : {BoldBox, ItalicBox, UnderlineBox})
        box->setEnabled(look.hasFontStyle);
    loading_ = false;
}

void TOptionsDialog::StoreElement()
{
    const int element = ElementList->currentRow();
    if (loading_ || !session_ || element < 0)
        return;
    HighlightElements elements(session_->Settings());
    ElementLook look = elements.Look(element);
    look.foreground = ForegroundButton->Colour();
    look.background = BackgroundButton->Colour();
    look.foregroundDefault = DefaultForeground->isChecked();
    look.backgroundDefault = DefaultBackground->isChecked();
    // Strike-out has no box; it stays as the script gave it.
    look.fontStyle = std::uint8_t((look.fontStyle & 8) | (BoldBox->isChecked() ? 1 : 0) |
                                  (ItalicBox->isChecked() ? 2 : 0) | (UnderlineBox->isChecked() ? 4 : 0));
    elements.SetLook(element, look);
    RefreshPreview();
}

void TOptionsDialog::LoadSequences()
{
    SequenceList->clear();
    const int command = CommandList->currentRow();
    if (!session_ || command < 0)
        return;
    const auto& commands = session_->Keys().Commands();
    for (const auto& s : session_->Keys().SequencesOf(commands[std::size_t(command)].first))
        SequenceList->addItem(toQt(KeySequenceText(s.first, s.second)));
    SequenceList->setCurrentRow(0);
}

void TOptionsDialog::KeyButtonClick(int which)
{
    const int command = CommandList->currentRow();
    if (!session_ || command < 0)
        return;
    KeyAssignments& keys = session_->Keys();
    const std::int32_t action = keys.Commands()[std::size_t(command)].first;
    const auto sequences = keys.SequencesOf(action);
    const int chosen = SequenceList->currentRow();
    const bool haveChosen = chosen >= 0 && chosen < int(sequences.size());
    if (which == 0) {
        if (const auto captured = captureKeys({}))
            Accepted(keys.Add(action, *captured));
    } else if (haveChosen && which == 1) {
        Accepted(keys.Delete(action, sequences[std::size_t(chosen)]));
    } else if (haveChosen) {
        const auto old = sequences[std::size_t(chosen)];
        // A reserved sequence is refused before the user types a new one.
        if (KeyAssignments::IsReserved(old))
            Accepted(keys.Edit(action, old, old));
        else if (const auto captured = captureKeys(old))
            Accepted(keys.Edit(action, old, *captured));
    }
    LoadSequences();
}

void TOptionsDialog::LoadPairs()
{
    const AutoCorrectList pairs(session_->Settings());
    std::vector<std::string> rows;
    for (int i = 0; i < pairs.Count(); ++i)
        rows.push_back(pairs.RowText(i));
    FillRows(*ReplaceList, rows);
}

void TOptionsDialog::LoadTemplates()
{
    const TemplateList templates(session_->Settings());
    std::vector<std::string> rows;
    for (int i = 0; i < templates.Count(); ++i)
        rows.push_back(templates.RowText(i));
    FillRows(*TemplateListBox, rows);
}

void TOptionsDialog::RefreshPreview()
{
    if (!previewParser_ || !session_ || loading_)
        return;
    previewParser_->settings() = session_->Settings();
    previewParser_->applySettings();
}

bool TOptionsDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Return in a number field would press OK; a refused number keeps the dialog open.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == TabColumnsEdit)
                return !CommitTabColumns();
            for (std::size_t f = 0; f < numberEdits.size(); ++f)
                if (watched == numberEdits[f])
                    return !CommitField(OptionFields::Field(f));
        }
    }
    // A click on a token of the preview chooses its style in the element list.
    if (Preview && watched == Preview->viewport() && event->type() == QEvent::MouseButtonRelease && session_) {
        Preview->FinishIdleScan();
        const int token = TokenValueAt(Preview->Memo().Store(), Preview->Memo().SelStart());
        if (token >= 0) {
            const int element = HighlightElements(session_->Settings()).ElementOfToken(std::uint8_t(token));
            if (element >= 0)
                ElementList->setCurrentRow(element);
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace quarry

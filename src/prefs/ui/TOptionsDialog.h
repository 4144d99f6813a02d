#pragma once
// "Editor Options": one language's settings on up to five pages (options, highlighting with a
// live preview, key assignments, auto correct, code templates). The pages edit an
// OptionsSession, a copy of the parser's settings; OK applies it to the parser and so to every
// editor using it, Cancel drops it.
#include "prefs/KeyAssignments.h"
#include "prefs/OptionFields.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace quarry {

class ColourButton;
class KeyCaptureEdit;
class KeyValueStore;
class OptionsSession;
class TCodeMemo;
class TCodeMemoParser;
class TKeyAssignDialog;
class UserInterface;

class TOptionsDialog final : public QDialog {
    Q_OBJECT
public:
    explicit TOptionsDialog(UserInterface& ui, QWidget* parent = nullptr);
    ~TOptionsDialog() override;

    // Shows the pages of the mask (OptionsPage bits; 0 shows all) over a copy of the parser's
    // settings. On OK the copy goes into the parser and, when the parser keeps its settings in
    // the registry, into `registry`. True for OK.
    bool Execute(TCodeMemoParser& parser, std::uint32_t pages, KeyValueStore* registry);
    // The copy being edited while the dialog is open.
    OptionsSession* Session() { return session_.get(); }

    // Asks for a key sequence; by default through KeyAssignDialog.
    std::function<std::optional<KeyAssignments::Sequence>(KeyAssignments::Sequence initial)> captureKeys;

    QTabWidget* PageControl1 = nullptr;
    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;
    // Options
    std::vector<QCheckBox*> optionBoxes;  // as kOptionCheckBoxes
    QSpinBox* IndentStepEdit = nullptr;
    std::array<QLineEdit*, OptionFields::FieldCount> numberEdits{};  // IndentStep's is null
    QLineEdit* TabColumnsEdit = nullptr;
    // Highlighting
    QListWidget* ElementList = nullptr;
    ColourButton* ForegroundButton = nullptr;
    ColourButton* BackgroundButton = nullptr;
    QCheckBox* DefaultForeground = nullptr;
    QCheckBox* DefaultBackground = nullptr;
    QCheckBox* BoldBox = nullptr;
    QCheckBox* ItalicBox = nullptr;
    QCheckBox* UnderlineBox = nullptr;
    QFontComboBox* FontNameCombo = nullptr;
    QComboBox* FontSizeCombo = nullptr;
    QComboBox* CharSetCombo = nullptr;
    QPushButton* FontButton = nullptr;
    TCodeMemo* Preview = nullptr;
    // Key assignments
    QListWidget* CommandList = nullptr;
    QListWidget* SequenceList = nullptr;
    QPushButton* AddKeyButton = nullptr;
    QPushButton* DeleteKeyButton = nullptr;
    QPushButton* EditKeyButton = nullptr;
    TKeyAssignDialog* KeyAssignDialog = nullptr;
    // Auto correct
    QListWidget* ReplaceList = nullptr;
    QLineEdit* ReplaceEdit = nullptr;
    QLineEdit* WithEdit = nullptr;
    QLineEdit* TriggerEdit = nullptr;
    QPushButton* AddPairButton = nullptr;
    QPushButton* ReplacePairButton = nullptr;
    QPushButton* DeletePairButton = nullptr;
    // Code templates
    QListWidget* TemplateListBox = nullptr;
    QLineEdit* TemplateNameEdit = nullptr;
    QLineEdit* TemplateDescriptionEdit = nullptr;
    QPlainTextEdit* TemplateTextEdit = nullptr;
    KeyCaptureEdit* HotKeyEdit = nullptr;
    QPushButton* AddTemplateButton = nullptr;
    QPushButton* ReplaceTemplateButton = nullptr;
    QPushButton* DeleteTemplateButton = nullptr;

    // Takes a number field's text; a refused number shows its message and the held value.
    bool CommitField(OptionFields::Field field);
    bool CommitTabColumns();

private:
    QWidget* BuildOptionsPage();
    QWidget* BuildHighlightingPage();
    QWidget* BuildKeysPage();
    QWidget* BuildAutoCorrectPage();
    QWidget* BuildTemplatesPage();
    bool eventFilter(QObject* watched, QEvent* event) override;

    void LoadControls();
    void LoadElement();
    void StoreElement();
    void LoadFont();
    void LoadSequences();
    void LoadPairs();
    void LoadTemplates();
    void KeyButtonClick(int which);
    // Shows a refusal, if any; true when there was none.
    bool Accepted(const std::optional<std::string>& refusal);
    void RefreshPreview();
    void OkClick();

    UserInterface& ui_;
    std::unique_ptr<OptionsSession> session_;
    std::unique_ptr<TCodeMemoParser> previewParser_;
    bool loading_ = false;
};

}  // namespace quarry

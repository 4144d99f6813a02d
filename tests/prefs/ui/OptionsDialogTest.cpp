// The editor options dialog driven as a user drives it, over the built-in assembly parser: key
// sequences captured in the two-step dialog, refused numbers, Cancel after edits on every page,
// and a click into the preview choosing the clicked token's style.
#include "editor/ui/TCodeMemo.h"
#include "highlight/BuiltinParserImages.h"
#include "highlight/TCodeMemoParser.h"
#include "highlight/TParserRepository.h"
#include "prefs/OptionsSession.h"
#include "prefs/PrefsTexts.h"
#include "prefs/ShortCutText.h"
#include "prefs/ui/ColourButton.h"
#include "prefs/ui/KeyCaptureEdit.h"
#include "prefs/ui/TKeyAssignDialog.h"
#include "prefs/ui/TOptionsDialog.h"
#include "support/ScriptedUserInterface.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace quarry {
namespace {

std::string StreamOf(const TCodeMemoParser& parser)
{
    ByteWriter out;
    parser.settings().write(out);
    return out.data();
}

class OptionsDialogTest : public ::testing::Test {
protected:
    // Runs the dialog on the assembly parser; `whileOpen` acts on it and closes it.
    bool Run(const std::function<void()>& whileOpen, std::uint32_t pages = kAllOptionsPages)
    {
        QTimer::singleShot(0, [&] {
            whileOpen();
            if (dialog.isVisible())
                dialog.reject();
        });
        return dialog.Execute(parser, pages, nullptr);
    }
    // Presses the sequence into the key dialog that the next button click opens.
    void CaptureNext(Qt::Key first, Qt::KeyboardModifiers modifiers, Qt::Key second = Qt::Key_unknown)
    {
        QTimer::singleShot(0, [=, this] {
            auto* keys = dialog.KeyAssignDialog;
            QTest::keyClick(keys->FirstKey, first, modifiers);
            keys->NextButton->click();
            if (second != Qt::Key_unknown)
                QTest::keyClick(keys->SecondKey, second, Qt::ControlModifier);
            keys->NextButton->click();
        });
    }

    TParserRepository repository{builtinParserImages()};
    TCodeMemoParser& parser = repository.Parser(0);
    test::ScriptedUserInterface ui;
    TOptionsDialog dialog{ui};
};

TEST_F(OptionsDialogTest, ReservedKeysAreRefusedAndTwoStrokeSequencesAdded)
{
    std::vector<std::string> listed;
    ASSERT_TRUE(Run([&] {
        dialog.CommandList->setCurrentRow(0);  // "Cursor left"
        CaptureNext(Qt::Key_S, Qt::ControlModifier);
        dialog.AddKeyButton->click();
        CaptureNext(Qt::Key_K, Qt::ControlModifier, Qt::Key_B);
        dialog.AddKeyButton->click();
        for (int i = 0; i < dialog.SequenceList->count(); ++i)
            listed.push_back(dialog.SequenceList->item(i)->text().toStdString());
        dialog.OkButton->click();
    }));
    EXPECT_EQ((std::vector<std::string>{prefstexts::kReservedAdd}), ui.texts());
    EXPECT_EQ((std::vector<std::string>{"[Left]  [<none>]", "[Ctrl+K]  [B]"}), listed);
    EXPECT_EQ((std::pair<TShortCut, TShortCut>{scCtrl | 'K', 'B'}), parser.Settings().keys.KeysOfAction(0, 1));
    EXPECT_TRUE(parser.settings().keysDefined);
}

TEST_F(OptionsDialogTest, AGutterOutsideItsRangeIsRefusedAndOkWaitsForAGoodOne)
{
    bool openAfterOk = false;
    std::string shown;
    ASSERT_TRUE(Run([&] {
        auto* gutter = dialog.numberEdits[OptionFields::GutterWidth];
        gutter->setText("200");
        dialog.OkButton->click();
        openAfterOk = dialog.isVisible();
        shown = gutter->text().toStdString();
        gutter->setText("120");
        dialog.OkButton->click();
    }));
    EXPECT_EQ((std::vector<test::ScriptedUserInterface::RecordedBox>{
                  {MessageKind::Error, "0-199 only", MessageButtons::Ok}}),
              ui.boxes());
    EXPECT_TRUE(openAfterOk);
    EXPECT_EQ("34", shown);
    EXPECT_EQ(120, parser.Settings().gutter);
}

TEST_F(OptionsDialogTest, CancelAfterEditsOnEveryPageLeavesTheParserUnchanged)
{
    const std::string before = StreamOf(parser);
    const int bindings = parser.Settings().keys.BindingCount();
    EXPECT_FALSE(Run([&] {
        for (auto* box : dialog.optionBoxes)
            box->click();
        dialog.numberEdits[OptionFields::RightMargin]->setText("100");
        dialog.CommitField(OptionFields::RightMargin);
        dialog.ForegroundButton->ChooseColour(0x00FF00);
        dialog.BoldBox->click();
        dialog.CommandList->setCurrentRow(40);
        dialog.DeleteKeyButton->click();
        dialog.ReplaceEdit->setText("teh");
        dialog.WithEdit->setText("the");
        dialog.AddPairButton->click();
        dialog.TemplateNameEdit->setText("loop");
        dialog.AddTemplateButton->click();
        ASSERT_TRUE(dialog.Session()->Keys().Changed());
        dialog.CancelButton->click();
    }));
    EXPECT_EQ(before, StreamOf(parser));
    EXPECT_EQ(bindings, parser.Settings().keys.BindingCount());
    EXPECT_TRUE(ui.boxes().empty());
}

TEST_F(OptionsDialogTest, TheEditMenuMaskShowsTheFirstThreePages)
{
    std::vector<bool> visible;
    Run([&] {
        for (int i = 0; i < dialog.PageControl1->count(); ++i)
            visible.push_back(dialog.PageControl1->isTabVisible(i));
    }, ppOPTIONS | ppHIGHLIGHTING | ppKEYS);
    EXPECT_EQ((std::vector<bool>{true, true, true, false, false}), visible);
}

TEST_F(OptionsDialogTest, ClickingATokenInThePreviewChoosesItsStyle)
{
    // The assembly example opens with a comment line; its second line is an include.
    std::vector<std::string> chosen;
    Run([&] {
        dialog.PageControl1->setCurrentIndex(1);
        dialog.ElementList->setCurrentRow(dialog.ElementList->count() - 1);
        auto* preview = dialog.Preview;
        preview->FinishIdleScan();
        for (int line : {0, 1}) {
            const QPoint at(preview->TextLeft() + preview->CellWidth() * 3 + 1, preview->LineHeight() * line + 2);
            QTest::mouseClick(preview->viewport(), Qt::LeftButton, {}, at);
            chosen.push_back(dialog.ElementList->currentItem()->text().toStdString());
        }
    });
    EXPECT_EQ("Comment", chosen.at(0));
    EXPECT_NE("Comment", chosen.at(1));
    EXPECT_NE("Gutter", chosen.at(1));
}

}  // namespace
}  // namespace quarry

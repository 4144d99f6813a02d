// Environment > Syntax Preferences and Editor Options... in the running program: new file types
// choose their parser, the default entry is stored, and a colour reaches an open editor window
// at once and comes back after a restart.
#include "ShellFixture.h"

#include "app/ui/PreferencesCommands.h"
#include "highlight/TCodeMemoParser.h"
#include "prefs/ui/ColourButton.h"
#include "prefs/ui/TAppOptionsForm.h"
#include "prefs/ui/TOptionsDialog.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace quarry {
namespace {

constexpr std::uint32_t kRed = 0x0000FF;  // blue-green-red

class PreferencesCommandsTest : public test::ShellFixture {
protected:
    // A store of the user's own in which assembly does not claim *.inc yet.
    void SetUp() override
    {
        write("quarry.dat", "[Filters: talvik assembly]\n*.asm;*.s\n[Filters: ansi c]\n*.c;*.h\n");
        Start();
    }
    PreferencesCommands& Commands() { return *form().findChild<PreferencesCommands*>(); }
    int ParserOf(const std::string& name)
    {
        write(name, "; text\r\n");
        auto* window = form().OpenFileByName(file(name));
        return window ? window->SEditor1->ActiveParser() : -1;
    }
    // Red pixels in the window's text area, as painted.
    int RedPixels(TMDIChild* window)
    {
        window->SEditor1->FinishIdleScan();
        const QImage image = window->SEditor1->viewport()->grab().toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = window->SEditor1->TextLeft(); x < image.width(); ++x)
            {
                const QColor c = image.pixelColor(x, y);
                count += c.red() > 200 && c.green() < 80 && c.blue() < 80;
            }
        return count;
    }
};

TEST_F(PreferencesCommandsTest, NewPatternsChooseTheParserAndTheFirstEntryIsStoredAsOne)
{
    EXPECT_EQ(6, ParserOf("before.inc"));
    QTimer::singleShot(0, [&] {
        auto* dialog = Commands().SyntaxDialog();
        dialog->EditRow(0);
        dialog->EditPopupBox->setText(dialog->EditPopupBox->text() + ";*.inc");
        dialog->defaultcodesyntaxcombo->setCurrentIndex(0);
        dialog->OkButton->click();
    });
    Trigger("SyntaxPreferences1");
    EXPECT_EQ(1, form().settings().editor.defaultSyntax);
    EXPECT_EQ(1, ParserOf("after.inc"));
    EXPECT_EQ(1, ParserOf("unclaimed.xyz"));
    EXPECT_NE(std::string::npos, read("quarry.dat").find("[Filters: talvik assembly]\n*.asm;*.s;*.inc\n"));
}

TEST_F(PreferencesCommandsTest, AColourReachesTheOpenWindowAtOnceAndSurvivesARestart)
{
    write("demo.asm", "; a comment line\r\n");
    auto* window = form().OpenFileByName(file("demo.asm"));
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(0, RedPixels(window));
    form().findChild<QMenu*>("Environment1")->aboutToShow();

    std::vector<bool> visiblePages;
    QTimer::singleShot(0, [&] {
        auto* dialog = Commands().OptionsDialog();
        for (int i = 0; i < dialog->PageControl1->count(); ++i)
            visiblePages.push_back(dialog->PageControl1->isTabVisible(i));
        dialog->ElementList->setCurrentRow(0);
        ASSERT_EQ("Comment", dialog->ElementList->currentItem()->text().toStdString());
        dialog->ForegroundButton->ChooseColour(kRed);
        dialog->OkButton->click();
    });
    Trigger("EditorOptions1");
    EXPECT_EQ((std::vector<bool>{true, true, true, false, false}), visiblePages);
    EXPECT_LT(0, RedPixels(window));

    Launch();
    auto* again = form().OpenFileByName(file("demo.asm"));
    ASSERT_NE(nullptr, again);
    EXPECT_LT(0, RedPixels(again));
}

TEST_F(PreferencesCommandsTest, TemplatesHaveTheirOwnItemAndBothNeedAnEditor)
{
    for (const char* name : {"EditorOptions1", "EditorTemplates1"})
        EXPECT_FALSE(form().action(name)->isEnabled()) << name;
    write("demo.c", "int x;\r\n");
    ASSERT_NE(nullptr, form().OpenFileByName(file("demo.c")));
    form().findChild<QMenu*>("Environment1")->aboutToShow();
    std::vector<bool> visiblePages;
    QTimer::singleShot(0, [&] {
        auto* dialog = Commands().OptionsDialog();
        for (int i = 0; i < dialog->PageControl1->count(); ++i)
            visiblePages.push_back(dialog->PageControl1->isTabVisible(i));
        dialog->TemplateNameEdit->setText("fori");
        dialog->TemplateTextEdit->setPlainText("for (i = 0; i < |; ++i)");
        dialog->AddTemplateButton->click();
        dialog->OkButton->click();
    });
    Trigger("EditorTemplates1");
    EXPECT_EQ((std::vector<bool>{false, false, false, true, true}), visiblePages);
    auto* parser = dynamic_cast<TCodeMemoParser*>(Active()->SEditor1->Parser(Active()->SEditor1->ActiveParser()));
    ASSERT_NE(nullptr, parser);
    EXPECT_EQ("for (i = 0; i < |; ++i)", parser->settings().templates.back().text);
}

}  // namespace
}  // namespace quarry

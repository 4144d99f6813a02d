// The syntax preferences form over a store file: the in-place box over the clicked row's
// patterns, OK writing rows and the default entry, Cancel writing nothing.
#include "platform/PersistentEditorStore.h"
#include "prefs/ui/TAppOptionsForm.h"
#include "support/TempDir.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace quarry {
namespace {

const std::vector<std::string> kLanguages = {"Assembly", "Pascal", "C/C++"};

class SyntaxPreferencesFormTest : public ::testing::Test {
protected:
    bool Run(const std::function<void()>& whileOpen)
    {
        QTimer::singleShot(0, [&] {
            whileOpen();
            if (form.isVisible())
                form.reject();
        });
        return form.EditSyntaxPreferences(store, kLanguages, defaultSyntax);
    }

    test::TempDir dir;
    std::string path = dir.write("quarry.dat", "[Filters: assembly]\n*.asm\n[Filters: c/c++]\n*.c;*.h\n");
    PersistentEditorStore store{path};
    int defaultSyntax = 3;
    TAppOptionsForm form;
};

TEST_F(SyntaxPreferencesFormTest, TheBoxOverAClickedRowEditsItsPatterns)
{
    QRect box, row;
    std::string comboAtStart;
    ASSERT_TRUE(Run([&] {
        comboAtStart = form.defaultcodesyntaxcombo->currentText().toStdString();
        form.EditRow(0);
        box = form.EditPopupBox->geometry();
        row = form.FilterListBox->visualItemRect(form.FilterListBox->item(0));
        EXPECT_EQ("*.asm", form.EditPopupBox->text().toStdString());
        form.EditPopupBox->setText("*.asm;*.inc");
        form.EditRow(1);  // leaving the box for another row keeps what was typed
        form.EditPopupBox->setText("*.pas");
        form.defaultcodesyntaxcombo->setCurrentIndex(0);
        form.OkButton->click();
    }));
    EXPECT_EQ("C/C++", comboAtStart);
    EXPECT_EQ(row.left() + row.width() / 2 + 2, box.left());
    EXPECT_EQ(row.right() - 1, box.right());
    EXPECT_EQ(row.width() / 2 + 2, form.HeaderControl1->sectionSize(0));
    EXPECT_EQ(1, defaultSyntax);
    store.WriteBack();
    EXPECT_EQ("[Filters: assembly]\n*.asm;*.inc\n[Filters: c/c++]\n*.c;*.h\n[Filters: pascal]\n*.pas\n",
              test::TempDir::read(path));
}

TEST_F(SyntaxPreferencesFormTest, CancelChangesNothing)
{
    EXPECT_FALSE(Run([&] {
        form.EditRow(2);
        form.EditPopupBox->setText("");
        form.EditPopupBoxExit();
        form.defaultcodesyntaxcombo->setCurrentIndex(0);
        form.CancelButton->click();
    }));
    EXPECT_EQ(3, defaultSyntax);
    EXPECT_FALSE(store.Modified());
    EXPECT_EQ("*.c;*.h", store.FilterText("C/C++"));
}

}  // namespace
}  // namespace quarry

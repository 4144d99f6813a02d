// The tool forms on their own: the confirm dialog, the output view's rows and the error list.
#include "tools/ErrorScanner.h"
#include "tools/OutputLog.h"
#include "tools/ui/TConfirmParams1.h"
#include "tools/ui/TErrorListPanel.h"
#include "tools/ui/TOutputView.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

#include <optional>

namespace quarry {
namespace {

TEST(ToolForms, ConfirmDialogReturnsTheEditedParametersOrNothing)
{
    const struct {
        const char* typed;  // null: Cancel
        std::optional<std::string> expected;
    } cases[] = {{"-g main.c", "-g main.c"}, {nullptr, std::nullopt}};
    for (const auto& c : cases) {
        TConfirmParams1 dialog;
        QTimer::singleShot(0, &dialog, [&] {
            EXPECT_EQ(dialog.OkButton, dialog.focusWidget());
            EXPECT_EQ("cc", dialog.Executable_name->text().toStdString());
            EXPECT_TRUE(dialog.Executable_name->isReadOnly());
            if (!c.typed)
                return dialog.CancelButton->click();
            dialog.Executable_parameters->setText(QString::fromLatin1(c.typed));
            QTest::keyClick(&dialog, Qt::Key_Return);
        });
        EXPECT_EQ(c.expected, dialog.Confirm("cc", "main.c"));
        EXPECT_EQ("Confirming Command Line Parameters...", dialog.windowTitle().toStdString());
    }
}

TEST(ToolForms, OutputViewShowsBytesAsTextAndTellsWhatWasDropped)
{
    OutputLog log(3);
    TOutputView view(log);
    log.Append(OutputLog::Kind::Output, "gone\ncaf\xc3\xa9 utf-8\ncaf\xe9 latin-1\na\tb\n");
    view.Refresh();
    ASSERT_EQ(4, view.RowCount());
    EXPECT_EQ(QStringList({"[1 earlier lines are no longer kept]", QString::fromUtf8("café utf-8"),
                           QString::fromUtf8("café latin-1"), "a       b"}),
              QStringList({view.RowText(0), view.RowText(1), view.RowText(2), view.RowText(3)}));
    view.SelectAll();
    EXPECT_EQ(4, view.SelectedText().split('\n').size());
}

TEST(ToolForms, ErrorListSumsUpAndActivatesEntries)
{
    ErrorList list;
    const auto listing = ListErrors("a.c:1: error: x\na.c:2: warning: y\nld: cannot find -lq\n", ErrorGrammar::Gcc,
                                    PathStyle::posix(), 2);
    list.Assign(listing.entries, listing.truncated);
    TErrorListPanel panel;
    panel.SetList(list);
    EXPECT_EQ("1 error, 1 warning (only the first 2 lines are listed)", panel.Summary()->text().toStdString());
    EXPECT_EQ(QStringList({"Warning", "a.c", "2", "warning: y"}), panel.RowTexts(1));
    QSignalSpy activated(&panel, &TErrorListPanel::entryActivated);
    panel.SetCurrent(1);
    emit panel.View()->activated(panel.View()->currentIndex());
    ASSERT_EQ(1, activated.count());
    EXPECT_EQ(1u, activated.at(0).at(0).value<std::size_t>());
}

}  // namespace
}  // namespace quarry

// The project tree and the remove dialog as widgets: what they show and what clicks do.
#include "app/ui/ProjectTree.h"
#include "app/ui/TRemProjBox.h"
#include "support/ui/EventWait.h"

#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace quarry {
namespace {

QStringList children(const QTreeWidgetItem* root)
{
    QStringList out;
    for (int i = 0; i < root->childCount(); ++i)
        out << root->child(i)->text(0);
    return out;
}

class ProjectTreeTest : public ::testing::Test {
protected:
    ProjectTreeTest() : project(tree)
    {
        project.onRootClick = [this] { clicks.push_back("root"); };
        project.onFileClick = [this](std::size_t i) { clicks.push_back("file " + std::to_string(i)); };
        tree.resize(200, 300);
        tree.show();
    }
    void click(QTreeWidgetItem* item, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(tree.viewport(), button, {}, tree.visualItemRect(item).center());
    }

    QTreeWidget tree;
    ProjectTree project;
    std::vector<std::string> clicks;
};

TEST_F(ProjectTreeTest, RebuildShowsTheFileNamePartsUnderAnExpandedRoot)
{
    project.RebuildProjectTree({"a.c", "b.asm"});
    project.root()->setExpanded(false);
    project.RebuildProjectTree({"boot.asm", "main.c", "util.h"});
    EXPECT_EQ(1, tree.topLevelItemCount());
    EXPECT_EQ(QStringLiteral("Project Files"), project.root()->text(0));
    EXPECT_EQ((QStringList{"boot.asm", "main.c", "util.h"}), children(project.root()));
    EXPECT_TRUE(project.root()->isExpanded());
    EXPECT_TRUE(tree.updatesEnabled());
    project.RebuildProjectTree({});
    EXPECT_EQ(0, project.root()->childCount());
}

TEST_F(ProjectTreeTest, ClicksOnNodesReportRootAndFileIndexAndClicksBesideThemNothing)
{
    project.RebuildProjectTree({"a.c", "b.c", "c.c"});
    click(project.root()->child(2));
    click(project.root());
    click(project.root()->child(0));
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, QPoint(100, 280));  // beside the nodes: nothing
    EXPECT_EQ((std::vector<std::string>{"file 2", "root", "file 0"}), clicks);
}

// Answers the remove dialog once it is up: selects a row (or none) and presses a button.
void answerRemoveBox(int row, bool remove)
{
    QTimer::singleShot(0, [row, remove] {
        auto* box = qobject_cast<TRemProjBox*>(QApplication::activeModalWidget());
        ASSERT_NE(nullptr, box);
        if (row >= 0)
            box->fileList()->setCurrentItem(box->fileList()->topLevelItem(row));
        (remove ? box->removeButton() : box->cancelButton())->click();
    });
}

TEST(TRemProjBoxTest, ShowsNameAndPathAndReturnsTheChosenRow)
{
    TRemProjBox box;
    EXPECT_EQ(QStringLiteral("Remove Files From Project"), box.windowTitle());
    EXPECT_TRUE(box.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(QStringLiteral("&Remove File"), box.removeButton()->text());
    EXPECT_EQ(QStringLiteral("&Cancel"), box.cancelButton()->text());
    auto* header = box.fileList()->headerItem();
    EXPECT_EQ(QStringLiteral("Filename"), header->text(0));
    EXPECT_EQ(QStringLiteral("Full Path of File"), header->text(1));
    EXPECT_EQ(180, box.fileList()->columnWidth(0));

    answerRemoveBox(1, true);
    EXPECT_EQ(std::optional<std::size_t>(1), box.chooseFile({"/p/a.c", "/q/b.asm", "/r/c.h"}));
    auto* row = box.fileList()->topLevelItem(1);
    EXPECT_EQ(QStringLiteral("b.asm"), row->text(0));
    EXPECT_EQ(QStringLiteral("/q/b.asm"), row->text(1));
}

TEST(TRemProjBoxTest, CancelOrNoSelectionRemovesNothing)
{
    TRemProjBox box;
    answerRemoveBox(0, false);
    EXPECT_EQ(std::nullopt, box.chooseFile({"/p/a.c"}));
    answerRemoveBox(-1, true);
    EXPECT_EQ(std::nullopt, box.chooseFile({"/p/a.c"}));
}

TEST(TRemProjBoxTest, EscapeInTheListCancels)
{
    TRemProjBox box;
    QTimer::singleShot(0, [&box] {
        box.fileList()->setCurrentItem(box.fileList()->topLevelItem(0));
        QTest::keyClick(box.fileList(), Qt::Key_Escape);
    });
    EXPECT_EQ(std::nullopt, box.chooseFile({"/p/a.c"}));
}

}  // namespace
}  // namespace quarry

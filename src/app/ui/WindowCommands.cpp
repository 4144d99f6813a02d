#include "app/ui/WindowCommands.h"

#include "app/ShellTexts.h"
#include "app/StatusPanels.h"
#include "app/WindowList.h"
#include "app/ui/EditorWindows.h"
#include "app/ui/TMainForm.h"
#include "editorwin/ui/TMDIChild.h"
#include "platform/ui/QtUserInterface.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QToolButton>

namespace quarry {

WindowCommands::WindowCommands(TMainForm& form) : QObject(&form), form_(form)
{
    auto wire = [this](const char* name, void (WindowCommands::*handler)()) {
        connect(form_.WireAction(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    };
    wire("Cascade1", &WindowCommands::Cascade1Click);
    wire("Tile1", &WindowCommands::Tile1Click);
    wire("ArrangeIcons1", &WindowCommands::ArrangeIcons1Click);
    wire("MinimizeAll1", &WindowCommands::MinimizeAll1Click);
    wire("MoreWindows1", &WindowCommands::MoreWindows1Click);
    wire("CloseFile1", &WindowCommands::CloseFile1Click);
    wire("CloseFile2", &WindowCommands::CloseFile1Click);
    connect(form_.WireButton(QStringLiteral("CloseBtn")), &QToolButton::clicked, this, &WindowCommands::CloseFile1Click);
    for (int k = 1; k <= WindowList::kMenuItems; ++k)
        connect(form_.WireAction(QStringLiteral("WindowItem") + QString::number(k)), &QAction::triggered, this,
                [this, k] { WindowItemClick(k); });
    connect(form_.findChild<QMenu*>(QStringLiteral("Window1")), &QMenu::aboutToShow, this,
            &WindowCommands::Window1Click);
}

std::vector<std::string> WindowCommands::FileNames() const
{
    std::vector<std::string> names;
    for (auto* window : form_.EditorWindowsInOrder())
        names.push_back(window->FileName());
    return names;
}

void WindowCommands::Window1Click()
{
    const bool any = form_.editorWindows().Count() > 0;
    for (const char* name : {"Cascade1", "Tile1", "ArrangeIcons1", "MinimizeAll1"})
        form_.SetCommandEnabled(QString::fromLatin1(name), any);
    const WindowList list(FileNames());
    auto* active = form_.ActiveEditor();
    const auto items = list.MenuItems(active ? fromQt(active->windowTitle()) : std::string());
    for (int k = 1; k <= WindowList::kMenuItems; ++k) {
        auto* item = form_.action(QStringLiteral("WindowItem") + QString::number(k));
        const auto& shown = items[static_cast<std::size_t>(k - 1)];
        item->setVisible(shown.visible);
        item->setEnabled(shown.visible);
        item->setCheckable(shown.visible);
        item->setChecked(shown.checked);
        if (shown.visible)
            item->setText(toQt("&" + std::to_string(k) + " " +
                               escapeAmpersands(list.Entries()[static_cast<std::size_t>(k - 1)])));
    }
    auto* more = form_.action(QStringLiteral("MoreWindows1"));
    more->setVisible(list.MoreWindows());
    more->setEnabled(list.MoreWindows());
}

void WindowCommands::ActivateEntry(const std::string& entry)
{
    for (auto* window : form_.EditorWindowsInOrder())
        if (WindowList::SameEntry(window->FileName(), entry)) {
            form_.BringEditorToFront(*window);
            return;
        }
}

void WindowCommands::WindowItemClick(int k)
{
    const WindowList list(FileNames());
    if (k >= 1 && k <= static_cast<int>(list.Entries().size()))
        ActivateEntry(list.Entries()[static_cast<std::size_t>(k - 1)]);
}

void WindowCommands::MoreWindows1Click()
{
    const WindowList list(FileNames());
    auto* active = form_.ActiveEditor();
    const int current = active ? list.IndexOf(fromQt(active->windowTitle())) : -1;
    const auto chosen = form_.userInterface().pickFromList(shelltexts::kEditorFileListTitle, list.Entries(), current);
    if (chosen && *chosen >= 0 && *chosen < static_cast<int>(list.Entries().size()))
        ActivateEntry(list.Entries()[static_cast<std::size_t>(*chosen)]);
}

void WindowCommands::Cascade1Click() { form_.findChild<QMdiArea*>(QStringLiteral("MdiArea"))->cascadeSubWindows(); }

void WindowCommands::Tile1Click() { form_.findChild<QMdiArea*>(QStringLiteral("MdiArea"))->tileSubWindows(); }

// Minimised windows go in a row along the bottom of the area, in window order.
void WindowCommands::ArrangeIcons1Click()
{
    auto* area = form_.findChild<QMdiArea*>(QStringLiteral("MdiArea"));
    const int bottom = area->viewport()->height();
    int left = 0;
    int row = 0;
    for (auto* window : form_.EditorWindowsInOrder()) {
        if (!window->isMinimized())
            continue;
        const auto size = window->size();
        if (left > 0 && left + size.width() > area->viewport()->width()) {
            left = 0;
            ++row;
        }
        window->move(left, bottom - (row + 1) * size.height());
        left += size.width();
    }
}

void WindowCommands::MinimizeAll1Click()
{
    auto windows = form_.EditorWindowsInOrder();
    for (auto* window : windows)
        window->RecordRestoredBounds();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        (*it)->showMinimized();
}

void WindowCommands::CloseFile1Click()
{
    auto* window = form_.ActiveEditor();
    if (!window)
        return;
    form_.BringEditorToFront(*window);
    window->close();
    form_.userInterface().processPendingEvents();
    form_.FixMenus();
}

}  // namespace quarry

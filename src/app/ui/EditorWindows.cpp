#include "app/ui/EditorWindows.h"

#include "editor/ui/TCodeMemo.h"
#include "editorwin/ui/TMDIChild.h"
#include "platform/FileFacts.h"
#include "platform/PathStyle.h"
#include "platform/Text.h"
#include "settings/EnvironmentSettings.h"
#include "settings/FileLocator.h"

#include <QMdiArea>

#include <algorithm>

namespace quarry {

EditorWindows::EditorWindows(QMdiArea& area, TMDIChildHost& host, UserInterface& ui, EnvironmentSettings& settings,
                             FileLocator& locator)
    : area_(area), host_(host), ui_(ui), settings_(settings), locator_(locator)
{
}

void EditorWindows::SetParsers(TParserRepository* repository, const PersistentEditorStore* store)
{
    repository_ = repository;
    store_ = store;
}

TMDIChild* EditorWindows::OpenEditorWindow(const std::string& name, bool isNew)
{
    auto* child = new TMDIChild(host_, ui_, settings_, repository_, store_);
    area_.addSubWindow(child);
    child->SetFileName(name);
    if (!child->LoadFile(!isNew)) {
        child->CloseWithoutQuery();
        if (OnWindowsChanged)
            OnWindowsChanged();
        return nullptr;
    }
    PlaceNewWindow(*child);
    child->show();
    BringToFront(*child);
    if (OnWindowsChanged)
        OnWindowsChanged();
    return child;
}

// New windows cascade down from the top left corner of the area, each a step further, so that
// every caption stays in reach.
void EditorWindows::PlaceNewWindow(TMDIChild& window)
{
    const QSize area = area_.viewport()->size();
    const int width = std::max(400, area.width() * 3 / 5);
    const int height = std::max(300, area.height() * 2 / 3);
    const int step = 24 * (Count() % 10);
    const int left = area.width() > width ? step % (area.width() - width + 1) : 0;
    const int top = area.height() > height ? step % (area.height() - height + 1) : 0;
    window.SetBounds({left, top, width, height});
}

TMDIChild* EditorWindows::OpenByName(const std::string& name)
{
    std::string located = text::trim(name);
    if (located.empty())
        return nullptr;
    bool found = locator_.LocateFile(located);
    if (!found) {
        const auto inProject = text::cut(PathStyle::native().join(settings_.projectPath, located), 255);
        if (!files::fileExists(inProject))
            return nullptr;
        located = inProject;
        found = true;
    }
    if (auto* open = Find(located)) {
        BringToFront(*open);
        return open;
    }
    return OpenEditorWindow(located, !found);
}

TMDIChild* EditorWindows::NewFile()
{
    return OpenEditorWindow(NonameNumbers::NameFor(nonames_.Allocate()), true);
}

TMDIChild* EditorWindows::Find(const std::string& name) const
{
    const auto wanted = text::ansiUpperCase(text::trim(name));
    for (auto* window : InOrder())
        if (text::ansiUpperCase(text::trim(window->FileName())) == wanted)
            return window;
    return nullptr;
}

TMDIChild* EditorWindows::Active() const
{
    auto* window = qobject_cast<TMDIChild*>(area_.currentSubWindow());
    return window && window->Tag() != TMDIChild::kDestroyingTag ? window : nullptr;
}

std::vector<TMDIChild*> EditorWindows::InOrder() const
{
    std::vector<TMDIChild*> out;
    const auto list = area_.subWindowList(QMdiArea::StackingOrder);
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        if (auto* window = qobject_cast<TMDIChild*>(*it); window && window->Tag() != TMDIChild::kDestroyingTag)
            out.push_back(window);
    // The active window leads even when the window system stacks it otherwise.
    if (auto* active = Active()) {
        const auto at = std::find(out.begin(), out.end(), active);
        if (at != out.end())
            std::rotate(out.begin(), at, at + 1);
    }
    return out;
}

void EditorWindows::BringToFront(TMDIChild& window)
{
    if (window.isMinimized())
        window.showNormal();
    area_.setActiveSubWindow(&window);
    window.raise();
    window.SEditor1->setFocus();
}

void EditorWindows::ReleaseNoname(const std::string& caption)
{
    if (const auto number = NonameNumbers::NumberOf(caption))
        nonames_.Release(*number);
}

}  // namespace quarry

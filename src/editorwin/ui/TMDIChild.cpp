#include "editorwin/ui/TMDIChild.h"

#include "editor/ui/TCodeMemo.h"
#include "editorwin/EditorWindowTexts.h"
#include "editorwin/NonameNumbers.h"
#include "editorwin/ui/MiddleElidedCaptionStyle.h"
#include "editorwin/ui/TMDIChildHost.h"
#include "platform/PersistentEditorStore.h"
#include "highlight/TCodeMemoParser.h"
#include "highlight/TParserRepository.h"
#include "platform/UserInterface.h"
#include "platform/ui/QtUserInterface.h"
#include "settings/EnvironmentSettings.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMenu>
#include <QScrollBar>
#include <QStyle>

namespace quarry {

namespace {

// The editing options the window gives its control (those of a language's parser rule while
// that parser is active).
constexpr TCodeMemoOptions kEditorOptions =
    smoSyntaxHighlight | smoAutoIndent | smoTabToColumn | smoWordSelect | smoShowRMargin | smoShowGutter |
    smoShowWrapColumn | smoTitleAsFilename | smoProcessDroppedFiles | smoBlockOverwriteCursor | smoShowWrapGlyph |
    smoColumnTrack | smoUseTAB | smoSmartFill | smoOLEDragSource | smoPrintWrap | smoPrintLineNos |
    smoPrintFilename | smoPrintDate | smoPrintPageNos;

EditorDocument::FilterSource filtersOf(TParserRepository* repository, const PersistentEditorStore* store)
{
    return [repository, store] {
        std::vector<std::string> texts;
        if (!repository)
            return texts;
        for (int i = 0; i < repository->Count(); ++i)
            texts.push_back(store ? store->FilterText(repository->LanguageName(i)) : std::string());
        return texts;
    };
}

}  // namespace

TMDIChild::TMDIChild(TMDIChildHost& host, UserInterface& ui, const EnvironmentSettings& settings,
                     TParserRepository* repository, const PersistentEditorStore* store, QWidget* parent)
    : QMdiSubWindow(parent),
      SEditor1(new TCodeMemo(this)),
      PopupMenu1(new QMenu(this)),
      host_(&host),
      ui_(ui),
      document_(SEditor1->Memo(), ui, settings, filtersOf(repository, store))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setStyle(MiddleElidedCaptionStyle::Shared());
    setWindowIcon(style()->standardIcon(QStyle::SP_FileIcon));
    SEditor1->setObjectName(QStringLiteral("SEditor1"));
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    setWidget(SEditor1);
    SetUpEditor(repository);
    BuildPopupMenu();
    // The main window's Close File carries Ctrl+F4; a second owner of the key would leave it to
    // neither.
    if (auto* menu = systemMenu())
        for (auto* item : menu->actions())
            item->setShortcut(QKeySequence());

    statusTimer_.setSingleShot(true);
    statusTimer_.setInterval(0);
    connect(&statusTimer_, &QTimer::timeout, this, [this] {
        if (host_)
            host_->ChildChanged(*this);
    });
    document_.OnStatusChanged = [this] { ScheduleStatus(); };
    SEditor1->Memo().OnChange = [this] {
        if (host_)
            host_->ChildChanged(*this);
    };
    // The caret panel follows the caret also where no key or click in the editor moved it.
    SEditor1->OnCaretMoved = [this] { ScheduleStatus(); };
    SEditor1->installEventFilter(this);
    SEditor1->viewport()->installEventFilter(this);
    connect(SEditor1->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { ScheduleStatus(); });
    SEditor1->OnFilesDropped = [this](const QStringList& files, QPoint) {
        std::vector<std::string> names;
        for (const auto& file : files)
            names.push_back(fromQt(file));
        // After the drop has finished: opening windows inside it would pull the window away.
        QTimer::singleShot(0, this, [this, names] {
            if (host_)
                host_->ChildFilesDropped(names);
        });
    };
    resize(400, 300);
}

TMDIChild::~TMDIChild()
{
    tag_ = kDestroyingTag;
    statusTimer_.stop();
    SEditor1->Memo().OnChange = nullptr;
    SEditor1->OnCaretMoved = nullptr;
    document_.OnStatusChanged = nullptr;
    if (host_)
        host_->ChildDestroyed(*this);
}

void TMDIChild::SetUpEditor(TParserRepository* repository)
{
    auto& memo = SEditor1->Memo();
    auto& own = memo.OwnSettings();
    own.font = TCM_Font{"Courier New", 10};
    own.gutterFont = TCM_Font{"MS Sans Serif", 8};
    own.rightMargin = 80;
    own.SetTabDefault(4);
    own.indentStep = 1;
    own.margin = 2;
    own.selTextColor = clWhite;
    own.selTextBack = clNavy;
    own.options = kEditorOptions;
    SEditor1->SetClipCopyFormats(TCodeMemo::smTEXT | TCodeMemo::smRTF);
    SEditor1->SetMonoPrint(true);
    SEditor1->SetScrollBars(TCodeMemo::TScrollBars::ssBoth);
    memo.saveFormat = TSaveFormat::sfTEXT;
    memo.SetSelLineStyle(TSelLineStyle::lsCRLF);
    if (repository)
        for (int slot = 1; slot <= std::min(repository->Count(), TCustomCodeMemo::kParserSlots); ++slot)
            SEditor1->SetParser(slot, &repository->Parser(slot - 1));
    SEditor1->SetActiveParser(1);
    SEditor1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(SEditor1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopupMenu1Popup();
        PopupMenu1->popup(SEditor1->mapToGlobal(at));
    });
}

void TMDIChild::BuildPopupMenu()
{
    auto add = [this](QMenu* menu, const QString& name, const QString& caption) {
        auto* item = menu->addAction(caption);
        item->setObjectName(name);
        return item;
    };
    connect(add(PopupMenu1, QStringLiteral("Cut1PopupMenu"), QStringLiteral("&Cut")), &QAction::triggered, this,
            [this] {
                if (host_)
                    host_->ChildCut(*this);
            });
    connect(add(PopupMenu1, QStringLiteral("Copy1PopupMenu"), QStringLiteral("C&opy")), &QAction::triggered, this,
            [this] {
                if (host_)
                    host_->ChildCopy(*this);
            });
    connect(add(PopupMenu1, QStringLiteral("Paste1PopupMenu"), QStringLiteral("&Paste")), &QAction::triggered,
            this, [this] {
                if (host_)
                    host_->ChildPaste(*this);
            });
    PopupMenu1->addSeparator();
    auto* toggle = PopupMenu1->addMenu(QStringLiteral("&Toggle Marker 0..9"));
    toggle->setObjectName(QStringLiteral("ToggleMarker0to9"));
    auto* go = PopupMenu1->addMenu(QStringLiteral("&Goto Marker 0..9"));
    go->setObjectName(QStringLiteral("GotoMarker0to9"));
    for (int k = 0; k <= 9; ++k) {
        const auto digit = QString::number(k);
        auto* toggleItem = add(toggle, QStringLiteral("ToggleMarker") + digit, QStringLiteral("&") + digit);
        toggleItem->setProperty("tag", k);
        connect(toggleItem, &QAction::triggered, this, [this, k] {
            SEditor1->Memo().SetBookmark(k);
            ScheduleStatus();
        });
        auto* goItem = add(go, QStringLiteral("GotoMarker") + digit, QStringLiteral("&") + digit);
        goItem->setProperty("tag", k);
        connect(goItem, &QAction::triggered, this, [this, k] {
            SEditor1->Memo().GotoBookmark(k);
            ScheduleStatus();
        });
    }
    connect(add(PopupMenu1, QStringLiteral("ClearAllMarkers1"), QStringLiteral("Clear All Markers")),
            &QAction::triggered, this, [this] {
                for (int k = 0; k <= 9; ++k)
                    SEditor1->Memo().ClearBookmark(k);
            });
    connect(PopupMenu1, &QMenu::aboutToShow, this, &TMDIChild::PopupMenu1Popup);
}

void TMDIChild::PopupMenu1Popup()
{
    if (!host_)
        return;
    const auto states = host_->ChildClipboardStates(*this);
    findChild<QAction*>(QStringLiteral("Cut1PopupMenu"))->setEnabled(states.cut);
    findChild<QAction*>(QStringLiteral("Copy1PopupMenu"))->setEnabled(states.copy);
    findChild<QAction*>(QStringLiteral("Paste1PopupMenu"))->setEnabled(states.paste);
    for (int k = 0; k <= 9; ++k) {
        std::int32_t line = 0;
        std::int32_t column = 0;
        const bool set = SEditor1->Memo().GetBookmark(k, line, column);
        findChild<QAction*>(QStringLiteral("GotoMarker") + QString::number(k))->setEnabled(set);
    }
}

void TMDIChild::SetFileName(const std::string& name)
{
    document_.SetFileName(name);
    setWindowTitle(toQt(document_.FileName()));
}

bool TMDIChild::SaveFile(const std::string& name)
{
    if (!document_.SaveFile(name))
        return false;
    setWindowTitle(toQt(document_.FileName()));
    return true;
}

WindowState TMDIChild::State() const
{
    if (isMinimized())
        return WindowState::Minimized;
    if (isMaximized())
        return WindowState::Maximized;
    return WindowState::Normal;
}

void TMDIChild::SetState(WindowState state)
{
    RecordRestoredBounds();
    switch (state) {
    case WindowState::Minimized: showMinimized(); break;
    case WindowState::Maximized: showMaximized(); break;
    case WindowState::Normal: showNormal(); break;
    }
}

WindowBounds TMDIChild::Bounds() const { return {x(), y(), width(), height()}; }

void TMDIChild::SetBounds(const WindowBounds& bounds)
{
    setGeometry(bounds.left, bounds.top, bounds.width, bounds.height);
}

WindowBounds TMDIChild::RestoredBounds() const
{
    return State() == WindowState::Normal ? Bounds() : restoredBounds_;
}

void TMDIChild::RecordRestoredBounds()
{
    if (State() == WindowState::Normal)
        restoredBounds_ = Bounds();
}

void TMDIChild::moveEvent(QMoveEvent* event)
{
    QMdiSubWindow::moveEvent(event);
    RecordRestoredBounds();
}

void TMDIChild::resizeEvent(QResizeEvent* event)
{
    QMdiSubWindow::resizeEvent(event);
    RecordRestoredBounds();
}

void TMDIChild::ScheduleStatus()
{
    if (tag_ != kDestroyingTag)
        statusTimer_.start();
}

bool TMDIChild::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (watched == SEditor1) {
            const auto key = static_cast<QKeyEvent*>(event)->key();
            const bool modifierOnly =
                key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta;
            if (!modifierOnly && host_)
                host_->ChildKeyDown(*this);
        }
        ScheduleStatus();
        break;
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::FocusIn: ScheduleStatus(); break;
    default: break;
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

bool TMDIChild::CloseQuery()
{
    if (!document_.IsModified())
        return true;
    const auto caption = fromQt(windowTitle());
    switch (ui_.showMessage(MessageKind::Information, editortexts::changedQuestion(caption),
                            MessageButtons::YesNoCancel)) {
    case Answer::Yes:
        if (auto* area = mdiArea())
            area->setActiveSubWindow(this);
        SEditor1->setFocus();
        // A save that did not happen (cancelled, disk full) keeps the window and its text.
        return host_ && host_->ChildSave(*this);
    case Answer::No: return true;
    default: return false;
    }
}

void TMDIChild::closeEvent(QCloseEvent* event)
{
    const bool queried = tag_ != kDestroyingTag;
    if (queried && !queryDone_ && !CloseQuery()) {
        event->ignore();
        return;
    }
    // A window closed without its query (a file that could not be read, the program ending)
    // leaves no trace in the reopen list.
    if (queried && host_)
        host_->ChildClosed(*this);
    QMdiSubWindow::closeEvent(event);
}

void TMDIChild::DetachHost()
{
    tag_ = kDestroyingTag;
    host_ = nullptr;
    statusTimer_.stop();
    SEditor1->Memo().OnChange = nullptr;
    SEditor1->OnCaretMoved = nullptr;
    document_.OnStatusChanged = nullptr;
}

void TMDIChild::CloseAnswered()
{
    queryDone_ = true;
    close();
    queryDone_ = false;
}

void TMDIChild::CloseWithoutQuery()
{
    tag_ = kDestroyingTag;
    close();
}

}  // namespace quarry

#include "regview/ui/TRegisterWindow.h"

#include "platform/ui/QtUserInterface.h"
#include "regview/RegisterViewerTexts.h"
#include "regview/ui/TabStopColumns.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace quarry {

namespace {

QColor fromBgr(std::uint32_t colour) { return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF); }

QGroupBox* box(const char* title, QLabel* label, QWidget* parent)
{
    auto* group = new QGroupBox(QString::fromLatin1(title), parent);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(label);
    return group;
}

}  // namespace

QFont TRegisterWindow::ListFont()
{
    QFont font(QStringLiteral("Fixedsys"), 10);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (!QFontInfo(font).fixedPitch()) {
        const int points = font.pointSize();
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPointSize(points);
    }
    return font;
}

TRegisterWindow::TRegisterWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::Tool),
      registerLabel_(new QLabel(this)),
      header_(new TabStopHeader(QString::fromLatin1(kRegisterListHeader), this)),
      list_(new QListWidget(this)),
      valueLabel_(new QLabel(this)),
      readWriteType_(new QLabel(this))
{
    setObjectName(QStringLiteral("RegisterWindow"));
    setWindowTitle(QString::fromLatin1(kRegisterWindowCaption));
    const QFont fixed = ListFont();
    registerLabel_->setObjectName(QStringLiteral("RegisterLabel"));
    registerLabel_->setFont(fixed);
    header_->setFont(fixed);
    list_->setObjectName(QStringLiteral("ListBox1"));
    list_->setFont(fixed);
    list_->setItemDelegate(new TabStopDelegate(list_));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // the columns fit the window
    list_->installEventFilter(this);
    list_->viewport()->installEventFilter(this);
    valueLabel_->setObjectName(QStringLiteral("ValueLabel"));
    valueLabel_->setFont(fixed);
    valueLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    readWriteType_->setObjectName(QStringLiteral("ReadWriteType"));
    readWriteType_->setFont(fixed);

    auto* values = new QHBoxLayout;
    values->addWidget(box(kRegisterValueBox, valueLabel_, this), 1);
    values->addWidget(box(kAccessBox, readWriteType_, this));
    auto* help = new QGridLayout;
    int i = 0;
    for (const char* text : kRegisterWindowHelp) {
        auto* label = new QLabel(QString::fromLatin1(text), this);
        help->addWidget(label, i % 4, i / 4);
        ++i;
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(registerLabel_);
    layout->addWidget(header_);
    layout->addWidget(list_, 1);
    layout->addLayout(values);
    layout->addLayout(help);
    resize(680, 460);
}

TRegisterWindow::~TRegisterWindow()
{
    if (waiting_)
        waiting_->quit();
}

void TRegisterWindow::Open(const std::string& registerText, const std::vector<std::string>& rows)
{
    queue_.Clear();
    registerLabel_->setText(toQt(registerText));
    list_->clear();
    for (const auto& row : rows)
        list_->addItem(toQt(row));
    if (!isVisible() && parentWidget())
        move(parentWidget()->geometry().center() - rect().center());
    show();
    raise();
    activateWindow();
    list_->setFocus();
}

void TRegisterWindow::SetRow(int index, const std::string& row)
{
    if (auto* item = list_->item(index))
        item->setText(toQt(row));
}

void TRegisterWindow::SetCurrent(int index, FieldAccess access)
{
    const auto colours = selectionColours(access);
    QPalette palette = list_->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Highlight, fromBgr(colours.background));
        palette.setColor(group, QPalette::HighlightedText, fromBgr(colours.text));
    }
    list_->setPalette(palette);
    list_->setCurrentRow(index);
    readWriteType_->setText(toQt(accessText(access)));
}

void TRegisterWindow::SetValueText(const std::string& text) { valueLabel_->setText(toQt(text)); }

// Waits in a local event loop; a queued key, closing the window or the program ending it.
QueuedKey TRegisterWindow::NextKey()
{
    if (queue_.Empty() && isVisible()) {
        QEventLoop loop;
        waiting_ = &loop;
        loop.exec();
        waiting_ = nullptr;
    }
    return queue_.Pop().value_or(QueuedKey{RegisterKey::Escape});
}

void TRegisterWindow::Close() { hide(); }

void TRegisterWindow::BringToFront()
{
    if (!isVisible())
        return;
    raise();
    activateWindow();
}

void TRegisterWindow::Queue(QueuedKey key)
{
    queue_.Push(key);
    if (waiting_)
        waiting_->quit();
}

void TRegisterWindow::closeEvent(QCloseEvent* event)
{
    Queue({RegisterKey::Escape});
    QWidget::closeEvent(event);
}

bool TRegisterWindow::KeyPressed(int key, const QString& text)
{
    static const std::pair<int, RegisterKey> kKeys[] = {
        {Qt::Key_Up, RegisterKey::Up},         {Qt::Key_Down, RegisterKey::Down},
        {Qt::Key_Left, RegisterKey::Left},     {Qt::Key_Right, RegisterKey::Right},
        {Qt::Key_Space, RegisterKey::Space},   {Qt::Key_Return, RegisterKey::Enter},
        {Qt::Key_Enter, RegisterKey::Enter},   {Qt::Key_Escape, RegisterKey::Escape},
        {Qt::Key_Insert, RegisterKey::Insert},
    };
    for (const auto& [qtKey, registerKey] : kKeys) {
        if (key == qtKey) {
            Queue({registerKey});
            return true;
        }
    }
    if (text.size() == 1 && text[0].unicode() > ' ' && text[0].unicode() < 256) {
        Queue({RegisterKey::Character, text[0].unicode()});
        return true;
    }
    return false;
}

// A left click selects the row under the mouse, a right click selects it and shows its
// settings, a double click selects it and counts it up.
bool TRegisterWindow::MouseUsed(QEvent* event)
{
    auto* mouse = static_cast<QMouseEvent*>(event);
    const int row = list_->indexAt(mouse->position().toPoint()).row();
    if (event->type() == QEvent::MouseButtonDblClick && mouse->button() == Qt::LeftButton) {
        // The field under the mouse, also where no press came before the double click.
        if (row >= 0)
            Queue({RegisterKey::Click, row});
        Queue({RegisterKey::Right});
        return true;
    }
    if (event->type() != QEvent::MouseButtonPress)
        return event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseMove;
    if (row >= 0)
        Queue({RegisterKey::Click, row});
    if (mouse->button() == Qt::RightButton && row >= 0)
        Queue({RegisterKey::Space});
    return true;
}

bool TRegisterWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && KeyPressed(key->key(), key->text()))
            return true;
    }
    if (watched == list_->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            return MouseUsed(event);
        default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace quarry

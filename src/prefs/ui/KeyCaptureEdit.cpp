#include "prefs/ui/KeyCaptureEdit.h"

#include "editorsettings/TKeyboardActionContoller.h"
#include "editor/ui/TKeyMap.h"
#include "platform/ui/QtUserInterface.h"
#include "prefs/ShortCutText.h"

#include <QKeyEvent>

namespace quarry {

KeyCaptureEdit::KeyCaptureEdit(QWidget* parent) : QLineEdit(parent)
{
    setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
}

void KeyCaptureEdit::SetStroke(TShortCut stroke)
{
    stroke_ = stroke;
    setText(stroke ? toQt(ShortCutText(stroke)) : QString());
    Q_EMIT strokeChanged(stroke);
}

bool KeyCaptureEdit::event(QEvent* event)
{
    // Short-cuts and focus keys would never reach keyPressEvent otherwise.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QLineEdit::event(event);
}

void KeyCaptureEdit::keyPressEvent(QKeyEvent* event)
{
    const std::uint16_t key = TKeyMap::VirtualKey(event->key(), event->modifiers());
    // A modifier alone is half a stroke; wait for the key it goes with.
    if (key == 0 || key == 0x10 || key == 0x11 || key == 0x12 || key == 0x5B) {
        event->accept();
        return;
    }
    SetStroke(TKeyboardActionContoller::Stroke(key, TKeyMap::Shift(event->modifiers())));
    event->accept();
}

}  // namespace quarry

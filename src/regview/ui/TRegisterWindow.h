#pragma once
#include "regview/RegisterKeyQueue.h"
#include "regview/RegisterView.h"

#include <QWidget>

class QEventLoop;
class QLabel;
class QListWidget;

namespace quarry {

class TabStopHeader;

// The register window: the chosen register's bit fields in a list (bits, description, value,
// meaning), the register value, the current field's access and the help texts. Its key and
// mouse handlers only fill the key queue; the register run takes the keys and tells the window
// what to show.
class TRegisterWindow final : public QWidget, public RegisterView {
    Q_OBJECT
public:
    explicit TRegisterWindow(QWidget* parent = nullptr);
    ~TRegisterWindow() override;

    // RegisterView
    void Open(const std::string& registerText, const std::vector<std::string>& rows) override;
    void SetRow(int index, const std::string& row) override;
    void SetCurrent(int index, FieldAccess access) override;
    void SetValueText(const std::string& text) override;
    QueuedKey NextKey() override;
    void Close() override;
    void BringToFront() override;

    QListWidget* ListBox1() const { return list_; }
    QLabel* ValueLabel() const { return valueLabel_; }
    QLabel* ReadWriteType() const { return readWriteType_; }
    QLabel* RegisterLabel() const { return registerLabel_; }
    TabStopHeader* Header() const { return header_; }
    // "Fixedsys", or the system's fixed-pitch font where that face is missing.
    static QFont ListFont();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Queue(QueuedKey key);
    bool KeyPressed(int key, const QString& text);
    bool MouseUsed(QEvent* event);

    QLabel* registerLabel_;
    TabStopHeader* header_;
    QListWidget* list_;
    QLabel* valueLabel_;
    QLabel* readWriteType_;
    RegisterKeyQueue queue_;
    QEventLoop* waiting_ = nullptr;
};

}  // namespace quarry

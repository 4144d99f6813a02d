#pragma once
#include "app/PickTypeAhead.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <string>

class QLabel;
class QListView;

namespace quarry {

// The general list chooser: a stay-on-top window with a virtual list whose item texts come from
// a callback, type-ahead selection shown beside the buttons, OK (Enter, double click) and Cancel
// (Esc). The window list, the help-file chooser and the register viewer pick through it.
class TPickWIndow1 final : public QDialog {
    Q_OBJECT
public:
    using ItemText = std::function<std::string(int index)>;

    explicit TPickWIndow1(QWidget* parent = nullptr);
    ~TPickWIndow1() override;

    // Shows the list modally; `index` in is the entry selected at first (-1 none), out the
    // entry chosen. True when the user chose one (OK, Enter or a double click).
    bool Pick(const ItemText& itemText, int count, const std::string& caption, int& index);

    QListView* ListBox1() const { return list_; }
    QLabel* HotKeyText() const { return hotKeyText_; }
    // Type-ahead as the list box feeds it (also reachable for tests).
    void TypeAhead(char c);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Model;

    QListView* list_;
    QLabel* hotKeyText_;
    Model* model_;
    std::unique_ptr<PickTypeAhead> typeAhead_;
};

}  // namespace quarry

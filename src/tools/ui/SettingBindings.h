#pragma once
#include <QObject>

#include <functional>
#include <string>
#include <vector>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QWidget;

namespace quarry {

// Ties controls to the settings they hold: every change a user makes is written to the setting
// at once (the settings are the controls' live values), and Load puts the settings' current
// values back into the controls, after a snapshot was read back for instance.
class SettingBindings final {
public:
    void Check(QAbstractButton* box, bool& value);
    // A new check box with that name and caption, bound to the value.
    QCheckBox* NewCheck(QWidget* parent, const QString& name, const char* caption, bool& value);
    void Text(QLineEdit* edit, std::string& value);
    // A list's text, one of its entries.
    void Choice(QComboBox* list, std::string& value);
    // Radio buttons standing for the indexes 0, 1, ...
    void Index(std::vector<QAbstractButton*> radios, int& value);

    void Load();

private:
    std::vector<std::function<void()>> loaders_;
    bool loading_ = false;
};

}  // namespace quarry

#include "tools/ui/SettingBindings.h"

#include "platform/ui/QtUserInterface.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace quarry {

void SettingBindings::Check(QAbstractButton* box, bool& value)
{
    QObject::connect(box, &QAbstractButton::toggled, box, [this, &value](bool on) {
        if (!loading_)
            value = on;
    });
    loaders_.push_back([box, &value] { box->setChecked(value); });
}

QCheckBox* SettingBindings::NewCheck(QWidget* parent, const QString& name, const char* caption, bool& value)
{
    auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
    box->setObjectName(name);
    Check(box, value);
    return box;
}

void SettingBindings::Text(QLineEdit* edit, std::string& value)
{
    QObject::connect(edit, &QLineEdit::textChanged, edit, [this, &value](const QString& text) {
        if (!loading_)
            value = fromQt(text);
    });
    loaders_.push_back([edit, &value] { edit->setText(toQt(value)); });
}

void SettingBindings::Choice(QComboBox* list, std::string& value)
{
    QObject::connect(list, &QComboBox::currentTextChanged, list, [this, &value](const QString& text) {
        if (!loading_)
            value = fromQt(text);
    });
    loaders_.push_back([list, &value] {
        const int index = list->findText(toQt(value));
        if (index >= 0)
            list->setCurrentIndex(index);
    });
}

void SettingBindings::Index(std::vector<QAbstractButton*> radios, int& value)
{
    for (std::size_t i = 0; i < radios.size(); ++i)
        QObject::connect(radios[i], &QAbstractButton::toggled, radios[i], [this, &value, i](bool on) {
            if (on && !loading_)
                value = static_cast<int>(i);
        });
    loaders_.push_back([radios, &value] {
        if (value >= 0 && value < static_cast<int>(radios.size()))
            radios[static_cast<std::size_t>(value)]->setChecked(true);
    });
}

void SettingBindings::Load()
{
    loading_ = true;
    for (const auto& load : loaders_)
        load();
    loading_ = false;
}

}  // namespace quarry

#include "prefs/ui/TKeyAssignDialog.h"

#include "prefs/ui/KeyCaptureEdit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace quarry {

namespace {

const char* const kStepPrompts[] = {
    "Press the first key combination until the correct key sequence appears then press the NEXT button",
    "If the key sequence requires a 2nd key press then enter the key now. Press the FINISH button to accept changes",
};

}  // namespace

TKeyAssignDialog::TKeyAssignDialog(QWidget* parent)
    : QDialog(parent),
      Prompt(new QLabel(this)),
      Steps(new QStackedWidget(this)),
      FirstKey(new KeyCaptureEdit(Steps)),
      SecondKey(new KeyCaptureEdit(Steps)),
      BackButton(new QPushButton(QStringLiteral("< Back"), this)),
      NextButton(new QPushButton(this)),
      ClearButton(new QPushButton(QStringLiteral("Clear"), this)),
      CancelButton(new QPushButton(QStringLiteral("Cancel"), this))
{
    setObjectName(QStringLiteral("KeyAssignDialog"));
    setWindowTitle(QStringLiteral("Key Assignment"));
    FirstKey->setObjectName(QStringLiteral("FirstKey"));
    SecondKey->setObjectName(QStringLiteral("SecondKey"));
    Prompt->setWordWrap(true);
    Prompt->setMinimumHeight(Prompt->fontMetrics().lineSpacing() * 3);
    Steps->addWidget(FirstKey);
    Steps->addWidget(SecondKey);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ClearButton);
    buttons->addStretch();
    for (auto* button : {BackButton, NextButton, CancelButton}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    ClearButton->setAutoDefault(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Prompt);
    layout->addWidget(Steps);
    layout->addLayout(buttons);
    resize(420, sizeHint().height());

    connect(BackButton, &QPushButton::clicked, this, [this] { ShowStep(1); });
    connect(NextButton, &QPushButton::clicked, this, &TKeyAssignDialog::NextClick);
    connect(ClearButton, &QPushButton::clicked, this, [this] {
        (Step() == 1 ? FirstKey : SecondKey)->SetStroke(0);
    });
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(FirstKey, &KeyCaptureEdit::strokeChanged, this, [this] { NextButton->setEnabled(FirstKey->Stroke() != 0); });
}

std::optional<KeyAssignments::Sequence> TKeyAssignDialog::Execute(KeyAssignments::Sequence initial)
{
    FirstKey->SetStroke(initial.first);
    SecondKey->SetStroke(initial.second);
    ShowStep(1);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return Result();
}

int TKeyAssignDialog::Step() const { return Steps->currentIndex() + 1; }

KeyAssignments::Sequence TKeyAssignDialog::Result() const
{
    // A second stroke is matched without its modifiers.
    return {FirstKey->Stroke(), TShortCut(SecondKey->Stroke() & 0xFF)};
}

void TKeyAssignDialog::ShowStep(int step)
{
    Steps->setCurrentIndex(step - 1);
    Prompt->setText(QString::fromLatin1(kStepPrompts[step - 1]));
    NextButton->setText(step == 1 ? QStringLiteral("Next >") : QStringLiteral("Finish"));
    NextButton->setEnabled(FirstKey->Stroke() != 0);
    BackButton->setEnabled(step == 2);
    (step == 1 ? FirstKey : SecondKey)->setFocus();
}

void TKeyAssignDialog::NextClick()
{
    if (Step() == 1)
        ShowStep(2);
    else
        accept();
}

}  // namespace quarry

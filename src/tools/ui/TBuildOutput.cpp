#include "tools/ui/TBuildOutput.h"

#include "tools/ToolTexts.h"
#include "tools/ui/TOutputView.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace quarry {

namespace {

constexpr int kRepaintMs = 50;

}  // namespace

TBuildOutput::TBuildOutput(QWidget* parent)
    : QWidget(parent), view_(new TOutputView(log_, this)), stop_(new QToolButton(this)), clear_(new QToolButton(this))
{
    setObjectName(QStringLiteral("BuildOutput"));
    stop_->setObjectName(QStringLiteral("StopToolButton"));
    stop_->setText(QStringLiteral("Stop"));
    stop_->setIcon(style()->standardIcon(QStyle::SP_BrowserStop));
    stop_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    stop_->setToolTip(QStringLiteral("Stop the running tool"));
    stop_->setEnabled(false);
    clear_->setObjectName(QStringLiteral("ClearOutputButton"));
    clear_->setText(QStringLiteral("Clear"));
    clear_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    connect(stop_, &QToolButton::clicked, this, &TBuildOutput::stopRequested);
    connect(clear_, &QToolButton::clicked, this, &TBuildOutput::Clear);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(stop_);
    buttons->addWidget(clear_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addLayout(buttons);
    layout->addWidget(view_);

    // Painting follows the output a few times a second, and rests while nothing arrives.
    repaint_.setInterval(kRepaintMs);
    connect(&repaint_, &QTimer::timeout, this, [this] {
        if (!view_->Refresh())
            repaint_.stop();
    });
}

void TBuildOutput::SetRunning(bool running) { stop_->setEnabled(running); }

void TBuildOutput::Flush() { view_->Refresh(); }

void TBuildOutput::Clear()
{
    log_.Clear();
    Flush();
}

void TBuildOutput::ToolStarted(int, const std::string& commandLine)
{
    log_.AppendLine(OutputLog::Kind::Command, tooltexts::commandShown(commandLine));
    Flush();
    emit toolStarted();
}

void TBuildOutput::ToolFailed(const std::string& commandLine, int error)
{
    log_.AppendLine(OutputLog::Kind::Command, tooltexts::commandShown(commandLine));
    log_.AppendLine(OutputLog::Kind::Note, tooltexts::startFailureShown(error));
    Flush();
    emit toolStarted();
}

void TBuildOutput::ToolOutput(int, ChildProcess::Stream stream, std::string_view bytes)
{
    log_.Append(stream == ChildProcess::Stream::Error ? OutputLog::Kind::Error : OutputLog::Kind::Output, bytes);
    if (!repaint_.isActive())
        repaint_.start();
}

void TBuildOutput::ToolEnded(int, const ChildProcess::Ending& ending)
{
    log_.AppendLine(OutputLog::Kind::Note, tooltexts::endingShown(ending));
    Flush();
}

}  // namespace quarry

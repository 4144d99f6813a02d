#pragma once
#include <QIcon>
#include <QString>

namespace quarry {

// The tool-bar pictures, drawn in code so that the program ships no image files. Each is
// keyed by the object name of its button; an unknown name gives a plain frame.
class ToolIcons final {
public:
    static QIcon forButton(const QString& buttonName);
    static constexpr int kSize = 20;
};

}  // namespace quarry

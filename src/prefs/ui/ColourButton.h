#pragma once
// A colour button: shows its colour and drops down a palette of the sixteen basic colours with
// "&Other" for the standard colour dialog. Colours are blue-green-red values as the settings keep
// them; a system colour shows as the palette resolves it.
#include <QToolButton>

#include <cstdint>

namespace quarry {

class ColourButton final : public QToolButton {
    Q_OBJECT
public:
    explicit ColourButton(const QString& caption, QWidget* parent = nullptr);

    std::uint32_t Colour() const { return colour_; }
    // Shows the colour; `changed` only when the user chose it.
    void SetColour(std::uint32_t colour);
    // As if the user chose it.
    void ChooseColour(std::uint32_t colour);

Q_SIGNALS:
    void colourChosen(std::uint32_t colour);

private:
    void OtherClick();
    void UpdateSwatch();

    std::uint32_t colour_ = 0;
};

}  // namespace quarry

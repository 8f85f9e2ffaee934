#pragma once
// The station's colours, named once: the style sheet and the manual window
// take them from here, and every text/background pair the operator reads is
// listed so that its contrast can be checked.

#include <QList>
#include <QString>

namespace StationColours {

struct Rgb
{
    int r, g, b;
    QString css() const { return QStringLiteral("rgb(%1, %2, %3)").arg(r).arg(g).arg(b); }
};

// clang-format off
inline constexpr Rgb Window{76, 76, 88};
inline constexpr Rgb WindowText{200, 200, 255};
inline constexpr Rgb Border{200, 200, 222};
inline constexpr Rgb Field{56, 56, 68};
inline constexpr Rgb FieldAlternate{66, 66, 78};
inline constexpr Rgb FieldText{255, 255, 255};
inline constexpr Rgb DisabledField{76, 76, 88};
inline constexpr Rgb DisabledFieldText{192, 192, 204};
inline constexpr Rgb Selection{40, 90, 160};
inline constexpr Rgb SelectionText{255, 255, 255};
inline constexpr Rgb Link{135, 190, 255};
inline constexpr Rgb ButtonTop{86, 86, 98};
inline constexpr Rgb ButtonBottom{36, 36, 48};
inline constexpr Rgb ButtonText{215, 215, 255};
inline constexpr Rgb ButtonPressed{176, 176, 188};
inline constexpr Rgb ButtonPressedText{20, 20, 40};
inline constexpr Rgb ButtonChecked{147, 146, 158};
inline constexpr Rgb ButtonCheckedText{20, 20, 40};
inline constexpr Rgb ButtonDisabled{66, 66, 78};
inline constexpr Rgb ButtonDisabledText{184, 184, 196};
// The manual's find field: typed text on white, green (found) and red (not found).
inline constexpr Rgb FindText{0, 0, 0};
inline constexpr Rgb FindEmpty{255, 255, 255};
inline constexpr Rgb FindFound{127, 255, 127};
inline constexpr Rgb FindMissing{255, 127, 127};
// clang-format on

struct Pair
{
    const char *name;
    Rgb text;
    Rgb background;
};

// Every text/background pair of the style sheet and the manual window.
QList<Pair> textPairs();

// Contrast ratio of two colours as the WCAG defines it, 1 to 21.
double contrast(const Rgb &a, const Rgb &b);

} // namespace StationColours

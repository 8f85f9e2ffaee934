#include "app/StationColours.h"

#include <algorithm>
#include <cmath>

namespace StationColours {

namespace {

double luminance(const Rgb &c)
{
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.r) + 0.7152 * channel(c.g) + 0.0722 * channel(c.b);
}

} // namespace

double contrast(const Rgb &a, const Rgb &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QList<Pair> textPairs()
{
    return {
        { "window text", WindowText, Window },
        { "field text", FieldText, Field },
        { "alternate row text", FieldText, FieldAlternate },
        { "disabled field text", DisabledFieldText, DisabledField },
        { "selected text", SelectionText, Selection },
        { "manual link", Link, Field },
        { "button text, top", ButtonText, ButtonTop },
        { "button text, bottom", ButtonText, ButtonBottom },
        { "header text", WindowText, ButtonBottom },
        { "pressed button text", ButtonPressedText, ButtonPressed },
        { "checked button text", ButtonCheckedText, ButtonChecked },
        { "disabled button text", ButtonDisabledText, ButtonDisabled },
        { "find field, empty", FindText, FindEmpty },
        { "find field, found", FindText, FindFound },
        { "find field, not found", FindText, FindMissing },
    };
}

} // namespace StationColours

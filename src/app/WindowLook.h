#pragma once

#include "platform/Text.h"
#include "settings/SkinColours.h"

#include <QColor>
#include <QLabel>
#include <QString>
#include <algorithm>
#include <optional>
#include <string>

// Small helpers the main window's parts share for colours and captions.
namespace plandeck::window {

inline QColor Colour(const std::optional<long>& value, const QColor& designed) {
    return value ? FromColourNumber(*value) : designed;
}

inline QColor ColourText(const std::optional<std::string>& text, const QColor& designed) {
    if (!text)
        return designed;
    auto value = ColourValue(*text);
    return value ? FromColourNumber(*value) : designed;
}

// The colour goes into the label's palette: a style sheet would restyle the label each time it is set.
inline void SetTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

// A label that shows as much of its text as fits, ending in "…" when cut; the whole text stays in a property
// so the label can be fitted again after a resize, and shows as the tooltip while it is cut.
inline void SetFittedText(QLabel* label, const QString& text) {
    label->setProperty("fullText", text);
    const QString fitted = label->fontMetrics().elidedText(text, Qt::ElideRight, std::max(0, label->width()));
    label->setText(fitted);
    label->setToolTip(fitted == text ? QString() : text);
}

inline void FitText(QLabel* label) {
    const QVariant full = label->property("fullText");
    if (full.isValid())
        SetFittedText(label, full.toString());
}

// Whether a skin draws light text on dark ground.
inline bool IsDark(const QColor& foreground) {
    return foreground.lightness() > 128;
}

} // namespace plandeck::window

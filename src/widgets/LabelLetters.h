#pragma once

#include <QFont>
#include <QLabel>

namespace plandeck {

// A label's letters at `pixels`, set only when they change: a new font lays the text out again.
inline void SetPixelSize(QLabel* label, int pixels) {
    if (label->font().pixelSize() == pixels)
        return;
    QFont f = label->font();
    f.setPixelSize(pixels);
    label->setFont(f);
}

} // namespace plandeck

#include "settings/ui/WindowPalette.h"

#include "settings/ui/SkinPictures.h"

#include <QApplication>

namespace plandeck {

namespace {

SkinPalette& Shown() {
    static SkinPalette palette = PaletteOfSkin(SkinColours{});
    return palette;
}

} // namespace

QPalette ToQPalette(const SkinPalette& c) {
    auto colour = [](long value) { return SkinColour(value); };
    const QColor window = colour(c.window);
    const QColor button = colour(c.button);
    QPalette p(colour(c.windowText), button, button.lighter(115), button.darker(130), button.darker(115),
               colour(c.text), colour(c.windowText), colour(c.base), window);
    p.setColor(QPalette::ButtonText, colour(c.buttonText));
    p.setColor(QPalette::AlternateBase, colour(c.alternateBase));
    p.setColor(QPalette::Highlight, colour(c.highlight));
    p.setColor(QPalette::HighlightedText, colour(c.highlightedText));
    p.setColor(QPalette::Link, colour(c.link));
    p.setColor(QPalette::LinkVisited, colour(c.link));
    p.setColor(QPalette::ToolTipBase, colour(c.toolTipBase));
    p.setColor(QPalette::ToolTipText, colour(c.toolTipText));
    p.setColor(QPalette::PlaceholderText, colour(c.disabledText));
    p.setColor(QPalette::Shadow, c.dark ? QColor(Qt::black) : colour(c.frame).darker(150));
    p.setColor(QPalette::Mid, colour(c.frame));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, colour(c.disabledText));
    p.setColor(QPalette::Disabled, QPalette::Base, window);
    p.setColor(QPalette::Disabled, QPalette::Highlight, colour(c.frame));
    return p;
}

void ApplySkinPalette(const SkinColours& colours) {
    Shown() = PaletteOfSkin(colours);
    QApplication::setPalette(ToQPalette(Shown()));
}

const SkinPalette& ShownSkinPalette() {
    return Shown();
}

} // namespace plandeck

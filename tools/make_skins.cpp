// Draws Plandeck's shipped pictures: the two skins ("Default" and "Midnight"), the options window's header
// and the about logo; and renders a contact sheet of the shipped skins for review.
//
//   make_skins pictures <folder>           writes a data-folder tree (pdskins/, pdfiles/, help/) into <folder>.
//                                          Pictures that ship as GIF are written as "<name>.gif.png" with
//                                          on/off transparency; tools/make_assets.sh turns them into GIF.
//   make_skins sheet <data folder> <png>   draws every picture of every installed skin onto one sheet.
//
// Run tools/make_assets.sh rather than this program directly.

#include "base/DataDirectory.h"
#include "settings/Skin.h"
#include "settings/SkinColours.h"
#include "settings/ui/SkinPictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>

namespace {

using namespace plandeck;

// The window the pictures are drawn for: 798 x 576 inside (the smallest main window), a 117-pixel header, a
// 90-pixel left panel and the 708 x 443 grid picture beside it, a 16-pixel bar at the bottom.
constexpr int kWindowWidth = 798;
constexpr int kWindowHeight = 576;
constexpr int kHeaderHeight = 117;
constexpr int kPanelWidth = 90;
constexpr int kGridWidth = 708;
constexpr int kGridHeight = 443;
constexpr int kBottomHeight = 16;

struct Palette {
    QString name;
    QString description;
    QColor surface;     // header, left panel, button strip, bottom bar
    QColor border;      // hairlines between areas
    QColor grid;        // inside of the hour grid
    QColor card;        // category panel, today's card
    QColor cardHeader;  // top band of today's card
    QColor paper;       // month calendar and today window: the skin's card colour, as their day numbers and
                        // labels take the skin's text colour
    QColor paperHeader; // top band of the month calendar
    QColor paperRule;   // lines between calendar rows
    QColor chip;        // a button at rest
    QColor icon;        // glyphs at rest
    QColor accent;      // pressed buttons, today
    QColor accentSoft;  // wizard header, today's day header
    QColor onAccent;    // glyphs on the accent colour
    QColor dayHeader;   // header of the other days
    QColor clockFace;
    QColor clockMinor;                  // small ticks of the clock
    QColor grip;                        // the resize grip on the (pastel) note tiles
    std::array<QString, 22> colourList; // colors.txt, line by line
};

// A colour as the data files write it: red + 256 x green + 65536 x blue, in decimal.
QString Dec(const char* hex) {
    QColor c(hex);
    return QString::number(c.red() + 256 * c.green() + 65536 * c.blue());
}

Palette DefaultPalette() {
    Palette p;
    p.name = "Default";
    p.description = "Light and calm, for working by day";
    p.surface = QColor("#F4F6F9");
    p.border = QColor("#DCE1E9");
    p.grid = QColor("#FFFFFF");
    p.card = QColor("#FFFFFF");
    p.cardHeader = QColor("#EAF0FB");
    p.paper = QColor("#FFFFFF");
    p.paperHeader = QColor("#EAF0FB");
    p.paperRule = QColor("#EEF1F5");
    p.chip = QColor("#E5EAF1");
    p.icon = QColor("#435064");
    p.accent = QColor("#2F6FEB");
    p.accentSoft = QColor("#E6EEFD");
    p.onAccent = QColor("#FFFFFF");
    p.dayHeader = QColor("#F7F9FB");
    p.clockFace = QColor("#FFFFFF");
    p.clockMinor = QColor("#B3BCC9");
    p.grip = QColor("#4A5568");
    p.colourList = {
        Dec("#1E2633"), // 1 title
        Dec("#1E2633"), // 2 window titles
        Dec("#5E6B7D"), // 3
        Dec("#2563D9"), // 4 today's weekday, day and month (readable on the card's band too)
        Dec("#4A5568"), // 5 hour labels and day headers
        Dec("#EEF4FE"), // 6 row lines / today's column
        Dec("#5E6B7D"), // 7 years
        Dec("#5E6B7D"), // 8 hint line
        Dec("#2563D9"), // 9 about and web address (readable on the surface)
        Dec("#374151"), // 10
        Dec("#1E2633"), // 11 commands, add and del
        Dec("#1E2633"), // 12 clock hands
        Dec("#1E2633"), // 13 month calendar heading and weekdays
        Dec("#E3E8EF"), // 14 hour lines
        "False",        // 15 left panel picture keeps its height
        Dec("#F4F6F9"), // 16 hint line background
        Dec("#F6F8FD"), // 17 working span 0
        Dec("#FDF8EE"), // 18 working span 1
        Dec("#F1F9F3"), // 19 working span 2
        Dec("#FAF4FB"), // 20 working span 3
        Dec("#2F6FEB"), // 21 note menu highlight
        Dec("#1E2633"), // 22 note menu items
    };
    return p;
}

Palette MidnightPalette() {
    Palette p;
    p.name = "Midnight";
    p.description = "Dark and quiet, easy on the eyes at night";
    p.surface = QColor("#1B1F28");
    p.border = QColor("#2C323E");
    p.grid = QColor("#151922");
    p.card = QColor("#232833");
    p.cardHeader = QColor("#2B3243");
    p.paper = QColor("#232833");
    p.paperHeader = QColor("#2B3243");
    p.paperRule = QColor("#2C323E");
    p.chip = QColor("#272D39");
    p.icon = QColor("#B8C1CE");
    p.accent = QColor("#5B8DEF");
    p.accentSoft = QColor("#22304B");
    p.onAccent = QColor("#FFFFFF");
    p.dayHeader = QColor("#1D222C");
    p.clockFace = QColor("#232935");
    p.clockMinor = QColor("#596476");
    p.grip = QColor("#3F4A5C");
    p.colourList = {
        Dec("#E4E8EF"), // 1 title
        Dec("#E4E8EF"), // 2 window titles
        Dec("#98A3B3"), // 3
        Dec("#8FB3FF"), // 4 today's weekday, day and month
        Dec("#B8C1CE"), // 5 hour labels and day headers
        Dec("#1A2437"), // 6 row lines / today's column
        Dec("#98A3B3"), // 7 years
        Dec("#98A3B3"), // 8 hint line
        Dec("#8FB3FF"), // 9 about and web address
        Dec("#C8D0DB"), // 10
        Dec("#E4E8EF"), // 11 commands, add and del
        Dec("#E4E8EF"), // 12 clock hands
        Dec("#E4E8EF"), // 13 month calendar heading, weekdays and days
        Dec("#262C38"), // 14 hour lines
        "True",         // 15 left panel picture takes the whole height
        Dec("#1B1F28"), // 16 hint line background
        Dec("#19202D"), // 17 working span 0
        Dec("#221F1A"), // 18 working span 1
        Dec("#18221D"), // 19 working span 2
        Dec("#201B25"), // 20 working span 3
        Dec("#8FB3FF"), // 21 note menu highlight
        Dec("#E4E8EF"), // 22 note menu items
    };
    return p;
}

// ---- drawing helpers ------------------------------------------------------------------------------------

QImage Canvas(int w, int h, QColor fill = Qt::transparent) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

void Smooth(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

QPen Stroke(QColor c, double width) {
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A GIF pixel is either fully shown or fully transparent. Edge pixels that are mostly covered are blended
// with `matte`, the colour the picture is meant to sit on, so edges stay smooth there.
QImage ForGif(const QImage& source, QColor matte) {
    QImage in = source.convertToFormat(QImage::Format_ARGB32);
    QImage out(in.size(), QImage::Format_ARGB32);
    for (int y = 0; y < in.height(); ++y) {
        const QRgb* s = reinterpret_cast<const QRgb*>(in.constScanLine(y));
        QRgb* d = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < in.width(); ++x) {
            int a = qAlpha(s[x]);
            if (a < 110) {
                d[x] = qRgba(0, 0, 0, 0);
                continue;
            }
            double f = a / 255.0;
            auto mix = [&](int src, int bg) { return static_cast<int>(std::lround(src * f + bg * (1 - f))); };
            d[x] = qRgb(mix(qRed(s[x]), matte.red()), mix(qGreen(s[x]), matte.green()), mix(qBlue(s[x]), matte.blue()));
        }
    }
    return out;
}

QImage Opaque(const QImage& source) {
    return source.convertToFormat(QImage::Format_RGB32);
}

// ---- the pictures --------------------------------------------------------------------------------------

// Header of the main window, also the options window's background: flat, so it may be cut or stretched.
QImage Header(const Palette& pal) {
    QImage img = Canvas(1600, kHeaderHeight, pal.surface);
    QPainter p(&img);
    p.fillRect(0, kHeaderHeight - 1, img.width(), 1, pal.border);
    return img;
}

// The grid picture's background, stretched over the grid: the grid itself and a frame around it for the hour
// labels, the day headers and the button strip. Its edges sit under the lines the grid draws.
QImage GridBackground(const Palette& pal) {
    // The picture's region that is stretched over the grid is 705 x 443 pixels.
    QImage img = Canvas(705, kGridHeight, pal.surface);
    QPainter p(&img);
    const double sx = 705.0 / kGridWidth;
    int left = static_cast<int>(std::lround(780 / 15.0 * sx));
    int right = static_cast<int>(std::lround(10380 / 15.0 * sx));
    int top = static_cast<int>(std::lround(220 / 15.0));
    int bottom = static_cast<int>(std::lround(6200 / 15.0));
    p.fillRect(QRect(QPoint(left, top), QPoint(right, bottom)), pal.grid);
    return img;
}

QImage LeftPanel(const Palette& pal) {
    QImage img = Canvas(kPanelWidth, kGridHeight, pal.surface);
    QPainter p(&img);
    p.fillRect(kPanelWidth - 1, 0, 1, img.height(), pal.border);
    return img;
}

QImage BottomBar(const Palette& pal) {
    QImage img = Canvas(1600, kBottomHeight, pal.surface);
    QPainter p(&img);
    p.fillRect(0, 0, img.width(), 1, pal.border);
    return img;
}

// A rounded card with a band across its top, transparent around it.
QImage BandedCard(QSize size, QRectF card, double radius, double bandBottom, QColor fill, QColor band,
                  const Palette& pal) {
    QImage img = Canvas(size.width(), size.height());
    QPainter p(&img);
    Smooth(p);
    QPainterPath shape;
    shape.addRoundedRect(card, radius, radius);
    p.fillPath(shape, fill);
    p.save();
    p.setClipPath(shape);
    p.fillRect(QRectF(0, 0, size.width(), bandBottom), band);
    p.restore();
    p.setPen(QPen(pal.border, 1));
    p.drawPath(shape);
    return ForGif(img, pal.surface);
}

// Backdrop of the month calendar in the header (156 x 117 at the header's right, left of today's card): a
// strip for its caption on the header colour, then a card whose top band holds the arrows and the month. The
// day numbers take the skin's text colour, so the card has the skin's card colour.
QImage CalendarBackdrop(const Palette& pal) {
    return BandedCard({156, kHeaderHeight}, QRectF(0.5, 14.5, 155, 101.5), 8, 31, pal.paper, pal.paperHeader, pal);
}

// Card behind today's weekday, day and month at the header's right edge (112 x 109); its top band holds the
// caption and the second today button.
QImage TodayCard(const Palette& pal) {
    return BandedCard({112, 109}, QRectF(0.5, 0.5, 111, 108), 9, 21, pal.card, pal.cardHeader, pal);
}

// One week row of the month calendar: a faint rule under the row.
QImage CalendarRow(const Palette& pal) {
    QImage img = Canvas(105, 13);
    QPainter p(&img);
    p.fillRect(3, 12, 99, 1, pal.paperRule);
    return ForGif(img, pal.paper);
}

QImage CategoryCard(const Palette& pal) {
    QImage img = Canvas(kPanelWidth, 176);
    QPainter p(&img);
    Smooth(p);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(1.5, 1.5, 86, 172), 8, 8);
    p.fillPath(shape, pal.card);
    p.setPen(QPen(pal.border, 1));
    p.drawPath(shape);
    return ForGif(img, pal.surface);
}

// Day headers: a source region of 81 x 22 pixels is stretched over each column's header.
QImage DayHeader(const Palette& pal, bool today) {
    QImage img = Canvas(81, 22, today ? pal.accentSoft : pal.dayHeader);
    QPainter p(&img);
    if (today)
        p.fillRect(0, 20, 81, 2, pal.accent);
    return img;
}

QImage InfoIcon(const Palette& pal) {
    QImage img = Canvas(16, 16);
    QPainter p(&img);
    Smooth(p);
    p.setPen(Qt::NoPen);
    p.setBrush(pal.accent);
    p.drawEllipse(QPointF(8, 8), 7, 7);
    p.setBrush(pal.onAccent);
    p.drawEllipse(QPointF(8, 4.6), 1.15, 1.15);
    p.fillRect(QRectF(7.1, 6.8, 1.8, 5.4), pal.onAccent);
    return ForGif(img, pal.surface);
}

// Clock face for the header's left corner (118 x 117), centred where the window turns the hands, (59, 58).
// The minute hand is 29 pixels long, the hour hand 18.
QImage ClockFace(const Palette& pal, QColor hands) {
    QImage img = Canvas(118, kHeaderHeight);
    QPainter p(&img);
    Smooth(p);
    const QPointF c(59, 58);
    p.setPen(QPen(pal.border, 1.2));
    p.setBrush(pal.clockFace);
    p.drawEllipse(c, 37.5, 37.5);
    for (int i = 0; i < 12; ++i) {
        double a = i * M_PI / 6;
        QPointF dir(std::sin(a), -std::cos(a));
        bool major = i % 3 == 0;
        p.setPen(Stroke(major ? pal.icon : pal.clockMinor, major ? 2.4 : 1.6));
        p.drawLine(c + dir * (major ? 30.5 : 32.0), c + dir * 34.5);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(hands);
    p.drawEllipse(c, 3.2, 3.2);
    return ForGif(img, pal.surface);
}

// ---- buttons: 24 x 24, a rounded chip with a glyph; pressed = accent chip ----------------------------------

using Glyph = std::function<void(QPainter&, QColor)>;

QImage Button(const Palette& pal, bool pressed, const Glyph& glyph) {
    QImage img = Canvas(24, 24);
    QPainter p(&img);
    Smooth(p);
    QPainterPath chip;
    chip.addRoundedRect(QRectF(0.5, 0.5, 23, 23), 5.5, 5.5);
    p.fillPath(chip, pressed ? pal.accent : pal.chip);
    glyph(p, pressed ? pal.onAccent : pal.icon);
    return ForGif(img, pal.surface);
}

Glyph Chevron(double dx, double dy) {
    // A chevron pointing along (dx, dy), centred in the chip.
    return [dx, dy](QPainter& p, QColor c) {
        QPointF centre(12 + dx * 0.8, 12 + dy * 0.8);
        QPointF along(dx, dy), across(-dy, dx);
        QPointF tip = centre + along * 2.5;
        p.setPen(Stroke(c, 2.2));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({tip - along * 5 + across * 5, tip, tip - along * 5 - across * 5}));
    };
}

void TodayGlyph(QPainter& p, QColor c) {
    p.setPen(Stroke(c, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(5.5, 6.5, 13, 12), 2.2, 2.2);
    p.drawLine(QPointF(9, 4.5), QPointF(9, 7.5));
    p.drawLine(QPointF(15, 4.5), QPointF(15, 7.5));
    p.fillRect(QRectF(5.5, 9.6, 13, 1.6), c);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRoundedRect(QRectF(10, 12.6, 4, 3.6), 0.8, 0.8);
}

// Day, N-day and week view: a header line over one, three or seven day columns, on whole pixels.
Glyph Columns(int count) {
    return [count](QPainter& p, QColor c) {
        const int left = 3, width = 18, gap = 1;
        const int bar = count == 7 ? 2 : (width - gap * (count - 1)) / count;
        const int used = bar * count + gap * (count - 1);
        const int start = left + (width - used) / 2;
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillRect(QRect(start, 5, used, 2), c);
        QColor body = c;
        body.setAlphaF(0.6);
        for (int i = 0; i < count; ++i)
            p.fillRect(QRect(start + i * (bar + gap), 9, bar, 10), body);
        p.setRenderHint(QPainter::Antialiasing, true);
    };
}

// Back to the configured hours: an arrow going round.
void ResetGlyph(QPainter& p, QColor c) {
    QRectF ring(6.5, 6.5, 11, 11);
    QPainterPath arc;
    arc.arcMoveTo(ring, 100);
    arc.arcTo(ring, 100, 290);
    p.setPen(Stroke(c, 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    // Arrow head at the arc's start, pointing along its direction of travel.
    double a = 100 * M_PI / 180;
    QPointF start(12 + 5.5 * std::cos(a), 12 - 5.5 * std::sin(a));
    QPointF along(std::sin(a), std::cos(a));
    QPointF across(along.y(), -along.x());
    along = -along;
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(QPolygonF(
        {start + along * 1.5 + across * 0.2, start - along * 3.4 + across * 3.2, start - along * 3.4 - across * 3.2}));
}

// ---- commands: 24 x 24 glyphs on no background (the bar highlights the item behind them) -------------------

QImage Command(const Palette& pal, const Glyph& glyph) {
    QImage img = Canvas(24, 24);
    QPainter p(&img);
    Smooth(p);
    p.scale(0.75, 0.75); // the glyphs are drawn on a 32-pixel grid
    glyph(p, pal.icon);
    return ForGif(img, pal.surface);
}

Glyph NewNoteGlyph(QColor accent, QColor on) {
    return [accent, on](QPainter& p, QColor) {
        p.setPen(Qt::NoPen);
        p.setBrush(accent);
        p.drawEllipse(QPointF(16, 16), 12.5, 12.5);
        p.setPen(Stroke(on, 2.6));
        p.drawLine(QPointF(16, 10), QPointF(16, 22));
        p.drawLine(QPointF(10, 16), QPointF(22, 16));
    };
}

void GearGlyph(QPainter& p, QColor c) {
    QPainterPath gear;
    const QPointF centre(16, 16);
    const int teeth = 8;
    QPolygonF outline;
    for (int i = 0; i < teeth; ++i) {
        double base = i * 2 * M_PI / teeth;
        auto at = [&](double angle, double r) { return centre + QPointF(std::sin(angle) * r, -std::cos(angle) * r); };
        outline << at(base - 0.40, 9.6) << at(base - 0.22, 12.6) << at(base + 0.22, 12.6) << at(base + 0.40, 9.6);
    }
    gear.addPolygon(outline);
    gear.closeSubpath();
    gear.addEllipse(centre, 4.2, 4.2);
    gear.setFillRule(Qt::OddEvenFill);
    p.setPen(QPen(c, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(c);
    p.drawPath(gear);
}

void HelpGlyph(QPainter& p, QColor c) {
    p.setPen(Stroke(c, 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(16, 16), 12, 12);
    QPainterPath hook;
    hook.moveTo(12.2, 13.2);
    hook.cubicTo(12.2, 8.6, 20.2, 8.4, 20.0, 13.0);
    hook.cubicTo(19.8, 16.0, 16.0, 16.0, 16.0, 19.0);
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QPointF(16, 22.8), 1.6, 1.6);
}

void PowerGlyph(QPainter& p, QColor c) {
    QRectF ring(6.5, 7.5, 19, 19);
    QPainterPath arc;
    arc.arcMoveTo(ring, 125);
    arc.arcTo(ring, 125, 290);
    p.setPen(Stroke(c, 2.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    p.drawLine(QPointF(16, 4.5), QPointF(16, 15));
}

// ---- other windows -------------------------------------------------------------------------------------

QImage ResizeGrip(const Palette& pal) {
    QImage img = Canvas(16, 6);
    QPainter p(&img);
    p.fillRect(3, 1, 10, 1, pal.grip);
    p.fillRect(3, 4, 10, 1, pal.grip);
    return ForGif(img, pal.grip);
}

void CalendarPlusArt(QPainter& p, QColor c, QColor on, QPointF at, double size) {
    p.save();
    p.translate(at);
    p.scale(size / 48, size / 48);
    p.setPen(Stroke(c, 3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(6, 10, 36, 32), 5, 5);
    p.drawLine(QPointF(15, 5), QPointF(15, 14));
    p.drawLine(QPointF(33, 5), QPointF(33, 14));
    p.fillRect(QRectF(6, 18, 36, 3), c);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QPointF(34, 34), 10, 10);
    p.setPen(Stroke(on, 3));
    p.drawLine(QPointF(34, 28.5), QPointF(34, 39.5));
    p.drawLine(QPointF(28.5, 34), QPointF(39.5, 34));
    p.restore();
}

void PencilArt(QPainter& p, QColor c, QColor on, QPointF at, double size) {
    p.save();
    p.translate(at);
    p.scale(size / 48, size / 48);
    p.setPen(Stroke(c, 3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(6, 10, 32, 32), 5, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QPointF(34, 14), 12, 12);
    p.translate(34, 14);
    p.rotate(45);
    p.setBrush(on);
    p.drawRoundedRect(QRectF(-2.6, -8, 5.2, 12.5), 1.2, 1.2);
    p.drawPolygon(QPolygonF({QPointF(-2.6, 5.5), QPointF(2.6, 5.5), QPointF(0, 9.5)}));
    p.restore();
}

// The event wizard's header, and the same header for editing an existing note.
QImage WizardHeader(const Palette& pal, bool editing) {
    QImage img = Canvas(480, 64, pal.accentSoft);
    QPainter p(&img);
    Smooth(p);
    QColor ring = pal.accent;
    ring.setAlphaF(0.08);
    p.setPen(Qt::NoPen);
    p.setBrush(ring);
    p.drawEllipse(QPointF(430, 32), 54, 54);
    p.drawEllipse(QPointF(470, 6), 30, 30);
    if (editing)
        PencilArt(p, pal.accent, pal.onAccent, QPointF(404, 8), 48);
    else
        CalendarPlusArt(p, pal.accent, pal.onAccent, QPointF(404, 8), 48);
    p.fillRect(0, 63, 480, 1, pal.border);
    return ForGif(img, pal.accentSoft);
}

// Background of the today window (200 x 70 inside): headings on the left, lists on the right, in the skin's
// card colours; its labels take a colour that stands out on it.
QImage TodayBackground(const Palette& pal) {
    QImage img = Canvas(200, 70, pal.paper);
    QPainter p(&img);
    p.fillRect(0, 0, 62, 70, pal.paperHeader);
    p.fillRect(0, 0, 3, 70, pal.accent);
    p.fillRect(62, 0, 1, 70, pal.paperRule);
    p.fillRect(63, 35, 137, 1, pal.paperRule);
    return ForGif(img, pal.paper);
}

// ---- the window drawn from a skin's pictures: the preview, and the contact sheet's large view ----------------

using PictureSource = std::function<QImage(const QString& file)>;

void TextBar(QPainter& p, QRectF r, QColor c, double opacity = 0.55) {
    c.setAlphaF(opacity);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRoundedRect(r, r.height() / 2, r.height() / 2);
}

QColor ListColour(const std::optional<long>& value, QColor fallback) {
    return value ? SkinColour(*value) : fallback;
}

QImage MockWindow(const PictureSource& pic, const SkinColours& colours, bool tiles = true) {
    const int W = kWindowWidth, H = kWindowHeight;
    QImage img = Canvas(W, H, Qt::white);
    QPainter p(&img);
    Smooth(p);
    auto draw = [&](QRectF r, const QString& file) {
        QImage i = pic(file);
        if (!i.isNull())
            p.drawImage(r, i);
    };
    auto place = [&](QPointF at, const QString& file) {
        QImage i = pic(file);
        if (!i.isNull())
            p.drawImage(at, i);
    };
    QColor command = ListColour(colours.commandText, Qt::black);
    QColor gridText = ListColour(colours.gridForeColour, Qt::black);
    QColor hourLine = colours.hourLineColour && ColourValue(*colours.hourLineColour)
                          ? SkinColour(*ColourValue(*colours.hourLineColour))
                          : QColor(Qt::gray);
    QColor todayFill = colours.rowLineColour && ColourValue(*colours.rowLineColour)
                           ? SkinColour(*ColourValue(*colours.rowLineColour))
                           : QColor(Qt::white);
    QColor hands = ListColour(colours.clockHandColour, Qt::black);

    // Header: clock, title, command bar, month calendar, today's card (placed as the main window places them).
    draw(QRectF(0, 0, W, kHeaderHeight), "top.jpg");
    place(QPointF(0, 0), "clfon.gif");
    p.setPen(Stroke(hands, 2.0));
    p.drawLine(QPointF(59, 58), QPointF(59 + 29 * std::sin(M_PI * 60 / 180), 58 - 29 * std::cos(M_PI * 60 / 180)));
    p.setPen(Stroke(hands, 3.2));
    p.drawLine(QPointF(59, 58), QPointF(59 + 18 * std::sin(M_PI * 305 / 180), 58 - 18 * std::cos(M_PI * 305 / 180)));
    TextBar(p, QRectF(124, 16, 110, 14), ListColour(colours.label4Text, Qt::black), 0.85);
    TextBar(p, QRectF(126, 44, 90, 8), ListColour(colours.label10Text, Qt::gray));
    const char* commands[] = {"addi.gif", "opti.gif", "quei.gif", "exii.gif"};
    for (int i = 0; i < 4; ++i) {
        double x = 120 + i * 96;
        place(QPointF(x + 6, 76), commands[i]);
        TextBar(p, QRectF(x + 36, 84, 46, 8), command, 0.8);
    }
    place(QPointF(W - 274, 0), "rmenu.gif");
    TextBar(p, QRectF(W - 226, 4, 52, 7), ListColour(colours.panelTitleText, Qt::gray), 0.8);
    place(QPointF(W - 270, 10), "prevn.gif");
    place(QPointF(W - 146, 10), "nextn.gif");
    QColor gridHead = ListColour(colours.monthGridText, Qt::black);
    TextBar(p, QRectF(W - 232, 18, 72, 8), gridHead, 0.8);
    const double cellW = 148 / 7.0, cellH = 12;
    for (int c = 0; c < 7; ++c)
        TextBar(p, QRectF(W - 270 + c * cellW + 6, 33, 9, 4), gridHead, 0.6);
    for (int r = 0; r < 6; ++r) {
        draw(QRectF(W - 270, 43 + r * cellH, 148, cellH), "calf.gif");
        for (int c = 0; c < 7; ++c) {
            int day = r * 7 + c - 2;
            if (day < 1 || day > 31)
                continue;
            QRectF cell(W - 270 + c * cellW + 2, 44 + r * cellH, cellW - 4, cellH - 2);
            bool isToday = day == 16;
            if (isToday) {
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(128, 128, 255));
                p.drawRoundedRect(cell, 3, 3);
            }
            TextBar(p, QRectF(cell.x() + 5, cell.y() + 3.5, 7, 3.5), isToday ? Qt::white : Qt::black, 0.7);
        }
    }
    place(QPointF(W - 115, 4), "calfon.gif");
    TextBar(p, QRectF(W - 109, 12, 30, 6), ListColour(colours.panelTitleText, Qt::gray), 0.8);
    place(QPointF(W - 30, 6), "now.gif");
    QColor today = ListColour(colours.todayText, Qt::blue);
    TextBar(p, QRectF(W - 95, 31, 72, 8), today, 0.8);
    TextBar(p, QRectF(W - 74, 50, 30, 28), today, 0.9);
    TextBar(p, QRectF(W - 95, 91, 72, 8), today, 0.8);

    // Left panel with the category panel.
    draw(QRectF(0, kHeaderHeight, kPanelWidth, 190), "menu.jpg");
    draw(QRectF(0, kHeaderHeight + 190, kPanelWidth, kGridHeight - 190), "menu2.jpg");
    place(QPointF(0, kHeaderHeight), "catfon.gif");
    TextBar(p, QRectF(20, kHeaderHeight + 10, 50, 7), ListColour(colours.panelTitleText, Qt::gray), 0.8);
    const QColor categories[] = {QColor(159, 196, 248), QColor(182, 228, 176), QColor(255, 216, 165),
                                 QColor(247, 176, 196), QColor(212, 188, 250), QColor(255, 240, 158)};
    for (int r = 0; r < 6; ++r) {
        QRectF row(6, kHeaderHeight + 27 + r * 20, 70, 18);
        p.setPen(Qt::NoPen);
        p.setBrush(categories[r]);
        p.drawRoundedRect(row, 3, 3);
        TextBar(p, QRectF(row.x() + 18, row.y() + 6, 32, 5), Qt::black, 0.5);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(row.x() + 3, row.y() + 4, 10, 10), 2, 2);
    }
    TextBar(p, QRectF(12, kHeaderHeight + 153, 22, 6), command);
    TextBar(p, QRectF(52, kHeaderHeight + 153, 22, 6), command);

    // The grid picture: background, day headers, today's column, lines, tiles, buttons.
    const double gx = kPanelWidth, gy = kHeaderHeight;
    draw(QRectF(gx, gy, kGridWidth, kGridHeight), "fonsh.jpg");
    const int days = 7, todayColumn = 2, first = 8, last = 20;
    const double gridLeft = 52, gridTop = 520 / 15.0, gridBottom = 6200 / 15.0, gridRight = 692;
    const double colW = 640.0 / days, hourH = (gridBottom - gridTop) / (last - first);
    p.fillRect(QRectF(gx + gridLeft + todayColumn * colW, gy + gridTop, colW, gridBottom - gridTop), todayFill);
    for (int j = 0; j < days; ++j)
        draw(QRectF(gx + gridLeft + j * colW, gy + 220 / 15.0, colW + 0.67, gridTop - 220 / 15.0),
             j == todayColumn ? "dt.gif" : "dn.gif");
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(hourLine, 1));
    for (int j = 0; j <= days; ++j)
        p.drawLine(QPointF(gx + gridLeft + j * colW, gy + 229 / 15.0),
                   QPointF(gx + gridLeft + j * colW, gy + gridBottom));
    p.drawLine(QPointF(gx + gridLeft, gy + 229 / 15.0), QPointF(gx + gridRight, gy + 229 / 15.0));
    for (int k = 0; k <= last - first; ++k)
        p.drawLine(QPointF(gx + gridLeft, gy + gridTop + k * hourH), QPointF(gx + gridRight, gy + gridTop + k * hourH));
    p.setRenderHint(QPainter::Antialiasing, true);
    for (int k = 0; k <= last - first; ++k)
        TextBar(p, QRectF(gx + 24, gy + gridTop + k * hourH - 3, 20, 5), gridText, 0.6);
    for (int j = 0; j < days; ++j)
        TextBar(p, QRectF(gx + gridLeft + j * colW + 5, gy + 21, 50, 5), gridText, 0.7);
    if (tiles) {
        struct Tile {
            int column;
            double start, end;
            QColor colour;
        };
        const Tile list[] = {{0, 9, 10.5, categories[0]},  {1, 8.5, 9.5, categories[2]}, {2, 10, 12, categories[1]},
                             {2, 13, 14, categories[3]},   {3, 9, 11, categories[0]},    {4, 14.5, 16, categories[4]},
                             {5, 11, 12.5, categories[5]}, {6, 10, 13, categories[2]},   {1, 15, 16.5, categories[0]}};
        for (const Tile& t : list) {
            QRectF r(gx + gridLeft + t.column * colW + 1, gy + gridTop + (t.start - first) * hourH,
                     colW - 10 / 15.0 - 1, (t.end - t.start) * hourH);
            p.setPen(Qt::NoPen);
            p.setBrush(t.colour);
            p.drawRect(r);
            TextBar(p, QRectF(r.x() + 4, r.y() + 5, r.width() * 0.6, 4), Qt::black, 0.55);
            place(QPointF(r.x() + 2, r.bottom() - 100 / 15.0), "resize.gif");
        }
    }
    const double stripTop = gy + 6240 / 15.0;
    place(QPointF(gx + 84, stripTop), "prevn.gif");
    place(QPointF(gx + 108, stripTop), "ndd.gif");
    place(QPointF(gx + 144, stripTop), "ndfs.gif");
    place(QPointF(gx + 168, stripTop), "ndw.gif");
    place(QPointF(gx + 204, stripTop), "nextn.gif");
    place(QPointF(gx + 344, stripTop), "now.gif");
    place(QPointF(gx + 8500 / 15.0 - 24, stripTop), "hd.gif");
    place(QPointF(gx + 8500 / 15.0, stripTop), "ht.gif");
    place(QPointF(gx + 8500 / 15.0 + 24, stripTop), "hup.gif");

    // Bottom bar: about, hint line, web address.
    draw(QRectF(0, H - kBottomHeight, W, kBottomHeight), "bottom.gif");
    place(QPointF(4, H - kBottomHeight), "info.gif");
    TextBar(p, QRectF(26, H - 10, 160, 5), ListColour(colours.hintText, Qt::black));
    TextBar(p, QRectF(W - 123, H - 10, 100, 5), ListColour(colours.aboutText, Qt::blue));
    return img;
}

// ---- writing -------------------------------------------------------------------------------------------

bool WriteJpeg(const QImage& image, const QString& path) {
    QImageWriter writer(path, "jpeg");
    writer.setQuality(95);
    writer.setOptimizedWrite(true);
    if (!writer.write(Opaque(image))) {
        std::fprintf(stderr, "make_skins: cannot write %s: %s\n", qPrintable(path), qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

// A picture that ships as GIF is written as PNG for ImageMagick; it must not need more than 256 colours.
bool WriteForGif(const QImage& image, const QString& path) {
    QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    std::map<QRgb, int> colours;
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            colours[reinterpret_cast<const QRgb*>(argb.constScanLine(y))[x]] = 1;
    if (colours.size() > 256)
        std::fprintf(stderr, "make_skins: %s has %zu colours; GIF will reduce them\n", qPrintable(path),
                     colours.size());
    if (!argb.save(path + ".png", "png")) {
        std::fprintf(stderr, "make_skins: cannot write %s.png\n", qPrintable(path));
        return false;
    }
    return true;
}

bool WriteText(const QString& path, const QStringList& lines) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return f.write(bytes) == bytes.size();
}

std::map<QString, QImage> SkinPictures(const Palette& pal) {
    std::map<QString, QImage> pics;
    QImage header = Header(pal);
    pics["top.jpg"] = header;
    pics["top.gif"] = header;
    pics["fonsh.jpg"] = GridBackground(pal);
    pics["menu.jpg"] = LeftPanel(pal);
    pics["menu2.jpg"] = LeftPanel(pal);
    pics["bottom.gif"] = BottomBar(pal);
    pics["calfon.gif"] = TodayCard(pal);
    pics["rmenu.gif"] = CalendarBackdrop(pal);
    pics["catfon.gif"] = CategoryCard(pal);
    pics["dn.gif"] = DayHeader(pal, false);
    pics["dt.gif"] = DayHeader(pal, true);
    pics["info.gif"] = InfoIcon(pal);
    pics["clfon.gif"] = ClockFace(pal, SkinColour(ColourValue(pal.colourList[11].toStdString()).value_or(0)));
    pics["calf.gif"] = CalendarRow(pal);
    pics["addi.gif"] = Command(pal, NewNoteGlyph(pal.accent, pal.onAccent));
    pics["opti.gif"] = Command(pal, GearGlyph);
    pics["quei.gif"] = Command(pal, HelpGlyph);
    pics["exii.gif"] = Command(pal, PowerGlyph);
    const std::pair<const char*, Glyph> buttons[] = {
        {"now", TodayGlyph},   {"prev", Chevron(-1, 0)}, {"next", Chevron(1, 0)},
        {"ndd", Columns(1)},   {"ndf", Columns(3)},      {"ndw", Columns(7)},
        {"hd", Chevron(0, 1)}, {"ht", ResetGlyph},       {"hup", Chevron(0, -1)},
    };
    for (const auto& [name, glyph] : buttons) {
        QString n = name;
        // Back, forward and today carry "n" / "p" for their resting / pressed pictures, the others "s" when pressed.
        bool arrows = n == "prev" || n == "next";
        pics[(arrows ? n + "n" : n) + ".gif"] = Button(pal, false, glyph);
        pics[(arrows ? n : n == "now" ? n + "p" : n + "s") + ".gif"] = Button(pal, true, glyph);
    }
    pics["del.gif"] = WizardHeader(pal, true);
    pics["wiz.gif"] = WizardHeader(pal, false);
    pics["resize.gif"] = ResizeGrip(pal);
    pics["today.gif"] = TodayBackground(pal);
    return pics;
}

QImage Logo() {
    QImage img = Canvas(64, 64);
    QPainter p(&img);
    Smooth(p);
    QPainterPath tile;
    tile.addRoundedRect(QRectF(2, 2, 60, 60), 14, 14);
    p.fillPath(tile, QColor("#2F6FEB"));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(13, 16, 38, 34), 5, 5);
    p.setPen(Stroke(Qt::white, 3.2));
    p.drawLine(QPointF(22, 11), QPointF(22, 19));
    p.drawLine(QPointF(42, 11), QPointF(42, 19));
    p.setPen(Qt::NoPen);
    p.fillRect(QRectF(13, 23, 38, 1.5), QColor("#D5E2FB"));
    p.setBrush(QColor("#9FC4F8"));
    p.drawRoundedRect(QRectF(17, 27, 9, 12), 2, 2);
    p.setBrush(QColor("#FFC98A"));
    p.drawRoundedRect(QRectF(28, 32, 9, 14), 2, 2);
    p.setBrush(QColor("#9DDBA6"));
    p.drawRoundedRect(QRectF(39, 27, 8, 8), 2, 2);
    return ForGif(img, Qt::white);
}

QImage OptionsHeader() {
    QImage img = Canvas(560, 64);
    QPainter p(&img);
    Smooth(p);
    QLinearGradient band(0, 0, 560, 0);
    band.setColorAt(0, QColor("#2F6FEB"));
    band.setColorAt(1, QColor("#4C8DF6"));
    p.fillRect(img.rect(), band);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 22));
    p.drawEllipse(QPointF(505, 32), 60, 60);
    p.drawEllipse(QPointF(560, 0), 40, 40);
    p.save();
    p.translate(481, 8);
    p.scale(1.5, 1.5);
    GearGlyph(p, Qt::white);
    p.restore();
    return img;
}

int WritePictures(const QString& root) {
    bool ok = true;
    for (const Palette& pal : {DefaultPalette(), MidnightPalette()}) {
        QString folder = root + "/pdskins/" + pal.name;
        QDir().mkpath(folder);
        std::map<QString, QImage> pics = SkinPictures(pal);
        auto drawn = [&](const SkinPicture& picture) {
            for (std::string_view f : picture.files)
                if (!f.empty() && pics.count(QString::fromUtf8(f.data(), static_cast<int>(f.size()))))
                    return true;
            std::fprintf(stderr, "make_skins: nothing draws %s\n", std::string(picture.element).c_str());
            return false;
        };
        for (const SkinPicture& picture : kMainWindowPictures)
            ok &= drawn(picture);
        for (const StorePicture& store : kPictureStore)
            ok &= drawn({"store", {store.file, ""}});
        for (const SkinPicture* picture :
             {&kResizeGripPicture, &kWizardPicture, &kTodayWindowPicture, &kOptionsBackgroundPicture})
            ok &= drawn(*picture);
        for (const auto& [file, image] : pics)
            ok &=
                file.endsWith(".jpg") ? WriteJpeg(image, folder + "/" + file) : WriteForGif(image, folder + "/" + file);

        QStringList colourLines;
        for (const QString& l : pal.colourList)
            colourLines << l;
        ok &= WriteText(folder + "/colors.txt", colourLines);
        ok &= WriteText(root + "/pdskins/" + pal.name + ".pds", {pal.description});

        SkinColours colours = ParseSkinColours(colourLines.join("\r\n").toStdString());
        QImage window = MockWindow([&](const QString& f) { return pics.count(f) ? pics[f] : QImage(); }, colours);
        QImage preview = window.scaled(200, 144, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        ok &= WriteJpeg(preview, folder + "/" + pal.name + ".jpg");
    }
    QDir().mkpath(root + "/pdfiles");
    QDir().mkpath(root + "/help/files");
    ok &= WriteJpeg(OptionsHeader(), root + "/pdfiles/opt.jpg");
    ok &= WriteForGif(Logo(), root + "/help/files/logo2.gif");
    return ok ? 0 : 1;
}

// ---- the contact sheet ---------------------------------------------------------------------------------

QImage Checker(QSize size, QColor a, QColor b) {
    QImage img = Canvas(size.width(), size.height(), a);
    QPainter p(&img);
    for (int y = 0; y < size.height(); y += 6)
        for (int x = (y / 6) % 2 * 6; x < size.width(); x += 12)
            p.fillRect(x, y, 6, 6, b);
    return img;
}

int WriteSheet(const QString& dataRoot, const QString& out) {
    DataDirectory data(dataRoot.toStdString());
    std::vector<SkinEntry> skins = ListSkins(data.skinsFolder());
    const int sheetWidth = 1700;
    // Drawn on a tall canvas and cut to the height used.
    QImage sheet = Canvas(sheetWidth, 1600 * static_cast<int>(skins.size() + 1), QColor("#ECEEF1"));
    QPainter p(&sheet);
    Smooth(p);
    QFont title("DejaVu Sans");
    title.setPixelSize(22);
    title.setBold(true);
    QFont label("DejaVu Sans");
    label.setPixelSize(11);
    int y = 20;
    for (const SkinEntry& entry : skins) {
        Skin skin(data, entry.name);
        auto pic = [&](const QString& file) { return ReadPictureFile(skin.file(file.toStdString())); };
        SkinColours colours = LoadSkinColours(skin.colourList());
        QColor surface = ReadPictureFile(skin.file("bottom.gif")).pixelColor(5, 8);

        p.setFont(title);
        p.setPen(QColor("#1E2633"));
        p.drawText(QPointF(20, y + 24), QString::fromStdString(entry.name + ": " + entry.description));
        y += 40;
        QImage window = MockWindow(pic, colours);
        p.drawImage(QPointF(20, y), window);
        p.setPen(QColor("#9AA3AF"));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(19.5, y - 0.5, window.width() + 1, window.height() + 1));

        // Every picture at its own size (buttons also doubled), with its name and size under it: the small ones
        // beside the window, the wide ones under it.
        int flowLeft = 850, x = flowLeft, rowTop = y, rowHeight = 0;
        auto newRow = [&] {
            x = flowLeft;
            rowTop += rowHeight + 26;
            rowHeight = 0;
        };
        auto tile = [&](const QString& file, int zoom) {
            QImage img = pic(file);
            if (img.isNull())
                img = Canvas(24, 24, Qt::red);
            QSize shown = img.size() * zoom;
            if (shown.width() > 800) // the header and bottom bars are flat: half their width shows them well
                shown = img.size().scaled(800, 2000, Qt::KeepAspectRatio);
            if (x + shown.width() > sheetWidth - 20)
                newRow();
            QRect target(QPoint(x, rowTop), shown);
            p.drawImage(target.topLeft(),
                        Checker(shown, surface, surface.lighter(surface.lightness() < 128 ? 140 : 96)));
            p.drawImage(target, img);
            p.setFont(label);
            p.setPen(QColor("#3A4250"));
            p.drawText(QPointF(x, rowTop + shown.height() + 14),
                       QString("%1 %2x%3").arg(file).arg(img.width()).arg(img.height()));
            x += std::max(shown.width(), 88) + 14;
            rowHeight = std::max(rowHeight, shown.height());
        };
        for (const char* f :
             {"now.gif", "nowp.gif", "prevn.gif", "prev.gif", "nextn.gif", "next.gif", "ndd.gif", "ndds.gif", "ndf.gif",
              "ndfs.gif", "ndw.gif", "ndws.gif", "hd.gif", "hds.gif", "ht.gif", "hts.gif", "hup.gif", "hups.gif"})
            tile(f, 2);
        for (const char* f : {"addi.gif", "opti.gif", "quei.gif", "exii.gif", "info.gif", "resize.gif"})
            tile(f, 2);
        for (const char* f : {"clfon.gif", "calfon.gif", "calf.gif", "catfon.gif", "rmenu.gif", "dn.gif", "dt.gif"})
            tile(f, 1);
        newRow();
        rowTop = std::max(rowTop, y + window.height() + 20);
        flowLeft = x = 20;
        for (const char* f : {"today.gif", "wiz.gif", "del.gif", "menu.jpg", "menu2.jpg", "fonsh.jpg", "top.jpg",
                              "top.gif", "bottom.gif"})
            tile(f, 1);
        tile(QString::fromStdString(entry.name + ".jpg"), 1);
        y = rowTop + rowHeight + 50;
    }
    p.setFont(title);
    p.setPen(QColor("#1E2633"));
    p.drawText(QPointF(20, y + 24), "Shared: options header and about logo");
    y += 40;
    QImage opt = ReadPictureFile(data.optionsPicture());
    QImage logo = ReadPictureFile(data.aboutLogo());
    p.drawImage(QPointF(20, y), opt);
    p.drawImage(QPointF(40 + opt.width(), y), logo);
    p.drawImage(QRectF(60 + opt.width() + logo.width(), y, logo.width() * 2, logo.height() * 2), logo);
    y += std::max(opt.height(), logo.height() * 2) + 20;
    p.end();
    return sheet.copy(0, 0, sheetWidth, y).save(out) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == "pictures")
        return WritePictures(args[2]);
    if (args.size() == 4 && args[1] == "sheet")
        return WriteSheet(args[2], args[3]);
    std::fprintf(stderr, "usage: make_skins pictures <folder>\n       make_skins sheet <data folder> <out.png>\n");
    return 2;
}

#include "gui/app/built_in_pictures.h"

#include <QPainter>

namespace radioprog::gui {
namespace {

constexpr QSize kBackgroundSize{238, 157};
constexpr QColor kField{0x5b, 0x7c, 0x99};
constexpr QColor kEmblem{0x6a, 0x8b, 0xa8};

// The radio drawn on a 64-pixel square; smaller icons are scaled from it.
QPixmap RadioPicture(int side) {
    QPixmap picture(side, side);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side / 64.0, side / 64.0);
    // Antenna, then the body over its foot.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x30, 0x30, 0x30));
    painter.drawRoundedRect(QRectF(38, 2, 7, 24), 3, 3);
    painter.setBrush(QColor(0x1f, 0x3a, 0x5f));
    painter.drawRoundedRect(QRectF(16, 18, 34, 44), 6, 6);
    // Display, and the grille under it.
    painter.setBrush(QColor(0x9e, 0xd8, 0xa0));
    painter.drawRoundedRect(QRectF(21, 23, 24, 12), 2, 2);
    painter.setPen(QPen(QColor(0xc8, 0xd4, 0xe0), 2.5, Qt::SolidLine, Qt::RoundCap));
    for (int row = 0; row < 4; ++row) {
        const double y = 42 + row * 5;
        painter.drawLine(QPointF(22, y), QPointF(44, y));
    }
    return picture;
}

// A printer drawn on a 64-pixel square, like the radio.
QPixmap PrinterPicture(int side) {
    QPixmap picture(side, side);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side / 64.0, side / 64.0);
    const QPen outline(QColor(0x30, 0x30, 0x30), 3);
    // The sheet waiting at the back, then the body in front of it.
    painter.setPen(outline);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(18, 5, 28, 20));
    painter.setBrush(QColor(0x8a, 0x96, 0xa3));
    painter.drawRoundedRect(QRectF(5, 22, 54, 26), 5, 5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x9e, 0xd8, 0xa0));
    painter.drawEllipse(QPointF(49, 30), 3, 3);
    // The printed sheet with its lines of text.
    painter.setPen(outline);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(16, 38, 32, 23));
    painter.setPen(QPen(QColor(0x1f, 0x3a, 0x5f), 2.5, Qt::SolidLine, Qt::RoundCap));
    for (int row = 0; row < 3; ++row) {
        const double y = 45 + row * 5.5;
        painter.drawLine(QPointF(22, y), QPointF(row == 2 ? 34 : 42, y));
    }
    return picture;
}

}  // namespace

QPixmap BuiltInBackground() {
    QPixmap tile(kBackgroundSize);
    tile.fill(kField);
    QPainter painter(&tile);
    painter.setRenderHint(QPainter::Antialiasing);
    // Radio waves spreading from a point in the middle, well clear of the edges.
    const QPointF centre(kBackgroundSize.width() / 2.0, kBackgroundSize.height() / 2.0 + 18);
    painter.setPen(QPen(kEmblem, 5, Qt::SolidLine, Qt::RoundCap));
    for (int ring = 1; ring <= 3; ++ring) {
        const double radius = 18.0 * ring;
        painter.drawArc(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius),
                        45 * 16, 90 * 16);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(kEmblem);
    painter.drawEllipse(centre, 6, 6);
    return tile;
}

QIcon BuiltInAppIcon() {
    QIcon icon;
    for (int side : {16, 32, 48, 64}) {
        icon.addPixmap(RadioPicture(side));
    }
    return icon;
}

QIcon BuiltInPrintIcon() {
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64}) {
        icon.addPixmap(PrinterPicture(side));
    }
    return icon;
}

QPixmap CloseGlyph() {
    QPixmap glyph(16, 16);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setPen(QPen(Qt::black, 1));
    // Two pixels thick, like the cross of a caption's close box.
    for (int offset : {0, 1}) {
        painter.drawLine(4 + offset, 4, 10 + offset, 10);
        painter.drawLine(10 + offset, 4, 4 + offset, 10);
    }
    return glyph;
}

}  // namespace radioprog::gui

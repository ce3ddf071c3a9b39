// A build tool: writes the pictures the application directory holds. "background.bmp" is the
// program's own background tile, "title.ico" gathers the icon's sizes rendered from its SVG
// (Qt's ICO writer holds one image only).
//   write_pictures background OUT.bmp
//   write_pictures icon OUT.ico PNG...
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstring>

#include "gui/app/built_in_pictures.h"

namespace {

int Fail(const char* what, const char* file) {
    std::fprintf(stderr, "write_pictures: %s %s\n", what, file);
    return 1;
}

void PutLittleEndian(QByteArray& bytes, quint32 value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

// One icon image as the classic ICO entry: a 32-bit bottom-up DIB of twice the height, the
// colour rows then an all-clear AND mask, which every ICO reader knows.
QByteArray IconEntry(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const int side = image.width();
    QByteArray entry;
    PutLittleEndian(entry, 40, 4);  // BITMAPINFOHEADER
    PutLittleEndian(entry, static_cast<quint32>(side), 4);
    PutLittleEndian(entry, static_cast<quint32>(2 * side), 4);
    PutLittleEndian(entry, 1, 2);
    PutLittleEndian(entry, 32, 2);
    for (int field = 0; field < 6; ++field) {
        PutLittleEndian(entry, 0, 4);
    }
    for (int y = side - 1; y >= 0; --y) {
        entry.append(reinterpret_cast<const char*>(image.constScanLine(y)), side * 4);
    }
    const int maskRow = ((side + 31) / 32) * 4;
    entry.append(QByteArray(maskRow * side, '\0'));
    return entry;
}

int WriteIcon(const char* output, int count, char** pngs) {
    QList<QByteArray> entries;
    QList<int> sides;
    for (int i = 0; i < count; ++i) {
        const QImage image(QString::fromLocal8Bit(pngs[i]));
        if (image.isNull() || image.width() != image.height() || image.width() > 255) {
            return Fail("cannot use", pngs[i]);
        }
        entries.append(IconEntry(image));
        sides.append(image.width());
    }
    QByteArray file;
    PutLittleEndian(file, 0, 2);
    PutLittleEndian(file, 1, 2);  // an icon, not a cursor
    PutLittleEndian(file, static_cast<quint32>(count), 2);
    quint32 offset = static_cast<quint32>(6 + 16 * count);
    for (int i = 0; i < count; ++i) {
        file.append(static_cast<char>(sides[i]));
        file.append(static_cast<char>(sides[i]));
        file.append(QByteArray(2, '\0'));  // no palette, reserved
        PutLittleEndian(file, 1, 2);       // planes
        PutLittleEndian(file, 32, 2);      // bits per pixel
        PutLittleEndian(file, static_cast<quint32>(entries[i].size()), 4);
        PutLittleEndian(file, offset, 4);
        offset += static_cast<quint32>(entries[i].size());
    }
    for (const QByteArray& entry : entries) {
        file.append(entry);
    }
    QFile out(QString::fromLocal8Bit(output));
    if (!out.open(QIODevice::WriteOnly) || out.write(file) != file.size()) {
        return Fail("cannot write", output);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "background") == 0) {
        return radioprog::gui::BuiltInBackground().toImage().save(QString::fromLocal8Bit(argv[2]),
                                                                  "BMP")
                   ? 0
                   : Fail("cannot write", argv[2]);
    }
    if (argc >= 4 && std::strcmp(argv[1], "icon") == 0) {
        return WriteIcon(argv[2], argc - 3, argv + 3);
    }
    std::fprintf(stderr, "usage: write_pictures background OUT.bmp | icon OUT.ico PNG...\n");
    return 2;
}

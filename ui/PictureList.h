#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// A numbered list of pictures drawn from SVG files compiled into the program.
// Numbers without a picture show nothing: has() is false and pixmap() is null.
// Pictures are rendered on the GUI thread only, and rendered pixmaps are kept in a
// bounded cache keyed by picture, size and pixel ratio.
class PictureList {
public:
    // The button pictures (imageListButtons): 11 tick, 14 cross, 27 snowflake,
    // 28 flame, 34 boiler, 35 water heater, 36 solar panel, 37 cube,
    // 39 cylinder, 40 information, 42 switch, 44 controller in use,
    // 50 boiler (the picture of 34), 51 pump, 52 square, 76 controller not in use.
    static const PictureList &buttons();
    // The schematic pictures (ImageListSchematic), 1024 x 620: 0 and 1, 10 and 11,
    // 15 and 16, 18, 20.
    static const PictureList &schematics();
    // The message dialog pictures (ImageListMessage): 0 warning, 1 error,
    // 2 success, 3 information, 4 question.
    static const PictureList &messages();
    // The row symbols (imagesClass): 0 clock, 1 thermometer, 2 cross (delete),
    // 3 administrator, 4 user.
    static const PictureList &rowSymbols();

    bool has(int number) const;
    // Rendered at the device pixel ratio of the screen; the picture keeps its aspect ratio
    // and is centred in `size`. Null for a missing picture, an empty size or more device
    // pixels than 4096 x 4096.
    QPixmap pixmap(int number, QSize size) const;
    QIcon icon(int number) const;
    QString resourcePath(int number) const; // ":/pictures/..." or empty

    // Named pictures of the window chrome and tabs (for example "tab-login",
    // "title-close", "logo"); null when unknown. Names are lower-case letters,
    // digits and '-'.
    static QPixmap named(const QString &name, QSize size);
    static QIcon namedIcon(const QString &name);
    static QString namedResourcePath(const QString &name); // ":/pictures/named/....svg" or empty

    explicit PictureList(QString prefix);

private:
    QString m_prefix; // e.g. ":/pictures/buttons/" + number + ".svg"
};

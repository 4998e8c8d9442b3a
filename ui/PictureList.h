#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// A numbered list of pictures drawn from SVG files compiled into the program.
// Numbers without a picture show nothing: has() is false and pixmap() is null.
class PictureList {
public:
    // The button pictures (imageListButtons): 11 tick, 14 cross, 27 snowflake,
    // 28 flame, 34 boiler, 35 water heater, 36 solar panel, 37 cube,
    // 39 cylinder, 40 information, 42 switch, 50 boiler, 51 pump, 52 square, ...
    static const PictureList &buttons();
    // The schematic pictures (ImageListSchematic), 1024 x 620.
    static const PictureList &schematics();
    // The message dialog pictures (ImageListMessage): 0 warning, 1 error,
    // 2 success, 3 information, 4 question.
    static const PictureList &messages();

    bool has(int number) const;
    QPixmap pixmap(int number, QSize size) const;  // rendered at the device pixel ratio of the screen
    QIcon icon(int number) const;
    QString resourcePath(int number) const;        // ":/pictures/..." or empty

    // Named pictures of the window chrome and tabs (for example "tab-login",
    // "title-close", "logo"); null when unknown.
    static QPixmap named(const QString &name, QSize size);
    static QIcon namedIcon(const QString &name);

    explicit PictureList(QString prefix);

private:
    QString m_prefix;  // e.g. ":/pictures/buttons/" + number + ".svg"
};

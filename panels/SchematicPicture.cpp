#include "panels/SchematicPicture.h"

#include "ui/PictureList.h"

#include <QLabel>
#include <QVariant>

void showSchematicPicture(QLabel *glyph, int number)
{
    if (!glyph)
        return;
    const PictureList &pictures = PictureList::schematics();
    const bool exists = number >= 0 && pictures.has(number);
    const int shown = exists ? number : -1;
    const QVariant before = glyph->property("schematicPicture");
    if (before.isValid() && before.toInt() == shown)
        return; // already showing it (or nothing)
    glyph->setProperty("schematicPicture", shown);
    if (!exists) {
        glyph->clear();
        return;
    }
    glyph->setPixmap(pictures.pixmap(number, QSize(1024, 620)));
}

#pragma once

class QLabel;

// Shows picture `number` of the schematic pictures in `glyph`; a number
// without a picture (negative, unknown, beyond the list) shows nothing. The
// number shown, or -1, is kept in the glyph's "schematicPicture" property.
void showSchematicPicture(QLabel *glyph, int number);

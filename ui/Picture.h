#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Decodes a JPEG file image with libjpeg; a null image when it is not one.
QImage decodeJpeg(const QByteArray& file);

// A frame picture from the resources: JPEG through libjpeg, bitmaps through
// Qt's own BMP reader. Null when missing or unreadable.
QImage loadPicture(const QString& path);

#include "ui/PictureList.h"

#include <QCache>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

#include <utility>

namespace {

constexpr qint64 kMaxDevicePixels = 4096 * 4096;
constexpr int kCacheLimitKb = 64 * 1024;

// Rendered pixmaps by "path|width|height|ratio"; the cost of an entry is its size in KB.
// Bounded, so that a picture redrawn at every size of a resized window does not pile up.
QCache<QString, QPixmap> &renderedPictures()
{
    static QCache<QString, QPixmap> cache(kCacheLimitKb);
    return cache;
}

bool isPictureName(const QString &name)
{
    if (name.isEmpty())
        return false;
    for (const QChar c : name) {
        const bool allowed = (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'-';
        if (!allowed)
            return false;
    }
    return true;
}

QPixmap renderPicture(const QString &path, QSize size)
{
    // A QPixmap needs the GUI application; without one there is nothing to draw on.
    if (path.isEmpty() || size.isEmpty() || !qGuiApp)
        return {};
    const qreal ratio = qGuiApp->devicePixelRatio();
    const QSize deviceSize = (QSizeF(size) * ratio).toSize();
    if (deviceSize.isEmpty() || qint64(deviceSize.width()) * deviceSize.height() > kMaxDevicePixels)
        return {};

    const QString key =
        QStringLiteral("%1|%2|%3|%4").arg(path).arg(size.width()).arg(size.height()).arg(ratio);
    if (const QPixmap *cached = renderedPictures().object(key))
        return *cached;

    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return {};
    renderer.setAspectRatioMode(Qt::KeepAspectRatio);

    QPixmap pixmap(deviceSize);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }

    const qint64 costKb = qint64(deviceSize.width()) * deviceSize.height() * 4 / 1024 + 1;
    renderedPictures().insert(key, new QPixmap(pixmap), costKb);
    return pixmap;
}

} // namespace

PictureList::PictureList(QString prefix) : m_prefix(std::move(prefix)) {}

const PictureList &PictureList::buttons()
{
    static const PictureList list(QStringLiteral(":/pictures/buttons/"));
    return list;
}

const PictureList &PictureList::schematics()
{
    static const PictureList list(QStringLiteral(":/pictures/schematics/"));
    return list;
}

const PictureList &PictureList::messages()
{
    static const PictureList list(QStringLiteral(":/pictures/messages/"));
    return list;
}

const PictureList &PictureList::rowSymbols()
{
    static const PictureList list(QStringLiteral(":/pictures/rows/"));
    return list;
}

QString PictureList::resourcePath(int number) const
{
    if (number < 0)
        return {};
    const QString path = m_prefix + QString::number(number) + QStringLiteral(".svg");
    return QFile::exists(path) ? path : QString();
}

bool PictureList::has(int number) const
{
    return !resourcePath(number).isEmpty();
}

QPixmap PictureList::pixmap(int number, QSize size) const
{
    return renderPicture(resourcePath(number), size);
}

QIcon PictureList::icon(int number) const
{
    const QString path = resourcePath(number);
    return path.isEmpty() ? QIcon() : QIcon(path);
}

QString PictureList::namedResourcePath(const QString &name)
{
    if (!isPictureName(name))
        return {};
    const QString path = QStringLiteral(":/pictures/named/") + name + QStringLiteral(".svg");
    return QFile::exists(path) ? path : QString();
}

QPixmap PictureList::named(const QString &name, QSize size)
{
    return renderPicture(namedResourcePath(name), size);
}

QIcon PictureList::namedIcon(const QString &name)
{
    const QString path = namedResourcePath(name);
    return path.isEmpty() ? QIcon() : QIcon(path);
}

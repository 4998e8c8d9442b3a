#include "ui/PictureList.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QSvgRenderer>
#include <QTest>

namespace {

const PictureList &listNamed(const QString &name)
{
    if (name == u"schematics")
        return PictureList::schematics();
    if (name == u"messages")
        return PictureList::messages();
    if (name == u"rows")
        return PictureList::rowSymbols();
    return PictureList::buttons();
}

const QList<int> kButtons = {11, 14, 27, 28, 34, 35, 36, 37, 39, 40, 42, 44, 50, 51, 52, 76};
const QList<int> kSchematics = {0, 1, 10, 11, 15, 16, 18, 20};
const QList<int> kMessages = {0, 1, 2, 3, 4};
const QList<int> kRowSymbols = {0, 1, 2, 3, 4};

const QStringList kNames =
    QStringLiteral(
        "tab-login tab-register tab-installer tab-overview tab-settings tab-devices tab-profile "
        "tab-exit title-minimize title-maximize title-restore title-close app logo background eye "
        "back logout schedule archive clock schematic add delete user admin-badge admin thermometer")
        .split(u' ');

// Share of pixels that are not fully transparent.
double coverage(const QImage &image)
{
    qint64 visible = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            visible += qAlpha(image.pixel(x, y)) > 0;
    return double(visible) / (qint64(image.width()) * image.height());
}

// Mean lightness of the visible pixels, 0 to 255.
int meanLightness(const QImage &image)
{
    qint64 sum = 0, count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 128) {
                sum += c.lightness();
                ++count;
            }
        }
    return count ? int(sum / count) : 0;
}

void verifyDrawn(const QPixmap &pixmap, QSize logical, double minCoverage)
{
    QVERIFY(!pixmap.isNull());
    const qreal ratio = qApp->devicePixelRatio();
    QCOMPARE(pixmap.devicePixelRatio(), ratio);
    QCOMPARE(pixmap.size(), (QSizeF(logical) * ratio).toSize());
    QCOMPARE(pixmap.deviceIndependentSize().toSize(), logical);
    const double covered = coverage(pixmap.toImage());
    QVERIFY2(covered >= minCoverage,
             qPrintable(QStringLiteral("only %1 of the pixmap is drawn").arg(covered)));
}

QList<int> numbersIn(const QString &folder)
{
    QList<int> numbers;
    const QStringList files = QDir(folder).entryList(QDir::Files);
    for (const QString &file : files) {
        bool ok = false;
        const int n = QFileInfo(file).completeBaseName().toInt(&ok);
        if (!ok || !file.endsWith(u".svg"))
            return {-1000}; // a file that is not "<number>.svg" does not belong in a numbered list
        numbers << n;
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

} // namespace

class TestPictures : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void numberedPicturesRender_data();
    void numberedPicturesRender();
    void namedPicturesRender_data();
    void namedPicturesRender();
    void missingPicturesShowNothing_data();
    void missingPicturesShowNothing();
    void listsHoldExactlyTheirNumbers_data();
    void listsHoldExactlyTheirNumbers();
    void sharedNumbersShowTheSamePicture();
    void pictureKeepsItsAspectRatio();
    void unusableSizesGiveNull_data();
    void unusableSizesGiveNull();
    void renderedPixmapsAreReused();
    void iconsScale();
    void filesAreSmallPlainSvg();
};

void TestPictures::initTestCase()
{
    // main() asks for a pixel ratio of 2 so that a picture drawn at the wrong ratio shows.
    QCOMPARE(qApp->devicePixelRatio(), 2.0);
    QVERIFY(QFile::exists(QStringLiteral(":/pictures/buttons/11.svg")));
}

void TestPictures::numberedPicturesRender_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("number");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<double>("minCoverage");
    for (int n : kButtons)
        QTest::addRow("buttons/%d", n) << QStringLiteral("buttons") << n << QSize(64, 64) << 0.15;
    for (int n : kSchematics)
        QTest::addRow("schematics/%d", n) << QStringLiteral("schematics") << n << QSize(1024, 620) << 0.9;
    for (int n : kMessages)
        QTest::addRow("messages/%d", n) << QStringLiteral("messages") << n << QSize(128, 128) << 0.4;
    for (int n : kRowSymbols)
        QTest::addRow("rows/%d", n) << QStringLiteral("rows") << n << QSize(64, 64) << 0.08;
}

void TestPictures::numberedPicturesRender()
{
    QFETCH(QString, list);
    QFETCH(int, number);
    QFETCH(QSize, size);
    QFETCH(double, minCoverage);
    const PictureList &pictures = listNamed(list);
    QVERIFY(pictures.has(number));
    QCOMPARE(pictures.resourcePath(number), QStringLiteral(":/pictures/%1/%2.svg").arg(list).arg(number));
    verifyDrawn(pictures.pixmap(number, size), size, minCoverage);
    // Small sizes as used in lists and tiles still show the picture.
    verifyDrawn(pictures.pixmap(number, QSize(24, 24)), QSize(24, 24), 0.03);
}

void TestPictures::namedPicturesRender_data()
{
    QTest::addColumn<QString>("name");
    for (const QString &name : kNames)
        QTest::newRow(qPrintable(name)) << name;
}

void TestPictures::namedPicturesRender()
{
    QFETCH(QString, name);
    QCOMPARE(PictureList::namedResourcePath(name), QStringLiteral(":/pictures/named/%1.svg").arg(name));
    const QPixmap pixmap = PictureList::named(name, QSize(64, 64));
    verifyDrawn(pixmap, QSize(64, 64), 0.02);
    // The title strip is dark: its pictures are light glyphs.
    if (name.startsWith(u"title-"))
        QVERIFY2(meanLightness(pixmap.toImage()) > 200, "a title strip picture is not light");
}

void TestPictures::missingPicturesShowNothing_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("number");
    QTest::newRow("buttons/2") << QStringLiteral("buttons") << 2;
    QTest::newRow("buttons/3") << QStringLiteral("buttons") << 3;
    QTest::newRow("buttons/99") << QStringLiteral("buttons") << 99;
    QTest::newRow("buttons/-1") << QStringLiteral("buttons") << -1;
    QTest::newRow("buttons/1000") << QStringLiteral("buttons") << 1000;
    QTest::newRow("buttons/0") << QStringLiteral("buttons") << 0;
    QTest::newRow("schematics/2") << QStringLiteral("schematics") << 2;
    QTest::newRow("schematics/3") << QStringLiteral("schematics") << 3;
    QTest::newRow("schematics/21") << QStringLiteral("schematics") << 21;
    QTest::newRow("schematics/30") << QStringLiteral("schematics") << 30;
    QTest::newRow("schematics/99") << QStringLiteral("schematics") << 99;
    QTest::newRow("schematics/-1") << QStringLiteral("schematics") << -1;
    QTest::newRow("messages/5") << QStringLiteral("messages") << 5;
    QTest::newRow("messages/-1") << QStringLiteral("messages") << -1;
    QTest::newRow("rows/5") << QStringLiteral("rows") << 5;
}

void TestPictures::missingPicturesShowNothing()
{
    QFETCH(QString, list);
    QFETCH(int, number);
    const PictureList &pictures = listNamed(list);
    QVERIFY(!pictures.has(number));
    QVERIFY(pictures.resourcePath(number).isEmpty());
    QVERIFY(pictures.pixmap(number, QSize(64, 64)).isNull());
    QVERIFY(pictures.icon(number).isNull());
}

void TestPictures::listsHoldExactlyTheirNumbers_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QList<int>>("numbers");
    QTest::newRow("buttons") << QStringLiteral(":/pictures/buttons") << kButtons;
    QTest::newRow("schematics") << QStringLiteral(":/pictures/schematics") << kSchematics;
    QTest::newRow("messages") << QStringLiteral(":/pictures/messages") << kMessages;
    QTest::newRow("rows") << QStringLiteral(":/pictures/rows") << kRowSymbols;
}

void TestPictures::listsHoldExactlyTheirNumbers()
{
    QFETCH(QString, folder);
    QFETCH(QList<int>, numbers);
    QCOMPARE(numbersIn(folder), numbers);
}

void TestPictures::sharedNumbersShowTheSamePicture()
{
    const QSize tile(64, 64), sheet(512, 310);
    const PictureList &buttons = PictureList::buttons();
    const PictureList &schematics = PictureList::schematics();
    QCOMPARE(buttons.pixmap(50, tile).toImage(), buttons.pixmap(34, tile).toImage());
    QCOMPARE(schematics.pixmap(1, sheet).toImage(), schematics.pixmap(0, sheet).toImage());
    QCOMPARE(schematics.pixmap(11, sheet).toImage(), schematics.pixmap(10, sheet).toImage());
    QCOMPARE(schematics.pixmap(16, sheet).toImage(), schematics.pixmap(15, sheet).toImage());
    QCOMPARE(PictureList::rowSymbols().pixmap(0, tile).toImage(),
             PictureList::named(QStringLiteral("clock"), tile).toImage());

    // Pictures of different meaning differ.
    const QList<int> distinct = {0, 10, 15, 18, 20};
    QSet<QByteArray> seen;
    for (int n : distinct) {
        const QImage image = schematics.pixmap(n, sheet).toImage();
        seen.insert(QByteArray(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()));
    }
    QCOMPARE(seen.size(), distinct.size());
    QVERIFY(buttons.pixmap(34, tile).toImage() != buttons.pixmap(39, tile).toImage());
    QVERIFY(buttons.pixmap(11, tile).toImage() != buttons.pixmap(14, tile).toImage());
    QVERIFY(buttons.pixmap(44, tile).toImage() != buttons.pixmap(76, tile).toImage());
}

void TestPictures::pictureKeepsItsAspectRatio()
{
    // 1024 x 620 in a 200 x 200 square: 200 x 121, centred, with empty bands above and below.
    const QImage schematic = PictureList::schematics().pixmap(0, QSize(200, 200)).toImage();
    const qreal r = qApp->devicePixelRatio();
    QCOMPARE(qAlpha(schematic.pixel(int(100 * r), int(20 * r))), 0);
    QCOMPARE(qAlpha(schematic.pixel(int(100 * r), int(180 * r))), 0);
    QVERIFY(qAlpha(schematic.pixel(int(100 * r), int(100 * r))) > 0);
    QVERIFY(qAlpha(schematic.pixel(int(100 * r), int(45 * r))) > 0);

    // A square picture in a wide box: empty bands left and right.
    const QImage tick = PictureList::buttons().pixmap(11, QSize(128, 64)).toImage();
    QCOMPARE(qAlpha(tick.pixel(int(10 * r), int(32 * r))), 0);
    QCOMPARE(qAlpha(tick.pixel(int(118 * r), int(32 * r))), 0);
    QVERIFY(qAlpha(tick.pixel(int(64 * r), int(32 * r))) > 0);
}

void TestPictures::unusableSizesGiveNull_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("empty") << QSize(0, 0);
    QTest::newRow("no width") << QSize(0, 64);
    QTest::newRow("no height") << QSize(64, 0);
    QTest::newRow("negative") << QSize(-5, 10);
    QTest::newRow("invalid") << QSize();
    QTest::newRow("huge") << QSize(5000, 5000);
    QTest::newRow("absurd") << QSize(1 << 30, 1 << 30);
}

void TestPictures::unusableSizesGiveNull()
{
    QFETCH(QSize, size);
    QVERIFY(PictureList::buttons().pixmap(11, size).isNull());
    QVERIFY(PictureList::schematics().pixmap(0, size).isNull());
    QVERIFY(PictureList::named(QStringLiteral("logo"), size).isNull());
}

void TestPictures::renderedPixmapsAreReused()
{
    const PictureList &buttons = PictureList::buttons();
    const QPixmap first = buttons.pixmap(28, QSize(48, 48));
    const QPixmap again = buttons.pixmap(28, QSize(48, 48));
    QCOMPARE(again.cacheKey(), first.cacheKey());
    const QPixmap larger = buttons.pixmap(28, QSize(49, 49));
    QVERIFY(larger.cacheKey() != first.cacheKey());
    QCOMPARE(larger.deviceIndependentSize().toSize(), QSize(49, 49));
    // The number is part of the key: another picture at the same size is not the cached one.
    QVERIFY(buttons.pixmap(27, QSize(48, 48)).toImage() != first.toImage());
}

void TestPictures::iconsScale()
{
    const QList<QIcon> icons = {PictureList::buttons().icon(11), PictureList::messages().icon(3),
                                PictureList::namedIcon(QStringLiteral("tab-login")),
                                PictureList::namedIcon(QStringLiteral("title-close"))};
    for (const QIcon &icon : icons) {
        QVERIFY(!icon.isNull());
        for (int side : {16, 48}) {
            const QImage image = icon.pixmap(QSize(side, side)).toImage();
            QVERIFY(!image.isNull());
            QVERIFY(coverage(image) > 0.02);
        }
    }
    QVERIFY(PictureList::namedIcon(QStringLiteral("no-such-picture")).isNull());
}

void TestPictures::filesAreSmallPlainSvg()
{
    // Unknown names and names that try to leave the folder of named pictures give nothing.
    for (const char *bad :
         {"", "nope", "../buttons/11", "tab-login.svg", "Tab-Login", "named/app", ":/pictures/named/app"}) {
        QVERIFY2(PictureList::namedResourcePath(QString::fromLatin1(bad)).isEmpty(), bad);
        QVERIFY2(PictureList::named(QString::fromLatin1(bad), QSize(32, 32)).isNull(), bad);
    }

    int files = 0;
    QDirIterator it(QStringLiteral(":/pictures"), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        ++files;
        QVERIFY2(path.endsWith(u".svg"), qPrintable(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY2(text.size() < 12 * 1024, qPrintable(path));
        for (const char *foreign : {"<image", "data:", "<metadata", "inkscape", "sodipodi", "<script"})
            QVERIFY2(!text.contains(foreign),
                     qPrintable(path + QStringLiteral(": ") + QLatin1String(foreign)));

        QSvgRenderer renderer(path);
        QVERIFY2(renderer.isValid(), qPrintable(path));
        QSizeF canvas;
        if (path.startsWith(u":/pictures/buttons/"))
            canvas = QSizeF(64, 64);
        else if (path.startsWith(u":/pictures/schematics/"))
            canvas = QSizeF(1024, 620);
        else if (path.startsWith(u":/pictures/messages/"))
            canvas = QSizeF(128, 128);
        if (canvas.isValid())
            QCOMPARE(renderer.viewBoxF().size(), canvas);
    }
    QCOMPARE(files,
             kButtons.size() + kSchematics.size() + kMessages.size() + kRowSymbols.size() + kNames.size());
}

int main(int argc, char **argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestPictures test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_pictures.moc"

// Our JPEG loader over libjpeg-turbo: the window pictures decode at their sizes
// and colours; a truncated, damaged, foreign, oversized or missing file gives an
// empty picture and a message naming it, and a picture control shows that
// message in the picture's place.
#include "ui/pictures/JpegImage.h"
#include "ui/pictures/JpegPicture.h"

#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>

using namespace millcalc;

namespace {

QByteArray resourceBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}

bool near(const QColor& colour, const QColor& expected, int tolerance)
{
    return std::abs(colour.red() - expected.red()) <= tolerance
        && std::abs(colour.green() - expected.green()) <= tolerance
        && std::abs(colour.blue() - expected.blue()) <= tolerance;
}

// A grey progressive file made by hand: one DC scan, then the same first AC
// scan scans-1 times over (a repeat of a full-precision AC scan is a valid
// progression). Each scan's data is one byte: with one-code Huffman tables a
// block is a zero DC difference and an end of block.
QByteArray progressiveJpeg(int width, int height, int scans)
{
    const auto hex = [](const char* text) { return QByteArray::fromHex(text); };
    QByteArray bytes = hex("ffd8ffdb004300") + QByteArray(64, char(1));
    bytes += hex("ffc2000b08") + char(height >> 8) + char(height & 0xff) + char(width >> 8)
        + char(width & 0xff) + hex("01011100");
    const QByteArray oneCode = hex("01000000000000000000000000000000") + char(0);
    bytes += hex("ffc4001400") + oneCode + hex("ffc4001410") + oneCode;
    bytes += hex("ffda00080101000000007f");
    for (int scan = 1; scan < scans; ++scan)
        bytes += hex("ffda0008010100013f007f");
    return bytes + hex("ffd9");
}

} // namespace

class JpegImageTest : public QObject {
    Q_OBJECT

private slots:
    void windowPicturesDecodeAtTheirSizes_data();
    void windowPicturesDecodeAtTheirSizes();
    void coloursAreThoseOfTheDrawing();
    void agreesWithQtsOwnDecoder();
    void truncatedFileIsAnErrorNotAGreyPicture();
    void truncatedFileOnDiskIsReportedByName();
    void damagedDataIsAnError();
    void foreignAndEmptyBytesAreErrors();
    void oversizedHeaderIsRefusedBeforeAnyAllocation();
    void progressiveFileNeedingTooMuchMemoryIsRefused();
    void progressiveFileOfTooManyScansIsRefused();
    void missingFileIsAnError();
    void pictureControlShowsTheReasonInThePicturesPlace();
    void pictureControlTakesThePicturesSize();
};

void JpegImageTest::windowPicturesDecodeAtTheirSizes_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::newRow("designations") << ":/pictures/Designations.jpg" << QSize(304, 600);
    QTest::newRow("About background") << ":/pictures/AboutBackground.jpg" << QSize(280, 199);
    QTest::newRow("splash") << ":/pictures/Splash.jpg" << QSize(200, 200);
}

void JpegImageTest::windowPicturesDecodeAtTheirSizes()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    const JpegImage picture = JpegImage::load(path);
    QVERIFY2(!picture.isNull(), qPrintable(picture.error()));
    QCOMPARE(picture.error(), QString());
    QCOMPARE(picture.image().size(), size);
}

void JpegImageTest::coloursAreThoseOfTheDrawing()
{
    const QImage scheme = JpegImage::load(QStringLiteral(":/pictures/Designations.jpg")).image();
    // The white ground left of the side view and under the legend.
    QVERIFY(near(scheme.pixelColor(5, 300), Qt::white, 6));
    // The red feed arrow of the side view.
    const QColor arrow = scheme.pixelColor(220, 116);
    QVERIFY2(
        arrow.red() > 180 && arrow.green() < 120 && arrow.blue() < 120, qPrintable(arrow.name()));
    const QImage splash = JpegImage::load(QStringLiteral(":/pictures/Splash.jpg")).image();
    // The splash's blue frame, #4d6f9c.
    QVERIFY2(near(splash.pixelColor(0, 100), QColor(0x4d, 0x6f, 0x9c), 8),
        qPrintable(splash.pixelColor(0, 100).name()));
}

void JpegImageTest::agreesWithQtsOwnDecoder()
{
    if (!QImageReader::supportedImageFormats().contains("jpeg"))
        QSKIP("Qt's JPEG plugin is not installed");
    const QByteArray bytes = resourceBytes(QStringLiteral(":/pictures/Designations.jpg"));
    const QImage ours = JpegImage::decode(bytes, QStringLiteral("Designations.jpg")).image();
    const QImage theirs = QImage::fromData(bytes, "JPG").convertToFormat(QImage::Format_RGB888);
    QCOMPARE(ours.size(), theirs.size());
    int worst = 0;
    for (int y = 0; y < ours.height(); ++y) {
        const uchar* a = ours.constScanLine(y);
        const uchar* b = theirs.constScanLine(y);
        for (int x = 0; x < ours.width() * 3; ++x)
            worst = std::max(worst, std::abs(int(a[x]) - int(b[x])));
    }
    QVERIFY2(worst <= 2, qPrintable(QStringLiteral("largest difference %1").arg(worst)));
}

void JpegImageTest::truncatedFileIsAnErrorNotAGreyPicture()
{
    const QByteArray bytes = resourceBytes(QStringLiteral(":/pictures/Splash.jpg"));
    // libjpeg alone would only warn and fill the missing half with grey.
    for (const qsizetype length : { bytes.size() / 2, bytes.size() - 2, qsizetype(200) }) {
        const JpegImage picture
            = JpegImage::decode(bytes.left(length), QStringLiteral("Splash.jpg"));
        QVERIFY2(picture.isNull(), qPrintable(QString::number(length)));
        QVERIFY(picture.error().startsWith(QStringLiteral("Картинка Splash.jpg повреждена: ")));
    }
}

void JpegImageTest::truncatedFileOnDiskIsReportedByName()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Designations.jpg"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QByteArray bytes = resourceBytes(QStringLiteral(":/pictures/Designations.jpg"));
    file.write(bytes.left(bytes.size() / 3));
    file.close();
    QTest::ignoreMessage(QtWarningMsg,
        QRegularExpression(QStringLiteral("^millcalc: Картинка .*Designations\\.jpg повреждена")));
    const JpegImage picture = JpegImage::load(path);
    QVERIFY(picture.isNull());
    QVERIFY(picture.error().contains(path));
}

void JpegImageTest::damagedDataIsAnError()
{
    QByteArray bytes = resourceBytes(QStringLiteral(":/pictures/AboutBackground.jpg"));
    // A marker in the middle of the entropy-coded data: the decoder finds
    // corrupt data where the scan should go on.
    const qsizetype middle = bytes.size() / 2;
    bytes[middle] = char(0xff);
    bytes[middle + 1] = char(0xd9);
    const JpegImage picture = JpegImage::decode(bytes, QStringLiteral("AboutBackground.jpg"));
    QVERIFY(picture.isNull());
    QVERIFY(!picture.error().isEmpty());
}

void JpegImageTest::foreignAndEmptyBytesAreErrors()
{
    const QByteArray samples[] = {
        QByteArray(),
        QByteArray("GIF89a\x01\x00\x01\x00"),
        resourceBytes(QStringLiteral(":/pictures/MailPicture.svg")),
        QByteArray("\xff\xd8\xff", 3),
    };
    for (const QByteArray& bytes : samples) {
        const JpegImage picture = JpegImage::decode(bytes, QStringLiteral("X.jpg"));
        QVERIFY(picture.isNull());
        QVERIFY2(picture.error().startsWith(QStringLiteral("Картинка X.jpg повреждена: ")),
            qPrintable(picture.error()));
    }
}

void JpegImageTest::oversizedHeaderIsRefusedBeforeAnyAllocation()
{
    QByteArray bytes = resourceBytes(QStringLiteral(":/pictures/Splash.jpg"));
    // The baseline frame header: FF C0, length, precision, height, width.
    const qsizetype frame = bytes.indexOf(QByteArray("\xff\xc0", 2));
    QVERIFY(frame > 0);
    bytes[frame + 5] = char(0xea); // height 60000
    bytes[frame + 6] = char(0x60);
    const JpegImage picture = JpegImage::decode(bytes, QStringLiteral("Splash.jpg"));
    QVERIFY(picture.isNull());
    QVERIFY2(picture.error().contains(QStringLiteral("8192")), qPrintable(picture.error()));
}

void JpegImageTest::progressiveFileNeedingTooMuchMemoryIsRefused()
{
    const JpegImage small = JpegImage::decode(progressiveJpeg(8, 8, 2), QStringLiteral("P.jpg"));
    QVERIFY2(!small.isNull(), qPrintable(small.error()));
    QCOMPARE(small.image().pixelColor(3, 3), QColor(128, 128, 128));
    // Within the side limit, yet its coefficients alone would take 128 MB.
    const JpegImage large
        = JpegImage::decode(progressiveJpeg(8192, 8192, 2), QStringLiteral("P.jpg"));
    QVERIFY(large.isNull());
    QCOMPARE(
        large.error(), QStringLiteral("Картинка P.jpg повреждена: image needs more than 64 MB"));
}

void JpegImageTest::progressiveFileOfTooManyScansIsRefused()
{
    const JpegImage most = JpegImage::decode(progressiveJpeg(8, 8, 100), QStringLiteral("P.jpg"));
    QVERIFY2(!most.isNull(), qPrintable(most.error()));
    const JpegImage more = JpegImage::decode(progressiveJpeg(8, 8, 101), QStringLiteral("P.jpg"));
    QVERIFY(more.isNull());
    QCOMPARE(more.error(), QStringLiteral("Картинка P.jpg повреждена: more than 100 scans"));
}

void JpegImageTest::missingFileIsAnError()
{
    for (const QString& path : { QStringLiteral(":/pictures/NoSuchPicture.jpg"),
             QStringLiteral("/nonexistent/Designations.jpg") }) {
        QTest::ignoreMessage(
            QtWarningMsg, qPrintable(QStringLiteral("millcalc: Нет картинки ") + path));
        const JpegImage picture = JpegImage::load(path);
        QVERIFY(picture.isNull());
        QCOMPARE(picture.error(), QStringLiteral("Нет картинки ") + path);
    }
}

void JpegImageTest::pictureControlShowsTheReasonInThePicturesPlace()
{
    QTest::ignoreMessage(QtWarningMsg, "millcalc: Нет картинки :/pictures/Gone.jpg");
    JpegPicture control(QStringLiteral(":/pictures/Gone.jpg"), QSize(304, 600));
    QCOMPARE(control.sizeHint(), QSize(304, 600));
    QVERIFY(control.picture().isNull());
    control.resize(control.sizeHint());
    // Drawn without the picture: the red frame and the message, no crash.
    const QImage shown = control.grab().toImage();
    QCOMPARE(shown.size(), QSize(304, 600) * control.devicePixelRatio());
    QCOMPARE(shown.pixelColor(0, 300), QColor(0xc0, 0x00, 0x00));
    int dark = 0;
    for (int x = 0; x < shown.width(); ++x)
        dark += qGray(shown.pixel(x, shown.height() / 2)) < 128 ? 1 : 0;
    QVERIFY2(dark > 4, "no message in the middle of the picture's place");
}

void JpegImageTest::pictureControlTakesThePicturesSize()
{
    JpegPicture control(QStringLiteral(":/pictures/AboutBackground.jpg"), QSize(10, 10));
    QCOMPARE(control.sizeHint(), QSize(280, 199));
    control.resize(control.sizeHint());
    const QImage shown = control.grab().toImage().convertToFormat(QImage::Format_RGB888);
    const QImage& picture = control.picture().image();
    QCOMPARE(shown.pixelColor(140, 100), picture.pixelColor(140, 100));
}

QTEST_MAIN(JpegImageTest)
#include "JpegImageTest.moc"

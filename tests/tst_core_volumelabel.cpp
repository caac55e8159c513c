// The disc's own label: images made by xorriso and mkudffs, read for their
// ISO 9660, Joliet and UDF names, and hand-made hostile descriptors that
// must give no label or a bounded one, never a read outside the image.

#include "TestSupport.h"
#include "scan/VolumeLabel.h"

#include <QBuffer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace kobrix;
using namespace kobrix::test;

namespace {

constexpr int kSector = 2048;

// A QBuffer that remembers the furthest byte asked for.
class WatchedBuffer : public QBuffer
{
public:
    explicit WatchedBuffer(QByteArray *bytes) : QBuffer(bytes) {}
    qint64 furthest = 0;
    qint64 bytesRead = 0;

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 got = QBuffer::readData(data, maxSize);
        if (got > 0) {
            furthest = std::max(furthest, pos() + got);
            bytesRead += got;
        }
        return got;
    }
};

// A volume descriptor of type with identifier at offset 40 and, for a
// supplementary one, escapes at offset 88.
QByteArray descriptor(int type, const QByteArray &identifier, const QByteArray &escapes = {})
{
    QByteArray d(kSector, '\0');
    d[0] = char(type);
    d.replace(1, 5, "CD001");
    d[6] = 1;
    d.replace(40, std::min<qsizetype>(identifier.size(), 32), identifier.left(32));
    d.replace(88, escapes.size(), escapes);
    return d;
}

QByteArray ucs2(const QString &text)
{
    QByteArray out;
    for (const QChar c : text) {
        out += char(c.unicode() >> 8);
        out += char(c.unicode() & 0xff);
    }
    return out;
}

// A UDF descriptor tag of identifier at block location, its checksum right.
QByteArray udfBlock(quint16 identifier, quint32 location)
{
    QByteArray b(kSector, '\0');
    b[0] = char(identifier & 0xff);
    b[1] = char(identifier >> 8);
    for (int i = 0; i < 4; ++i)
        b[12 + i] = char((location >> (8 * i)) & 0xff);
    quint8 sum = 0;
    for (int i = 0; i < 16; ++i)
        sum = quint8(sum + (i == 4 ? 0 : quint8(b[i])));
    b[4] = char(sum);
    return b;
}

void putLe32(QByteArray &b, int at, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((value >> (8 * i)) & 0xff);
}

// An image of sectors 0-15 zero, then the descriptors, then a terminator.
QByteArray isoImage(const QList<QByteArray> &descriptors)
{
    QByteArray image(16 * kSector, '\0');
    for (const QByteArray &d : descriptors)
        image += d;
    image += descriptor(255, {});
    return image;
}

// A UDF image: recognition sequence, anchor at 256 pointing at a sequence
// at 260 of length blocks holding a logical volume descriptor with dstring.
QByteArray udfImage(const QByteArray &dstring, quint32 length = 4 * kSector,
                    quint32 sequence = 260)
{
    QByteArray image(16 * kSector, '\0');
    for (const char *id : {"BEA01", "NSR02", "TEA01"}) {
        QByteArray d(kSector, '\0');
        d.replace(1, 5, id);
        image += d;
    }
    image.resize(256 * kSector, '\0');
    QByteArray anchor = udfBlock(2, 256);
    putLe32(anchor, 16, length);
    putLe32(anchor, 20, sequence);
    image += anchor;
    image.resize(260 * kSector, '\0');
    QByteArray lvd = udfBlock(6, 260);
    lvd.replace(84, dstring.size(), dstring);
    image += lvd;
    image += udfBlock(8, 261);
    return image;
}

// A 128-byte d-string field: compression id, text, used length at the end.
QByteArray dstring(int compression, const QByteArray &text, int used = -1)
{
    QByteArray field(128, '\0');
    field[0] = char(compression);
    field.replace(1, text.size(), text);
    field[127] = char(used >= 0 ? used : int(text.size() + 1));
    return field;
}

} // namespace

class TestCoreVolumeLabel : public QObject
{
    Q_OBJECT
private slots:
    void madeImages_data();
    void madeImages();
    void handMade_data();
    void handMade();
    void openFailures();
};

void TestCoreVolumeLabel::madeImages_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QStringList>("options"); // before the image path
    QTest::addColumn<QString>("label");
    const QString cyrillic = QStringLiteral("Летние фото Крым"); // 16 letters
    QTest::newRow("plain ISO 9660") << "xorriso" << QStringList{"-volid", "BACKUP_2024"}
                                    << "BACKUP_2024";
    QTest::newRow("Joliet, Cyrillic 16 letters")
        << "xorriso" << QStringList{"-volid", cyrillic, "-joliet", "on"} << cyrillic;
    QTest::newRow("Joliet, Rock Ridge off")
        << "xorriso" << QStringList{"-volid", "Fotos Mai", "-joliet", "on", "-rockridge", "off"}
        << "Fotos Mai";
    // Joliet keeps 16 characters: the primary descriptor's longer name wins.
    QTest::newRow("Joliet shorter than primary")
        << "xorriso" << QStringList{"-volid", "Holiday Photos Summer 2024", "-joliet", "on"}
        << "Holiday Photos Summer 2024";
    QTest::newRow("no label") << "xorriso" << QStringList{"-volid", ""} << "";
    QTest::newRow("UDF 8-bit, 2048")
        << "mkudffs" << QStringList{"--label=Urlaub Ägypten", "-b", "2048"} << "Urlaub Ägypten";
    QTest::newRow("UDF 16-bit, 512")
        << "mkudffs" << QStringList{"--label=Поездка на море 2019 года", "-b", "512"}
        << "Поездка на море 2019 года";
}

void TestCoreVolumeLabel::madeImages()
{
    QFETCH(QString, tool);
    QFETCH(QStringList, options);
    QFETCH(QString, label);
    QTemporaryDir dir;
    const QString image = dir.filePath(QStringLiteral("disc.iso"));
    if (tool == QLatin1String("xorriso")) {
        if (!hasXorriso())
            QSKIP("xorriso is not installed");
        writeFile(dir.path(), QStringLiteral("content/a.txt"), "a");
        QVERIFY(runXorriso(QStringList{"-outdev", image} + options
                           + QStringList{"-map", dir.filePath(QStringLiteral("content")), "/"}));
    } else {
        const QString mkudffs =
            QStandardPaths::findExecutable(QStringLiteral("mkudffs"), {"/usr/sbin", "/sbin"});
        if (mkudffs.isEmpty())
            QSKIP("mkudffs (udftools) is not installed");
        QProcess tool; // its report on standard output left unread
        tool.start(mkudffs, QStringList{"--new-file"} + options + QStringList{image, "4000"});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 0);
    }
    RuntimeError error;
    QCOMPARE(volumeLabelOfImage(image, &error), label);
    QCOMPARE(error.number(), int(NoError));
}

void TestCoreVolumeLabel::handMade_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("error");

    const QByteArray joliet = "%/E";
    QTest::newRow("primary, blanks and NULs trimmed")
        << isoImage({descriptor(1, QByteArray("DISC 1  \0\0  ", 12))}) << "DISC 1" << 0;
    QTest::newRow("Joliet wins a tie with the primary")
        << isoImage({descriptor(1, "DISC_ONE"), descriptor(2, ucs2("Disc one"), joliet)})
        << "Disc one" << 0;
    QTest::newRow("supplementary without Joliet escapes is no Joliet")
        << isoImage({descriptor(1, "A"), descriptor(2, ucs2("Longer name"), "%/F")}) << "A" << 0;
    QTest::newRow("Joliet escape %/@")
        << isoImage({descriptor(1, "A"), descriptor(2, ucs2("Bb"), "%/@")}) << "Bb" << 0;
    QTest::newRow("Joliet without a primary")
        << isoImage({descriptor(2, ucs2("Only"), joliet)}) << "Only" << 0;
    QTest::newRow("Joliet padded with blanks")
        << isoImage({descriptor(1, ""), descriptor(2, ucs2("Xy   "), joliet)}) << "Xy" << 0;
    QTest::newRow("control characters become blanks")
        << isoImage({descriptor(1, "A\tB\nC")}) << "A B C" << 0;
    QTest::newRow("Latin-1 primary") << isoImage({descriptor(1, "Caf\xe9")}) << "Café" << 0;
    QTest::newRow("not a disc image") << QByteArray(40 * kSector, 'x') << "" << int(DeviceIoError);
    QTest::newRow("empty file") << QByteArray() << "" << int(DeviceIoError);
    QTest::newRow("cut inside the primary descriptor")
        << isoImage({descriptor(1, "CUT")}).left(16 * kSector + 100) << "" << int(DeviceIoError);
    // Descriptors without a terminator up to the end of the file.
    QByteArray endless(16 * kSector, '\0');
    for (int i = 0; i < 200; ++i)
        endless += descriptor(1 + (i % 2), "LOOP");
    QTest::newRow("no terminator") << endless << "LOOP" << 0;

    QTest::newRow("UDF 8-bit") << udfImage(dstring(8, "Photos")) << "Photos" << 0;
    QTest::newRow("UDF 16-bit") << udfImage(dstring(16, ucs2("Фото"))) << "Фото" << 0;
    QTest::newRow("UDF length beyond its field")
        << udfImage(dstring(8, "Photos", 200)) << "" << 0;
    QTest::newRow("UDF unknown compression") << udfImage(dstring(3, "Photos")) << "" << 0;
    QTest::newRow("UDF sequence beyond the image")
        << udfImage(dstring(8, "Photos"), 4 * kSector, 0xfffffff0u) << "" << 0;
    QTest::newRow("UDF sequence of 4 GB")
        << udfImage(dstring(8, "Photos"), 0xffffffffu) << "Photos" << 0;
    QByteArray badSum = udfImage(dstring(8, "Photos"));
    badSum[256 * kSector + 4] = char(badSum[256 * kSector + 4] + 1);
    QTest::newRow("UDF anchor with a wrong checksum") << badSum << "" << int(DeviceIoError);
    QTest::newRow("UDF cut before its descriptor")
        << udfImage(dstring(8, "Photos")).left(260 * kSector + 50) << "" << 0;
    // A UDF name longer than the ISO one of a bridge disc wins.
    QByteArray bridge = udfImage(dstring(8, "Family pictures 2003"));
    bridge.replace(16 * kSector, kSector, descriptor(1, "FAMILY"));
    bridge.replace(17 * kSector, kSector, descriptor(255, {}));
    QTest::newRow("UDF bridge") << bridge << "Family pictures 2003" << 0;
}

// Hand-made descriptors, damaged ones among them: never a byte read beyond
// the image, and only the sectors that hold descriptors.
void TestCoreVolumeLabel::handMade()
{
    QFETCH(QByteArray, image);
    QFETCH(QString, label);
    QFETCH(int, error);
    WatchedBuffer buffer(&image);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    RuntimeError readError;
    QCOMPARE(volumeLabelOf(buffer, &readError), label);
    QCOMPARE(readError.number(), error);
    QVERIFY(buffer.furthest <= image.size());
    // The descriptors, the anchors tried and a few blocks of a sequence.
    QVERIFY2(buffer.bytesRead <= 140 * kSector, qPrintable(QString::number(buffer.bytesRead)));
}

void TestCoreVolumeLabel::openFailures()
{
    QTemporaryDir dir;
    RuntimeError error;
    QCOMPARE(volumeLabelOfImage(dir.filePath(QStringLiteral("missing.iso")), &error), QString());
    QCOMPARE(error.number(), int(FileNotFound));
    QCOMPARE(volumeLabelOfImage(dir.path(), &error), QString());
    QVERIFY(error.isError());
}

QTEST_GUILESS_MAIN(TestCoreVolumeLabel)
#include "tst_core_volumelabel.moc"

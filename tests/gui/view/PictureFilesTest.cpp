// The JPEG and bitmap pictures of the layout: what the files hold, and that a
// failed save leaves an existing file alone.

#include "exchange/FileError.h"
#include "exchange/FormatRegistry.h"
#include "view/BmpFile.h"
#include "view/JpegFile.h"
#include "view/LayoutPainter.h"
#include "view/LayoutSaving.h"

#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

using namespace sw;
using namespace sw::gui;

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    return f.readAll();
}

// Position of the first marker 0xFF `code` among the JPEG's header segments.
qsizetype FindMarker(const QByteArray& jpeg, unsigned char code) {
    qsizetype i = 2; // after the start-of-image marker
    while (i + 4 <= jpeg.size()) {
        if (static_cast<unsigned char>(jpeg[i]) != 0xFF) {
            return -1;
        }
        const auto marker = static_cast<unsigned char>(jpeg[i + 1]);
        if (marker == code) {
            return i;
        }
        if (marker == 0xDA) { // start of scan: no more header segments
            return -1;
        }
        const int len = (static_cast<unsigned char>(jpeg[i + 2]) << 8) |
                        static_cast<unsigned char>(jpeg[i + 3]);
        i += 2 + len;
    }
    return -1;
}

QImage TestPicture() {
    QImage img = CreateLayoutImage(37, 23);
    img.setPixel(10, 10, qRgb(255, 0, 0));
    return img;
}

} // namespace

class PictureFilesTest : public QObject {
    Q_OBJECT

private slots:
    void jpegIsBaselineFullColourQuality90() {
        const QByteArray jpeg = EncodeLayoutJpeg(TestPicture());
        QVERIFY(jpeg.startsWith("\xFF\xD8"));
        const qsizetype sof = FindMarker(jpeg, 0xC0); // baseline DCT frame
        QVERIFY(sof > 0);
        QCOMPARE(FindMarker(jpeg, 0xC2), qsizetype{-1}); // not progressive
        const auto byte = [&](qsizetype k) { return static_cast<unsigned char>(jpeg[sof + k]); };
        QCOMPARE(byte(4), 8);                   // sample precision
        QCOMPARE((byte(5) << 8) | byte(6), 23); // height
        QCOMPARE((byte(7) << 8) | byte(8), 37); // width
        QCOMPARE(byte(9), 3);                   // three components: colour
        // Quality 90 scales the standard luminance table by 20 %: its first entry 16 becomes 3.
        const qsizetype dqt = FindMarker(jpeg, 0xDB);
        QVERIFY(dqt > 0);
        QCOMPARE(static_cast<unsigned char>(jpeg[dqt + 4]), 0); // 8-bit table 0
        QCOMPARE(static_cast<unsigned char>(jpeg[dqt + 5]), 3);
    }

    void jpegFileDecodesToTheImageSize() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("layout.jpg"));
        SaveLayoutAsJpeg(TestPicture(), path.toStdString());
        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        const QImage back = reader.read();
        QCOMPARE(back.size(), QSize(37, 23));
        QVERIFY(qGray(back.pixel(20, 12)) > 240); // white stays white
    }

    void bmpLoadsBackExactly() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("layout.bmp"));
        const QImage img = TestPicture();
        SaveLayoutAsBmp(img, path.toStdString());
        QVERIFY(ReadAll(path).startsWith("BM"));
        const QImage back(path);
        QCOMPARE(back.size(), img.size());
        QCOMPARE(back.pixel(10, 10), qRgb(255, 0, 0));
        QCOMPARE(back.pixel(0, 0), qRgb(0, 0, 0));
        QCOMPARE(back.pixel(1, 1), qRgb(255, 255, 255));
    }

    void failedSaveKeepsTheExistingFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("old.jpg"));
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("keep me");
        }
        // A null image cannot be encoded: nothing is written.
        QVERIFY_THROWS_EXCEPTION(FileError, SaveLayoutAsJpeg(QImage(), path.toStdString()));
        QVERIFY_THROWS_EXCEPTION(FileError, SaveLayoutAsBmp(QImage(), path.toStdString()));
        QCOMPARE(ReadAll(path), QByteArray("keep me"));
        // No temporary files are left behind.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
    }

    void unwritablePlacesGiveAClearMessage() {
        QTemporaryDir dir;
        try {
            SaveLayoutAsJpeg(TestPicture(), dir.path().toStdString());
            QFAIL("saving over a folder must fail");
        } catch (const FileError& e) {
            QVERIFY(std::string(e.what()).find(dir.path().toStdString()) != std::string::npos);
        }
        const std::string missing =
            dir.filePath(QStringLiteral("no/such/folder/x.bmp")).toStdString();
        QVERIFY_THROWS_EXCEPTION(FileError, SaveLayoutAsBmp(TestPicture(), missing));
    }

    void pictureNamesGetTheEntrysExtension() {
        QCOMPARE(SaveFileName("/tmp/layout", SaveBoxPosition("jpeg")),
                 std::string("/tmp/layout.jpg"));
        QCOMPARE(SaveFileName("/tmp/layout", SaveBoxPosition("bitmap")),
                 std::string("/tmp/layout.bmp"));
        QCOMPARE(SaveFileName("/tmp/layout.bmp", SaveBoxPosition("jpeg")),
                 std::string("/tmp/layout.bmp"));
        QCOMPARE(SaveFileName("/tmp/my.dir/layout", SaveBoxPosition("jpeg")),
                 std::string("/tmp/my.dir/layout.jpg"));
        QCOMPARE(SaveFileName("/tmp/layout", SaveBoxPosition("kml")), std::string("/tmp/layout"));
        QCOMPARE(SaveFileName("/tmp/layout", SaveBoxPosition("shapefile")),
                 std::string("/tmp/layout"));
        QCOMPARE(SaveFileName("/tmp/layout", SaveBoxPosition("pdf")),
                 std::string("/tmp/layout.pdf"));
        QCOMPARE(SaveFileName("/tmp/layout", SaveBoxPosition("gpkg")),
                 std::string("/tmp/layout.gpkg"));
        QCOMPARE(SaveFileName("/tmp/layout.dat", SaveBoxPosition("fgb")),
                 std::string("/tmp/layout.dat"));
    }

    void jpgEntryWithABmpNameWritesAJpeg() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("picture.bmp"));
        SaveLayout(SaveBoxPosition("jpeg"), path.toStdString(), StartSettings(), SheetGrid{},
                   TestPicture());
        QVERIFY(ReadAll(path).startsWith("\xFF\xD8"));
        QVERIFY_THROWS_EXCEPTION(FileError,
                                 SaveLayout(SaveBoxPosition("bitmap"), path.toStdString(),
                                            StartSettings(), SheetGrid{}, QImage()));
    }
};

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    PictureFilesTest t;
    return QTest::qExec(&t, argc, argv);
}
#include "PictureFilesTest.moc"

#include "widgets/FormBackground.h"
#include "widgets/MessageBox.h"
#include "widgets/TLMDFormFill.h"

#include <QDataStream>
#include <QFile>
#include <QPainter>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace qv;

namespace {

const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kBlack = qRgb(0, 0, 0);

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

QString writeBmp(const QTemporaryDir& dir, const QString& name, const QImage& img) {
    const QString path = dir.filePath(name);
    EXPECT_TRUE(img.save(path, "BMP"));
    return path;
}

// A BMP header that declares width x height pixels and carries none of them.
QByteArray bmpHeaderOnly(qint32 width, qint32 height) {
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    s.writeRawData("BM", 2);
    s << quint32(54) << quint32(0) << quint32(54);
    s << quint32(40) << width << height << quint16(1) << quint16(24) << quint32(0) << quint32(0)
      << qint32(2835) << qint32(2835) << quint32(0) << quint32(0);
    return bytes;
}

QList<QRgb> columnColours(const QImage& img, int x = 0) {
    QList<QRgb> out;
    for (int y = 0; y < img.height(); ++y)
        out.append(img.pixel(x, y));
    return out;
}

int distinctRuns(const QList<QRgb>& column) {
    int runs = column.isEmpty() ? 0 : 1;
    for (int i = 1; i < column.size(); ++i)
        runs += column[i] != column[i - 1];
    return runs;
}

bool allPixels(const QImage& img, QRgb c) {
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != c)
                return false;
    return true;
}

} // namespace

TEST(FormFill, GradientRunsFromFirstToLastInHundredBands) {
    TLMDFormFill fill;
    fill.setGradient(QColor(kBlue), QColor(kBlack), 100);
    const QImage img = fill.image(QSize(30, 400));
    ASSERT_EQ(img.size(), QSize(30, 400));
    const QList<QRgb> col = columnColours(img);
    EXPECT_EQ(col.first(), kBlue);
    EXPECT_EQ(col.last(), kBlack);
    EXPECT_EQ(distinctRuns(col), 100);
    // Band i spans rows 4i..4i+3; colour i's blue is 255 - round(255 i / 99).
    EXPECT_EQ(col[3], kBlue);
    EXPECT_EQ(col[4], qRgb(0, 0, 252));   // 2.58 rounds to 3
    EXPECT_EQ(col[200], qRgb(0, 0, 126)); // 128.79 rounds to 129
    EXPECT_EQ(col[203], qRgb(0, 0, 126));
    EXPECT_EQ(col[396], kBlack);
    // Rows are uniform across the width.
    for (int y : {0, 123, 399})
        EXPECT_EQ(img.pixel(29, y), col[y]);

    // Every channel steps independently, upwards and downwards.
    fill.setGradient(QColor(10, 200, 0), QColor(250, 20, 99), 100);
    const QImage mixed = fill.image(QSize(5, 1080));
    EXPECT_EQ(mixed.pixel(0, 0), qRgb(10, 200, 0));
    EXPECT_EQ(mixed.pixel(0, 1079), qRgb(250, 20, 99));
}

TEST(FormFill, LowAreaShowsOnlySomeBands) {
    TLMDFormFill fill;
    fill.setGradient(QColor(kBlue), QColor(kBlack), 100);
    // 50 rows: band boundaries at round(i / 2) leave every odd band empty, so
    // row r shows colour 2r.
    const QList<QRgb> col = columnColours(fill.image(QSize(10, 50)));
    EXPECT_EQ(distinctRuns(col), 50);
    EXPECT_EQ(col[0], kBlue);
    EXPECT_EQ(col[1], qRgb(0, 0, 250)); // colour 2: 255 - round(5.15)
    EXPECT_EQ(col[49], qRgb(0, 0, 3));  // colour 98: 255 - round(252.42)

    EXPECT_EQ(distinctRuns(columnColours(fill.image(QSize(10, 7)))), 7);
}

TEST(FormFill, HalvesRoundAwayFromZero) {
    TLMDFormFill fill;
    fill.setGradient(QColor(0, 255, 1), QColor(255, 0, 0), 3);
    const QList<QRgb> col = columnColours(fill.image(QSize(1, 3)));
    ASSERT_EQ(col.size(), 3);
    // Midpoints 127.5 up, 127.5 down, 0.5 down.
    EXPECT_EQ(col[1], qRgb(128, 127, 0));
    // Band boundaries: 2 bands over 3 rows split at round(1.5) = 2.
    fill.setGradient(QColor(kBlue), QColor(kBlack), 2);
    EXPECT_EQ(columnColours(fill.image(QSize(1, 3))), (QList<QRgb>{kBlue, kBlue, kBlack}));

    EXPECT_EQ(nearestAwayFromZero(5, 2), 3);
    EXPECT_EQ(nearestAwayFromZero(-5, 2), -3);
    EXPECT_EQ(nearestAwayFromZero(-4, 3), -1);
    EXPECT_EQ(nearestAwayFromZero(254LL * 20'000'000'000LL, 99), 51'313'131'313LL);
}

TEST(FormFill, DegenerateGradients) {
    TLMDFormFill fill;
    fill.setGradient(QColor(40, 50, 60), QColor(40, 50, 60));
    EXPECT_TRUE(allPixels(fill.image(QSize(17, 333)), qRgb(40, 50, 60)));
    // A single colour has no steps to divide into.
    fill.setGradient(QColor(kBlue), QColor(kBlack), 1);
    EXPECT_EQ(fill.colorCount(), 1);
    EXPECT_TRUE(allPixels(fill.image(QSize(4, 9)), kBlue));
    fill.setGradient(QColor(kBlue), QColor(kBlack), 1000);
    EXPECT_EQ(fill.colorCount(), 255);
    // An empty client area renders nothing.
    EXPECT_TRUE(fill.image(QSize(0, 100)).isNull());
}

TEST(FormFill, ImageIsRenderedAgainOnlyWhenSizeOrDescriptionChanges) {
    TLMDFormFill fill;
    fill.setGradient(QColor(kBlue), QColor(kBlack));
    fill.image(QSize(100, 200));
    const int first = fill.renderCount();
    fill.image(QSize(100, 200));
    fill.setGradient(QColor(kBlue), QColor(kBlack));
    QImage target(100, 200, QImage::Format_RGB32);
    QPainter p(&target);
    fill.paint(p, target.rect());
    p.end();
    EXPECT_EQ(fill.renderCount(), first);
    EXPECT_EQ(target.pixel(0, 0), kBlue);

    fill.image(QSize(100, 201));
    EXPECT_EQ(fill.renderCount(), first + 1);
    fill.setGradient(QColor(kBlack), QColor(kBlue));
    EXPECT_EQ(fill.image(QSize(100, 201)).pixel(0, 0), kBlack);
    EXPECT_EQ(fill.renderCount(), first + 2);
}

// A paint draws only the exposed part of the client area, and the same pixels
// there as the whole fill, wherever the client area sits in the target.
TEST(FormFill, ExposedPartsMatchTheWholeFill) {
    QTemporaryDir dir;
    QImage tile(3, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            tile.setPixel(x, y, qRgb(x * 100, y * 100, 7));
    TLMDFormFill gradient;
    gradient.setGradient(QColor(kBlue), QColor(200, 100, 0));
    TLMDFormFill picture;
    ASSERT_TRUE(picture.setBitmapFile(writeBmp(dir, QStringLiteral("tile.bmp"), tile)));

    const QRgb untouched = qRgb(1, 2, 3);
    const QRect client(20, 10, 50, 300);
    const QList<QRect> exposed = {QRect(25, 40, 10, 7), QRect(0, 200, 90, 150), QRect(0, 0, 5, 5)};
    for (TLMDFormFill* fill : {&gradient, &picture}) {
        const QImage whole = fill->image(client.size());
        QImage target(80, 330, QImage::Format_RGB32);
        target.fill(untouched);
        QPainter p(&target);
        for (const QRect& r : exposed)
            fill->paint(p, client, r);
        p.end();
        for (int y = 0; y < target.height(); ++y)
            for (int x = 0; x < target.width(); ++x) {
                bool inside = false;
                for (const QRect& r : exposed)
                    inside = inside || (r & client).contains(x, y);
                const QRgb want = inside ? whole.pixel(x - client.x(), y - client.y()) : untouched;
                ASSERT_EQ(target.pixel(x, y), want) << x << "," << y;
            }
    }
}

TEST(FormFill, BitmapTilesFromTheTopLeft) {
    QTemporaryDir dir;
    TLMDFormFill fill;

    QImage dot(1, 1, QImage::Format_RGB32);
    dot.fill(qRgb(200, 10, 10));
    ASSERT_TRUE(fill.setBitmapFile(writeBmp(dir, QStringLiteral("dot.bmp"), dot)));
    EXPECT_EQ(fill.style(), TLMDFormFill::Style::Bitmap);
    EXPECT_TRUE(allPixels(fill.image(QSize(37, 23)), qRgb(200, 10, 10)));

    QImage tile(3, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            tile.setPixel(x, y, qRgb(x * 100, y * 100, 7));
    ASSERT_TRUE(fill.setBitmapFile(writeBmp(dir, QStringLiteral("tile.bmp"), tile)));
    const QImage tiled = fill.image(QSize(10, 5));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(tiled.pixel(x, y), tile.pixel(x % 3, y % 2)) << x << "," << y;

    // Larger than the area: its top-left part.
    QImage big(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            big.setPixel(x, y, qRgb(x * 3, y * 5, 1));
    ASSERT_TRUE(fill.setBitmapFile(writeBmp(dir, QStringLiteral("big.bmp"), big)));
    const QImage part = fill.image(QSize(20, 10));
    EXPECT_EQ(part, big.copy(0, 0, 20, 10));
}

TEST(FormFill, UnloadableBitmapsAreRefusedWithoutChange) {
    QTemporaryDir dir;
    TLMDFormFill fill;
    fill.setGradient(QColor(kBlue), QColor(kBlack), 100);

    QImage ok(8, 8, QImage::Format_RGB32);
    ok.fill(Qt::white);
    QByteArray whole;
    {
        const QString path = writeBmp(dir, QStringLiteral("whole.bmp"), ok);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        whole = f.readAll();
    }
    const QStringList bad = {
        QString(),
        dir.filePath(QStringLiteral("missing.bmp")),
        dir.path(),
        writeFile(dir, QStringLiteral("notes.bmp"), "just some text, not a picture\n"),
        writeFile(dir, QStringLiteral("empty.bmp"), QByteArray()),
        writeFile(dir, QStringLiteral("huge.bmp"), bmpHeaderOnly(100000, 100000)),
        writeFile(dir, QStringLiteral("wide.bmp"), bmpHeaderOnly(2'000'000'000, 1)),
        writeFile(dir, QStringLiteral("cut.bmp"), whole.left(30)),
        writeFile(dir, QStringLiteral("short.bmp"), whole.left(whole.size() - 1)),
    };
    for (const QString& path : bad) {
        EXPECT_FALSE(fill.setBitmapFile(path)) << qPrintable(path);
        EXPECT_EQ(fill.style(), TLMDFormFill::Style::Gradient) << qPrintable(path);
    }
    EXPECT_EQ(fill.image(QSize(2, 400)).pixel(0, 0), kBlue);
}

TEST(FormBackground, AppliesGradientOrPicture) {
    MessageBox::setTesting(true);
    MessageBox::clear();
    QTemporaryDir dir;
    QImage dot(1, 1, QImage::Format_RGB32);
    dot.fill(qRgb(1, 2, 3));

    TLMDFormFill fill;
    BackgroundSettings prefs;
    prefs.BkgColor1 = QColor(9, 8, 7);
    prefs.BkgColor2 = QColor(70, 80, 90);
    // The file is not looked at while the gradient is chosen.
    prefs.BkgBitmapFile = dir.filePath(QStringLiteral("missing.bmp"));
    UpdateFormBkg(fill, prefs, nullptr);
    EXPECT_EQ(fill.style(), TLMDFormFill::Style::Gradient);
    EXPECT_EQ(fill.colorCount(), 100);
    const QImage g = fill.image(QSize(3, 200));
    EXPECT_EQ(g.pixel(0, 0), qRgb(9, 8, 7));
    EXPECT_EQ(g.pixel(0, 199), qRgb(70, 80, 90));

    prefs.TiledBackground = true;
    prefs.BkgBitmapFile = writeBmp(dir, QStringLiteral("dot.bmp"), dot);
    UpdateFormBkg(fill, prefs, nullptr);
    EXPECT_EQ(fill.style(), TLMDFormFill::Style::Bitmap);
    EXPECT_TRUE(prefs.TiledBackground);
    EXPECT_TRUE(allPixels(fill.image(QSize(5, 5)), qRgb(1, 2, 3)));
    EXPECT_TRUE(MessageBox::takeShown().isEmpty());
    MessageBox::setTesting(false);
}

TEST(FormBackground, UnloadablePictureFallsBackToGradient) {
    MessageBox::setTesting(true);
    MessageBox::clear();
    QTemporaryDir dir;
    const QStringList paths = {
        QString(),
        dir.filePath(QStringLiteral("gone.bmp")),
        writeFile(dir, QStringLiteral("text.bmp"), "plain text"),
    };
    for (const QString& path : paths) {
        TLMDFormFill fill;
        BackgroundSettings prefs;
        prefs.TiledBackground = true;
        prefs.BkgBitmapFile = path;
        UpdateFormBkg(fill, prefs, nullptr);

        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        ASSERT_EQ(shown.size(), 1) << qPrintable(path);
        EXPECT_EQ(shown[0].kind, MessageBox::Kind::Error);
        EXPECT_EQ(shown[0].text, QStringLiteral("The gradient bitmap file could not be found!"));
        EXPECT_FALSE(prefs.TiledBackground);
        EXPECT_EQ(prefs.BkgBitmapFile, path) << "the chosen file is kept";
        EXPECT_EQ(fill.style(), TLMDFormFill::Style::Gradient);
        EXPECT_EQ(fill.colorCount(), 100);
        const QImage img = fill.image(QSize(4, 300));
        EXPECT_EQ(img.pixel(0, 0), kBlue);
        EXPECT_EQ(img.pixel(0, 299), kBlack);
    }
    MessageBox::setTesting(false);
}

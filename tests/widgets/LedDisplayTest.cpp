#include "support/PaintWatch.h"
#include "widgets/TLMDLEDLabel.h"

#include <QExposeEvent>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

using namespace qv;

namespace {

const QRgb kActive = qRgb(255, 0, 0);
const QRgb kInactive = qRgb(0, 0, 200);
const QRgb kBack = qRgb(20, 20, 20);

// The hand-worked cell used below: H = 20, V = 12, T = 4, so t = 2, M = 18 and
// a cell of 40 x 52. Pixel positions in these tests come from that geometry:
//   top bar rows 4..7, middle bar rows 24..27, bottom bar rows 44..47,
//   left bars columns 4..7, right bars columns 32..35, centre bars 18..21,
//   centre dot columns 17..20 rows 23..26, bottom dot rows 43..46,
//   upper-left diagonal through (13,16), upper-right through (26,16) and (27,16),
//   lower-left through (12,36), lower-right through (27,36).
void configure(TLMDLEDLabel& led, const QString& caption, int h = 20, int v = 12, int t = 4) {
    TLMDLED s;
    s.Horzsize = h;
    s.Vertsize = v;
    s.Thickness = t;
    s.ActiveColor = QColor(kActive);
    s.InActiveColor = QColor(kInactive);
    led.setLED(s);
    led.setColor(QColor(kBack));
    led.setAutoSize(true);
    led.setCaption(caption);
}

QImage draw(const QString& caption, int h = 20, int v = 12, int t = 4) {
    TLMDLEDLabel led;
    configure(led, caption, h, v, t);
    return led.render();
}

// The unlit checkerboard, relative to the cell's corner.
QRgb unlitAt(int x, int y) {
    return (x + y) % 2 == 0 ? kInactive : kBack;
}

int countColour(const QImage& img, QRgb c) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += img.pixel(x, y) == c;
    return n;
}

// The main window's read-out: the cells above inside the timer's bevel, shown
// and painted. False if the window never showed.
bool showTimerLed(QWidget& window, TLMDLEDLabel& led, const QString& caption) {
    configure(led, caption);
    led.setBevel(timerLedBevel());
    window.show();
    const bool exposed = QTest::qWaitForWindowExposed(&window);
    QCoreApplication::processEvents();
    return exposed;
}

// What a fresh display of that caption paints.
QImage freshRender(const QString& caption) {
    TLMDLEDLabel fresh;
    configure(fresh, caption);
    fresh.setBevel(timerLedBevel());
    return fresh.render();
}

// What the window's buffer holds where the widget is.
QImage bufferOf(const QWidget& w) {
    const QWidget* top = w.window();
    return top->screen()
        ->grabWindow(top->winId())
        .toImage()
        .copy(QRect(w.mapTo(top, QPoint(0, 0)), w.size()))
        .convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(LedDisplay, AutoSizeFollowsCellsAndBevel) {
    TLMDLEDLabel timer;
    timer.setBevel(timerLedBevel());
    configure(timer, QStringLiteral("00:00:00"), 40, 45, 6);
    EXPECT_EQ(timer.size(), QSize(567, 138));
    timer.setCaption(QStringLiteral("        "));
    EXPECT_EQ(timer.size(), QSize(567, 138)) << "the blank phase must not move the display";

    TLMDLEDLabel sample;
    configure(sample, QStringLiteral("00:00:00"), 14, 12, 3);
    EXPECT_EQ(sample.size(), QSize(233, 45));
    EXPECT_EQ(sample.sizeHint(), QSize(233, 45));

    // An empty caption is still one cell; a carriage return opens a line, other
    // control characters take no cell.
    sample.setCaption(QString());
    EXPECT_EQ(sample.size(), QSize(29 + 1, 45));
    sample.setCaption(QStringLiteral("12\r3"));
    EXPECT_EQ(sample.size(), QSize(2 * 29 + 1, 2 * 45));
    sample.setCaption(QStringLiteral("\t1\n2\x01"));
    EXPECT_EQ(sample.size(), QSize(2 * 29 + 1, 45));
    sample.setCaption(QStringLiteral("\r\r"));
    EXPECT_EQ(sample.size(), QSize(29 + 1, 3 * 45));

    // Without AutoSize the widget keeps the size it is given.
    TLMDLEDLabel fixed;
    fixed.resize(50, 20);
    fixed.setCaption(QStringLiteral("00:00:00"));
    EXPECT_EQ(fixed.size(), QSize(50, 20));
    fixed.setAutoSize(true);
    EXPECT_EQ(fixed.size(), QSize(8 * (9 + 10) + 1, 14 + 14));
}

TEST(LedDisplay, LongCaptionsDoNotWrapTheCounts) {
    TLMDLEDLabel led;
    configure(led, QString(300, QLatin1Char('8')), 14, 12, 3);
    EXPECT_EQ(led.width(), 300 * 29 + 1);
    QString lines;
    for (int i = 0; i < 299; ++i)
        lines += QStringLiteral("1\r");
    led.setCaption(lines);
    EXPECT_EQ(led.height(), 300 * 45);
    // Far beyond any widget size: clamped, not overflowed.
    led.setLED({255, 255, 255, QColor(kActive), QColor(kInactive), true});
    led.setCaption(QString(2'000'000, QLatin1Char('0')));
    EXPECT_EQ(led.sizeHint().width(), QWIDGETSIZE_MAX);
}

TEST(LedDisplay, ZeroLightsItsRingAndTheFallingDiagonal) {
    const QImage img = draw(QStringLiteral("0"));
    ASSERT_EQ(img.size(), QSize(41, 52));
    // Ring: top, upper and lower sides, bottom.
    for (QPoint p : {QPoint(20, 5), QPoint(6, 15), QPoint(34, 15), QPoint(6, 36), QPoint(34, 36),
                     QPoint(20, 46)})
        EXPECT_EQ(img.pixel(p), kActive) << p.x() << "," << p.y();
    // Diagonal from top left to bottom right.
    EXPECT_EQ(img.pixel(13, 16), kActive);
    EXPECT_EQ(img.pixel(27, 36), kActive);
    // The other diagonal, the centre bars and the middle bar stay unlit.
    for (QPoint p : {QPoint(26, 16), QPoint(27, 16), QPoint(12, 36), QPoint(20, 14), QPoint(21, 14),
                     QPoint(12, 26), QPoint(13, 26)})
        EXPECT_EQ(img.pixel(p), unlitAt(p.x(), p.y())) << p.x() << "," << p.y();
    // Between segments: background.
    EXPECT_EQ(img.pixel(1, 1), kBack);
    EXPECT_EQ(img.pixel(40, 20), kBack) << "the column right of the cells";
}

TEST(LedDisplay, OneIsTheCentreBar) {
    const QImage img = draw(QStringLiteral("1"));
    for (int y : {14, 36}) {
        int first = -1;
        int last = -1;
        for (int x = 0; x < 40; ++x)
            if (img.pixel(x, y) == kActive) {
                first = first < 0 ? x : first;
                last = x;
            }
        ASSERT_GE(first, 0) << "row " << y;
        EXPECT_EQ(first, 18);
        EXPECT_LE(std::abs(first - (39 - last)), 1) << "row " << y << " not centred";
    }
    // The outer bars are unlit.
    EXPECT_EQ(img.pixel(34, 16), unlitAt(34, 16));
    EXPECT_EQ(img.pixel(6, 16), unlitAt(6, 16));
}

TEST(LedDisplay, ColonDotsSitAtMiddleAndBottomBar) {
    const QImage img = draw(QStringLiteral(":"));
    EXPECT_EQ(img.pixel(19, 25), kActive);
    EXPECT_EQ(img.pixel(19, 45), kActive);
    EXPECT_EQ(img.pixel(19, 5), unlitAt(19, 5)) << "no top dot";
    EXPECT_EQ(img.pixel(18, 5), unlitAt(18, 5));
    // Dots only: rows of the bars' centres away from the dots are unlit.
    EXPECT_EQ(img.pixel(10, 26), unlitAt(10, 26));
    EXPECT_EQ(img.pixel(11, 26), unlitAt(11, 26));
    int rowsLit = 0;
    for (int y = 0; y < img.height(); ++y)
        rowsLit += img.pixel(19, y) == kActive;
    EXPECT_LE(rowsLit, 2 * (4 + 1));
}

TEST(LedDisplay, UnlitSegmentsShowTheCheckerboardInEveryCell) {
    const QImage img = draw(QStringLiteral("        "));
    ASSERT_EQ(img.size(), QSize(8 * 40 + 1, 52));
    EXPECT_EQ(countColour(img, kActive), 0);
    for (int cell : {0, 3, 7})
        for (QPoint p : {QPoint(20, 5), QPoint(21, 5), QPoint(6, 36), QPoint(7, 36), QPoint(13, 16),
                         QPoint(14, 16)})
            EXPECT_EQ(img.pixel(cell * 40 + p.x(), p.y()), unlitAt(p.x(), p.y()))
                << "cell " << cell << " at " << p.x() << "," << p.y();
}

TEST(LedDisplay, LitSegmentsCoverTheirUnlitShape) {
    const QImage blank = draw(QStringLiteral(" "));
    const QImage one = draw(QStringLiteral("1"));
    // Around the upper centre bar, clear of the diagonals and the top dot.
    int fuller = 0;
    for (int y = 8; y <= 17; ++y)
        for (int x = 17; x <= 23; ++x) {
            if (blank.pixel(x, y) != kBack)
                EXPECT_EQ(one.pixel(x, y), kActive) << x << "," << y;
            else
                fuller += one.pixel(x, y) == kActive;
        }
    EXPECT_GT(fuller, 0) << "the outline makes lit segments a pixel fuller";
}

// Every lit character at two sizes, at scale 1 and 2, against its segments drawn
// straight over a blank display, outline and all, and then scaled: laying ready
// segment pictures over the unlit cell must not lose the outline's last row or
// column, nor shift a segment.
TEST(LedDisplay, LitCharactersAreTheirSegmentsDrawnOverTheUnlitCell) {
    const QString text = QStringLiteral("0123456789:-");
    for (auto [h, v, t] : {std::tuple{20, 12, 4}, std::tuple{37, 29, 9}}) {
        const LedCellGeometry g = computeLedGeometry(h, v, t);
        TLMDLEDLabel blank;
        configure(blank, QString(text.size(), QLatin1Char(' ')), h, v, t);
        QImage drawn = blank.render();
        QPainter p(&drawn);
        p.setPen(QPen(QColor(kActive), 0));
        p.setBrush(QColor(kActive));
        for (int cell = 0; cell < text.size(); ++cell) {
            const std::uint16_t mask = ledLitMask(text[cell].unicode(), g.horz, g.vert);
            for (int i = 0; i < kLedSegmentCount; ++i)
                if (((mask >> i) & 1) != 0 && !g.outlines[i].isEmpty())
                    p.drawPolygon(g.outlines[i].translated(cell * g.cellWidth, 0));
        }
        p.end();
        TLMDLEDLabel lit;
        configure(lit, text, h, v, t);
        for (qreal ratio : {1.0, 2.0}) {
            QImage expected(drawn.size() * ratio, QImage::Format_RGB32);
            expected.setDevicePixelRatio(ratio);
            QPainter scaled(&expected);
            scaled.drawImage(QPoint(0, 0), drawn);
            scaled.end();
            EXPECT_EQ(lit.render(ratio), expected) << h << "/" << v << "/" << t << " at " << ratio;
        }
    }
}

TEST(LedDisplay, SmallSizesLightOnlyTheOuterBars) {
    for (auto [h, v] : {std::pair{3, 12}, std::pair{20, 3}}) {
        EXPECT_EQ(countColour(draw(QStringLiteral("1"), h, v), kActive), 0) << h << "/" << v;
        EXPECT_EQ(countColour(draw(QStringLiteral(":"), h, v), kActive), 0) << h << "/" << v;
    }
    // At H = 4 the centre bar is back.
    EXPECT_GT(countColour(draw(QStringLiteral("1"), 4, 12), kActive), 0);
    // A zero keeps its ring but loses the diagonal; with H = 3 and T = 4 the
    // diagonals would run through the cell centre, bars do not.
    const QImage zero = draw(QStringLiteral("0"), 3, 12);
    const QImage eight = draw(QStringLiteral("8"), 3, 12);
    EXPECT_GT(countColour(zero, kActive), 0);
    // Both light the same segments but for the middle bar, so the zero has
    // fewer lit pixels than the eight and nothing around the cell's centre.
    EXPECT_LT(countColour(zero, kActive), countColour(eight, kActive));
    const int cx = (3 + 5 * 4) / 2;
    for (int y = 10; y < 22; ++y)
        EXPECT_NE(zero.pixel(cx, y), kActive) << y;
}

TEST(LedDisplay, LinesAndControlCharacters) {
    const QImage img = draw(QStringLiteral("1\r\x07:"));
    ASSERT_EQ(img.size(), QSize(41, 104));
    EXPECT_EQ(img.pixel(20, 14), kActive) << "first line: the one";
    EXPECT_EQ(img.pixel(19, 52 + 25), kActive) << "second line: the colon";
    EXPECT_EQ(img.pixel(20, 52 + 14), unlitAt(20, 14));
    // Beside a shorter line, and in the column after the last cell, is the
    // display's colour.
    const QImage uneven = draw(QStringLiteral("1\r::"));
    ASSERT_EQ(uneven.size(), QSize(81, 104));
    EXPECT_EQ(uneven.pixel(60, 5), kBack);
    EXPECT_EQ(uneven.pixel(80, 5), kBack);
    EXPECT_EQ(uneven.pixel(40 + 20, 52 + 5), unlitAt(20, 5));
    // A character without a picture shows an unlit cell.
    const QImage other = draw(QStringLiteral("x"));
    EXPECT_EQ(countColour(other, kActive), 0);
    EXPECT_EQ(other.pixel(20, 5), unlitAt(20, 5));
}

TEST(LedDisplay, DisabledDigitsHideLitSegments) {
    TLMDLEDLabel led;
    configure(led, QStringLiteral("88"));
    led.setEnabled(false);
    EXPECT_EQ(countColour(led.render(), kActive), 0);
    EXPECT_EQ(led.render().pixel(20, 5), unlitAt(20, 5));
    led.setDisabledDigits(false);
    EXPECT_GT(countColour(led.render(), kActive), 0);
    led.setEnabled(true);
    led.setDisabledDigits(true);
    EXPECT_GT(countColour(led.render(), kActive), 0);
}

TEST(LedDisplay, LoweredBevelLightBelowAndRightShadowAboveAndLeft) {
    TLMDLEDLabel led;
    TLMDBevel b = timerLedBevel();
    led.setBevel(b);
    configure(led, QStringLiteral("0"));
    const QImage img = led.render();
    ASSERT_EQ(img.size(), QSize(47, 58));
    const QRgb light = b.LightColor.rgb();
    const QRgb shadow = b.ShadowColor.rgb();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(img.pixel(20, 55 + i), light) << "bottom band row " << 55 + i;
        EXPECT_EQ(img.pixel(44 + i, 20), light) << "right band column " << 44 + i;
        EXPECT_EQ(img.pixel(20, i), shadow) << "top band row " << i;
        EXPECT_EQ(img.pixel(i, 20), shadow) << "left band column " << i;
    }
    EXPECT_EQ(img.pixel(1, 1), shadow);
    EXPECT_EQ(img.pixel(45, 56), light);
    // The cells start inside the bevel.
    EXPECT_EQ(img.pixel(3 + 20, 3 + 5), kActive);
    EXPECT_EQ(img.pixel(3, 3), kBack);

    // What the widget paints on screen is what render() shows, seams included.
    led.setColor(QColor(0, 60, 0));
    EXPECT_EQ(led.grab().toImage().convertToFormat(QImage::Format_RGB32), led.render());
    led.setColor(QColor(kBack));

    b.StyleOuter = bvRaised;
    led.setBevel(b);
    const QImage raised = led.render();
    EXPECT_EQ(raised.pixel(20, 1), light);
    EXPECT_EQ(raised.pixel(20, 56), shadow);

    // A bevel wider than the widget leaves no drawing area: no cells, no crash.
    b.WidthOuter = 200;
    led.setAutoSize(false);
    led.setBevel(b);
    EXPECT_EQ(countColour(led.render(), kActive), 0);
}

TEST(LedDisplay, CachesAreRebuiltOnlyOnRealChanges) {
    TLMDLEDLabel led;
    configure(led, QStringLiteral("12:34:56"));
    led.render();
    const int cells = led.cellImageBuilds();
    const int patterns = led.patternBuilds();
    ASSERT_GE(cells, 1);

    led.render();
    led.setCaption(QStringLiteral("00:00:00"));
    led.setActiveColor(QColor(0, 255, 255));
    led.setInActiveColor(QColor(kInactive));
    led.setColor(QColor(kBack));
    led.setHorzsize(20);
    const QImage recoloured = led.render();
    EXPECT_EQ(led.cellImageBuilds(), cells);
    EXPECT_EQ(led.patternBuilds(), patterns);
    EXPECT_EQ(recoloured.pixel(20, 5), qRgb(0, 255, 255)) << "lit segments take the new colour";

    led.setInActiveColor(QColor(1, 2, 3));
    led.render();
    EXPECT_EQ(led.cellImageBuilds(), cells + 1);
    EXPECT_EQ(led.patternBuilds(), patterns + 1);
    EXPECT_EQ(led.render().pixel(2 * 40 + 20, 4), qRgb(1, 2, 3)) << "the colon cell's top bar";
    EXPECT_EQ(led.render().pixel(20, 5), qRgb(0, 255, 255));

    led.setThickness(5);
    // Thicker bars: the top bar now spans rows 5..8 and the image grew.
    const QImage thicker = led.render();
    EXPECT_EQ(thicker.width(), 8 * (20 + 25) + 1);
    EXPECT_EQ(thicker.pixel(22, 8), qRgb(0, 255, 255));
    EXPECT_EQ(led.cellImageBuilds(), cells + 2);
    EXPECT_EQ(led.patternBuilds(), patterns + 1);
}

TEST(LedDisplay, SameValueNeitherRepaintsNorResizes) {
    TLMDLEDLabel led;
    qv::testing::PaintWatch paints(&led);
    configure(led, QStringLiteral("00:00:00"));
    led.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&led));
    QCoreApplication::processEvents();
    const int painted = paints.count();
    const QSize size = led.size();

    led.setHorzsize(20);
    led.setCaption(QStringLiteral("00:00:00"));
    led.setColor(QColor(kBack));
    led.setActiveColor(QColor(kActive));
    led.setAutoSize(true);
    led.setBevel(TLMDBevel());
    led.setLED(led.led());
    QCoreApplication::processEvents();
    EXPECT_EQ(paints.count(), painted);
    EXPECT_EQ(led.size(), size);

    // A real change repaints at once and lays out again.
    led.setHorzsize(21);
    EXPECT_GT(paints.count(), painted);
    EXPECT_EQ(led.width(), 8 * (21 + 20) + 1);
    const int afterResize = paints.count();
    led.setActiveColor(QColor(0, 0, 255));
    EXPECT_GT(paints.count(), afterResize);
    EXPECT_EQ(led.width(), 8 * (21 + 20) + 1);
}

TEST(LedDisplay, NewCaptionRepaintsOnlyTheSegmentsThatChanged) {
    TLMDLEDLabel led;
    qv::testing::PaintWatch paints(&led);
    ASSERT_TRUE(showTimerLed(led, led, QStringLiteral("00:04:59")));
    const int painted = paints.count();

    // Cells are 20 + 5 * 4 = 40 wide and 2 * 12 + 7 * 4 = 52 high, inside a
    // 3-pixel bevel. 9 and 8 differ in the lower left bar alone (columns 4..7,
    // rows 28..43 of the cell), which is repainted with its pen's pixel around.
    led.setCaption(QStringLiteral("00:04:58"));
    EXPECT_EQ(paints.count(), painted + 1) << "repainted at once";
    const QRect lastCell(3 + 7 * 40, 3, 40, 52);
    EXPECT_TRUE(lastCell.contains(paints.lastRect()));
    EXPECT_LT(paints.lastRect().width() * paints.lastRect().height(), 40 * 52 / 4);
    EXPECT_TRUE(paints.lastRect().contains(QRect(3 + 7 * 40 + 4, 3 + 28, 4, 16)));
    EXPECT_EQ(bufferOf(led), led.render());
    led.setCaption(QStringLiteral("00:03:59"));
    EXPECT_TRUE(QRect(3 + 4 * 40, 3, 4 * 40, 52).contains(paints.lastRect())) << "cells 4, 6 and 7";
    EXPECT_EQ(bufferOf(led), led.render());
    // Characters that light the same segments (two the display has no picture
    // for) repaint nothing.
    const int before = paints.count();
    led.setCaption(QStringLiteral("00:03:5#"));
    led.setCaption(QStringLiteral("00:03:5%"));
    EXPECT_EQ(paints.count(), before + 1);
    EXPECT_EQ(bufferOf(led), led.render());
    led.setCaption(QStringLiteral("00:03:59"));

    // Blanking for the flashing display (where the screen keeps no phases)
    // turns off the lit segments of every cell; a caption of another length
    // lays out again and repaints whole.
    led.setCaption(QStringLiteral("        "));
    EXPECT_TRUE(QRect(3, 3, 8 * 40, 52).contains(paints.lastRect()));
    EXPECT_EQ(bufferOf(led), led.render());
    led.setCaption(QStringLiteral("100:00:00"));
    EXPECT_EQ(paints.lastRect(), led.rect());
    EXPECT_EQ(bufferOf(led), led.render());
}

// Digits as large as a maximised window's: a second's change repaints the boxes
// of the segments that went on or off, not the box around them all, and the
// window still shows what a fresh paint shows.
TEST(LedDisplay, LargeDigitsRepaintTheChangedSegmentsAlone) {
    TLMDLEDLabel led;
    qv::testing::PaintWatch paints(&led);
    configure(led, QStringLiteral("00:04:50"), 231, 254, 38);
    led.setBevel(timerLedBevel());
    led.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&led));
    QCoreApplication::processEvents();
    const auto pixels = [](const QRegion& region) {
        qint64 n = 0;
        for (const QRect& r : region)
            n += qint64(r.width()) * r.height();
        return n;
    };
    const auto fresh = [](const QString& caption) {
        TLMDLEDLabel other;
        configure(other, caption, 231, 254, 38);
        other.setBevel(timerLedBevel());
        return other.render();
    };
    // 0 to 9 lights the centre bars and turns off the lower left bar: a box
    // around them would hold most of the cell.
    led.setCaption(QStringLiteral("00:04:49"));
    const QRegion changed = paints.lastRegion();
    EXPECT_GT(changed.rectCount(), 1);
    EXPECT_LT(pixels(changed), pixels(QRegion(changed.boundingRect())) * 2 / 3);
    EXPECT_EQ(bufferOf(led), fresh(QStringLiteral("00:04:49")));
    for (int s = 48; s >= 0; s -= 7) {
        const QString caption = QStringLiteral("00:03:%1").arg(s, 2, 10, QLatin1Char('0'));
        led.setCaption(caption);
        EXPECT_EQ(bufferOf(led), fresh(caption)) << caption.toStdString();
    }
}

TEST(LedDisplay, SettingsAreClampedToBytes) {
    TLMDLEDLabel led;
    led.setHorzsize(300);
    led.setThickness(-4);
    EXPECT_EQ(led.led().Horzsize, 255);
    EXPECT_EQ(led.led().Thickness, 0);
    // No thickness and no length: an empty cell, drawn without trouble.
    led.setHorzsize(0);
    led.setVertsize(0);
    led.setAutoSize(true);
    led.setCaption(QStringLiteral("0"));
    EXPECT_EQ(led.size(), QSize(1, 0));
    EXPECT_TRUE(led.render().isNull());
}

// While the display flashes, each phase repaints the cells alone, on top of
// what the last phase left; what the window then shows is what a fresh paint of
// that caption shows, bevel included.
TEST(LedDisplay, FlashingPhasesShowWhatAFreshPaintShows) {
    TLMDLEDLabel led;
    qv::testing::PaintWatch paints(&led);
    ASSERT_TRUE(showTimerLed(led, led, QStringLiteral("00:00:00")));
    const QRect cells(3, 3, 8 * 40, 52);
    for (const QString& caption : {QStringLiteral("        "), QStringLiteral("00:00:00"),
                                   QStringLiteral("        "), QStringLiteral("00:00:00")}) {
        led.setCaption(caption);
        EXPECT_TRUE(cells.contains(paints.lastRect())) << "nothing outside the cells";
        const QImage shown = bufferOf(led);
        EXPECT_EQ(shown, freshRender(caption)) << caption.toStdString();
        if (!caption.trimmed().isEmpty())
            continue;
        for (int cell : {0, 5}) {
            for (QPoint p : {QPoint(20, 5), QPoint(21, 5), QPoint(13, 16), QPoint(14, 16)}) {
                EXPECT_EQ(shown.pixel(3 + cell * 40 + p.x(), 3 + p.y()), unlitAt(p.x(), p.y()))
                    << "the checkerboard starts at each cell's corner, inside the bevel";
            }
        }
    }
}

namespace {

// A screen that keeps what it is given and records what it is asked to show.
struct KeptFrames : ScreenFrames {
    struct Log {
        std::array<QImage, 2> kept;
        int keeps = 0;
        std::vector<std::pair<int, QPoint>> shown;
        bool refuse = false;
    };
    explicit KeptFrames(std::shared_ptr<Log> l) : log(std::move(l)) {}
    bool keep(int index, const QImage& picture) override {
        if (log->refuse)
            return false;
        log->kept[std::size_t(index)] = picture;
        ++log->keeps;
        return true;
    }
    bool show(int index, QPoint at) override {
        log->shown.emplace_back(index, at);
        return true;
    }
    std::shared_ptr<Log> log;
};

const QString kBlank = QStringLiteral("        ");
const QString kZero = QStringLiteral("00:00:00");

struct FlashingWindow {
    FlashingWindow() {
        window.resize(400, 100);
        led = new TLMDLEDLabel(&window);
        led->move(7, 5);
        led->setScreenFrames(std::make_unique<KeptFrames>(log));
        EXPECT_TRUE(showTimerLed(window, *led, kZero));
    }
    QImage onScreen() const { return bufferOf(*led); }
    QWidget window;
    TLMDLEDLabel* led = nullptr;
    std::shared_ptr<KeptFrames::Log> log = std::make_shared<KeptFrames::Log>();
};

} // namespace

// Where the screen keeps pictures, each phase of the flashing display is
// composed once and then only shown, at the display's place in its window,
// with no repaint; a new look composes both anew.
TEST(LedFlashing, EachPhaseIsKeptOnceThenOnlyShown) {
    FlashingWindow w;
    qv::testing::PaintWatch paints(w.led);
    const int painted = paints.count();
    for (int i = 0; i < 6; ++i)
        w.led->setCaption(i % 2 == 0 ? kBlank : kZero);
    EXPECT_EQ(paints.count(), painted) << "no phase repainted";
    EXPECT_EQ(w.log->keeps, 2);
    ASSERT_EQ(w.log->shown.size(), 6u);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(w.log->shown[std::size_t(i)], std::make_pair(i % 2 == 0 ? 0 : 1, QPoint(7, 5)));
    EXPECT_EQ(w.log->kept[0], freshRender(kBlank));
    EXPECT_EQ(w.log->kept[1], freshRender(kZero));
    EXPECT_EQ(w.led->caption(), kZero);
    EXPECT_EQ(w.led->readOut(), kZero);

    w.led->setActiveColor(QColor(0, 255, 0));
    w.led->setCaption(kBlank);
    w.led->setCaption(kZero);
    EXPECT_EQ(w.log->keeps, 4) << "both phases composed again in the new colour";
    EXPECT_EQ(w.log->kept[1], w.led->render());

    // Counting is not flashing: a caption that is not blank after one that is
    // not either is painted as before.
    w.led->setCaption(QStringLiteral("00:00:01"));
    EXPECT_EQ(w.log->shown.size(), 8u);
}

// While a kept phase shows, the window's buffer may still hold the other one:
// what follows the flashing, and an uncovered window, are painted whole.
TEST(LedFlashing, TheWindowsBufferCatchesUpWithAKeptPhase) {
    FlashingWindow w;
    qv::testing::PaintWatch paints(w.led);
    w.led->setCaption(kBlank);
    const int painted = paints.count();
    QExposeEvent uncovered(QRegion(0, 0, 400, 100));
    QCoreApplication::sendEvent(w.window.windowHandle(), &uncovered);
    QCoreApplication::processEvents();
    EXPECT_EQ(paints.count(), painted + 1);
    EXPECT_EQ(paints.lastRect(), w.led->rect());
    EXPECT_EQ(w.onScreen(), freshRender(kBlank));

    w.led->setCaption(kZero); // kept and shown
    w.led->setCaption(QStringLiteral("00:05:00"));
    EXPECT_EQ(paints.lastRect(), w.led->rect()) << "not only the cells that differ from 00:00:00";
    EXPECT_EQ(w.onScreen(), freshRender(QStringLiteral("00:05:00")));
}

TEST(LedFlashing, AScreenThatKeepsNothingGetsRepaints) {
    FlashingWindow w;
    qv::testing::PaintWatch paints(w.led);
    w.log->refuse = true;
    const int painted = paints.count();
    w.led->setCaption(kBlank);
    w.led->setCaption(kZero);
    EXPECT_EQ(paints.count(), painted + 2);
    EXPECT_TRUE(w.log->shown.empty());
    EXPECT_EQ(w.onScreen(), freshRender(kZero));
}

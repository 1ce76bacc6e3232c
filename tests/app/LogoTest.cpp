#include "app/CommonData.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <gtest/gtest.h>

using namespace qv;

// The program shows a picture rendered ahead from logo.svg; one edited without
// the other (tools/make-logo.sh forgotten) would show an old logo.
TEST(Logo, ThePictureShownIsTheSvgRenderedAtItsDesignSize) {
    const QString svgPath =
        qEnvironmentVariable("QV_SOURCE_DIR") + QStringLiteral("/resources/logo.svg");
    ASSERT_TRUE(QFile::exists(svgPath));
    QImage expected(TCommonData::kLogoWidth, TCommonData::kLogoHeight,
                    QImage::Format_ARGB32_Premultiplied);
    expected.fill(Qt::transparent);
    QSvgRenderer svg(svgPath);
    ASSERT_TRUE(svg.isValid());
    QPainter painter(&expected);
    svg.render(&painter, QRectF(0, 0, expected.width(), expected.height()));
    painter.end();

    const QImage shown = TCommonData::renderLogo().toImage();
    ASSERT_EQ(shown.size(), expected.size());
    EXPECT_EQ(shown.convertToFormat(QImage::Format_ARGB32),
              expected.convertToFormat(QImage::Format_ARGB32));
}

// Read by guessing, the logo would have Qt load every image format plugin (and
// the SVG module and JPEG library with them) on the way to the window.
TEST(Logo, IsReadWithoutLoadingImageFormatPlugins) {
    auto pluginsMapped = [] {
        QFile maps(QStringLiteral("/proc/self/maps"));
        return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/imageformats/");
    };
    if (pluginsMapped())
        GTEST_SKIP() << "an image format plugin was loaded before this test";
    EXPECT_FALSE(TCommonData::renderLogo().isNull());
    EXPECT_FALSE(pluginsMapped());
}

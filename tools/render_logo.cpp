// Renders resources/logo.svg at the logo's design size into the PNG the program
// shows, so that the program itself needs no SVG renderer at start-up.
// Usage: qv_render_logo <logo.svg> <logo.png>
#include "app/CommonData.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <logo.svg> <logo.png>\n", argv[0]);
        return 2;
    }
    QGuiApplication app(argc, argv);
    QImage image(qv::TCommonData::kLogoWidth, qv::TCommonData::kLogoHeight,
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid())
        return 1;
    QPainter painter(&image);
    svg.render(&painter, QRectF(0, 0, image.width(), image.height()));
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32).save(QString::fromLocal8Bit(argv[2]), "PNG")
               ? 0
               : 1;
}

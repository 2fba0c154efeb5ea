// rendericon: renders the scalable icon into the PNG sizes the desktop wants.
//   rendericon ICON.svg OUT_PATTERN SIZE...    OUT_PATTERN holds %1 for the size
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fputs("usage: rendericon ICON.svg OUT_PATTERN SIZE...\n", stderr);
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "rendericon: %s is not a readable SVG\n", argv[1]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        painter.end();
        const QString out = QString::fromLocal8Bit(argv[2]).arg(size);
        if (!image.save(out)) {
            std::fprintf(stderr, "rendericon: cannot write %s\n", qPrintable(out));
            return 1;
        }
    }
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the program's scalable icon at one size, for the desktop's fixed-size icon folders.
// Usage: render_icon <icon.svg> <pixels> <out.png>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdlib>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: render_icon <icon.svg> <pixels> <out.png>\n";
        return 2;
    }
    QSvgRenderer svg{QString::fromLocal8Bit(argv[1])};
    const int size = std::atoi(argv[2]);
    if (!svg.isValid() || size <= 0) {
        std::cerr << "render_icon: cannot read " << argv[1] << " or bad size " << argv[2] << '\n';
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::cerr << "render_icon: cannot write " << argv[3] << '\n';
        return 1;
    }
    return 0;
}

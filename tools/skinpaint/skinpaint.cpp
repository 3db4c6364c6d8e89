// Paints the skin's images into the folder given as the only argument: the main window's and
// the login window's backgrounds and the program icon (also at the desktop icon theme's sizes,
// "icon-48.png" and so on). Run at build time on the offscreen platform, so the skin needs no
// binary files in the source tree.
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>

namespace {

const QColor kWine(86, 18, 22);
const QColor kWineDark(46, 8, 12);
const QColor kGold(212, 168, 72);
const QColor kParchment(246, 234, 204);
const QColor kParchmentShade(226, 206, 160);

QPainterPath crest(const QRectF& box) {
    QPainterPath path;
    const qreal w = box.width();
    const qreal h = box.height();
    path.moveTo(box.left() + w * 0.5, box.top());
    path.lineTo(box.right(), box.top() + h * 0.16);
    path.cubicTo(box.right(), box.top() + h * 0.62, box.left() + w * 0.78, box.top() + h * 0.86,
                 box.left() + w * 0.5, box.bottom());
    path.cubicTo(box.left() + w * 0.22, box.top() + h * 0.86, box.left(), box.top() + h * 0.62,
                 box.left(), box.top() + h * 0.16);
    path.closeSubpath();
    return path;
}

void paintCrest(QPainter& painter, const QRectF& box) {
    QLinearGradient fill(box.topLeft(), box.bottomRight());
    fill.setColorAt(0, QColor(150, 34, 36));
    fill.setColorAt(1, kWineDark);
    painter.setPen(QPen(kGold, qMax<qreal>(1.5, box.width() / 18)));
    painter.setBrush(fill);
    painter.drawPath(crest(box));
    QFont font(QStringLiteral("serif"));
    font.setBold(true);
    font.setPixelSize(static_cast<int>(box.height() * 0.55));
    painter.setFont(font);
    painter.setPen(kGold);
    painter.drawText(box.adjusted(0, -box.height() * 0.08, 0, 0), Qt::AlignCenter,
                     QStringLiteral("V"));
}

void paintFrame(QPainter& painter, const QRect& area, int barHeight) {
    QLinearGradient bar(0, 0, 0, barHeight);
    bar.setColorAt(0, kWine);
    bar.setColorAt(1, kWineDark);
    painter.fillRect(QRect(0, 0, area.width(), barHeight), bar);

    QLinearGradient body(0, barHeight, 0, area.height());
    body.setColorAt(0, QColor(58, 14, 16));
    body.setColorAt(1, QColor(30, 6, 8));
    painter.fillRect(QRect(0, barHeight, area.width(), area.height() - barHeight), body);

    painter.setPen(QPen(kGold, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(area).adjusted(1, 1, -1, -1));
    painter.setPen(QPen(QColor(kGold.red(), kGold.green(), kGold.blue(), 110), 1));
    painter.drawLine(0, barHeight, area.width(), barHeight);
}

void paintParchment(QPainter& painter, const QRectF& panel) {
    QRadialGradient paper(panel.center(), panel.width() * 0.6);
    paper.setColorAt(0, kParchment);
    paper.setColorAt(1, kParchmentShade);
    painter.setPen(QPen(kGold, 2));
    painter.setBrush(paper);
    painter.drawRoundedRect(panel, 10, 10);
    painter.setPen(QPen(QColor(160, 120, 60, 90), 1));
    painter.drawRoundedRect(panel.adjusted(5, 5, -5, -5), 7, 7);
}

QImage mainFrameImage() {
    QImage image(788, 487, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintFrame(painter, image.rect(), 56);
    paintParchment(painter, QRectF(36, 74, 716, 166));
    painter.setPen(QPen(QColor(160, 120, 60, 120), 1));
    painter.drawLine(QPointF(56, 162), QPointF(732, 162));
    paintCrest(painter, QRectF(20, 7, 36, 42));
    return image;
}

QImage loginImage() {
    QImage image(420, 300, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintFrame(painter, image.rect(), 82);
    paintCrest(painter, QRectF(24, 14, 44, 54));
    paintParchment(painter, QRectF(40, 86, 340, 168));
    return image;
}

// The crest on a transparent square of `size` pixels, painted at that size so that every size
// is sharp.
QImage iconImage(int size = 64) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);
    paintCrest(painter, QRectF(6, 3, 52, 58));
    return image;
}

// The sizes of the program icon that the desktop's icon theme gets.
constexpr int kThemeIconSizes[] = {48, 128, 256};

bool saveThemeIcons(const QDir& folder) {
    for (const int size : kThemeIconSizes)
        if (!iconImage(size).save(folder.filePath(QStringLiteral("icon-%1.png").arg(size))))
            return false;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: skinpaint <images folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral(".")))
        return 1;
    const bool written = mainFrameImage().save(folder.filePath(QStringLiteral("mainframe.png"))) &&
                         loginImage().save(folder.filePath(QStringLiteral("login.png"))) &&
                         iconImage().save(folder.filePath(QStringLiteral("icon.png"))) &&
                         saveThemeIcons(folder);
    return written ? 0 : 1;
}

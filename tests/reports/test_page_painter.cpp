// A page painted for a printer or a PDF (neighbouring texts drawn as one
// run of glyphs, underlines drawn apart) looks like the page on a screen.
#include "reports/page_painter.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

class TestPagePainter : public QObject {
    Q_OBJECT
private slots:
    void printedPageLooksLikeTheScreen();
};

void TestPagePainter::printedPageLooksLikeTheScreen()
{
    const auto text = [](qreal x, qreal y, const QString &content, const TextStyle &style = TextStyle()) {
        return PlacedItem{PlacedItem::Kind::Text, QRectF(x, y, 90, 12), content, style};
    };
    const TextStyle heading = TextStyle().strong().underlined();
    LaidOutPage page;
    page.size = QSizeF(300, 48);
    page.items = {text(0, 0, "Sales Register", TextStyle().strong().centred().sized(14)),
                  PlacedItem{PlacedItem::Kind::Line, QRectF(0, 15, 300, 0), {}, {}},
                  text(0, 18, "UPC Code", heading), text(100, 18, "Description", heading),
                  text(200, 18, "Quantity", heading.right()), text(0, 32, "100000000003"),
                  text(100, 32, "Devise étrangère", TextStyle().underlined()), text(200, 32, "$1,234.56", TextStyle().right())};
    // Painted at a PDF's 600 dpi and compared by the point: glyphs may sit a
    // pixel apart, a lost underline or a moved text may not.
    const auto painted = [&page](bool forPrinting) {
        const qreal scale = 600 / 72.0;
        QImage image((page.size * scale).toSize(), QImage::Format_Grayscale8);
        image.fill(Qt::white);
        QPainter painter(&image);
        forPrinting ? PagePainter(scale, true).paint(painter, page) : paintPage(painter, page, scale);
        painter.end();
        return image.scaled(image.size() / 8, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    };
    const QImage printed = painted(true);
    const QImage screen = painted(false);
    int inked = 0;
    int worst = 0;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x) {
            inked += qGray(screen.pixel(x, y)) < 200;
            worst = qMax(worst, qAbs(qGray(screen.pixel(x, y)) - qGray(printed.pixel(x, y))));
        }
    QVERIFY(inked > 0);
    QVERIFY2(worst <= 48, qPrintable(QStringLiteral("differs by %1 of 255").arg(worst)));
}

QTEST_MAIN(TestPagePainter)
#include "test_page_painter.moc"

#include "hostlib/hostlib.h"
#include "pictures.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A square SVG picture filled with one colour.
QString writeSvg(const QTemporaryDir& dir, const QString& name, const QString& fill) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' width='34' height='34' "
                                  "viewBox='0 0 34 34'><rect width='34' height='34' fill='%1'/>"
                                  "</svg>")
                       .arg(fill)
                       .toLatin1());
    }
    return path;
}

} // namespace

class ShapeTest : public QObject {
    Q_OBJECT

private slots:
    void shapeBlendsItsFillOverTheForm() {
        QWidget form;
        form.setStyleSheet(QStringLiteral("background: black"));
        form.resize(100, 60);
        auto* shape = new TBlendedShape(&form);
        shape->setGeometry(10, 10, 80, 40);
        shape->SetBrushColor(0xC8C8C8);
        const auto pixel = [&form](int x, int y) { return form.grab().toImage().pixelColor(x, y); };

        shape->setProperty("Transparency", 0);
        QCOMPARE(pixel(50, 30), QColor(200, 200, 200));
        shape->setProperty("Transparency", 50);
        QVERIFY(qAbs(pixel(50, 30).red() - 100) <= 1);
        shape->setProperty("Transparency", 100);
        QCOMPARE(pixel(50, 30), QColor(Qt::black));

        shape->SetTransparency(0);
        QCOMPARE(pixel(10, 10), QColor(Qt::black));
        shape->setProperty("Rounded", false);
        QCOMPARE(pixel(10, 10), QColor(200, 200, 200));
        shape->setProperty("PenVisible", true);
        shape->setProperty("PenColor", 0x0000FFu);
        shape->setProperty("PenWidth", 2);
        QCOMPARE(pixel(50, 10), QColor(Qt::red));
        QCOMPARE(pixel(50, 49), QColor(Qt::red));
        QCOMPARE(pixel(50, 30), QColor(200, 200, 200));
    }

    void glyphStandsAboveTheCaptionOrInTheMiddle() {
        QTemporaryDir dir;
        TBlendedBitBtn key;
        key.resize(60, 60);
        key.SetFontHeight(16);
        key.SetFontBold(true);
        key.SetGlyph(writeSvg(dir, QStringLiteral("glyph.svg"), QStringLiteral("#00ff00")));

        const QRect alone = areaOf(key, Qt::green);
        QCOMPARE(alone, QRect(13, 13, 34, 34));

        key.SetCaption("Alt+D");
        const QRect above = areaOf(key, Qt::green);
        QCOMPARE(above.size(), QSize(34, 34));
        QCOMPARE(above.left(), 13);
        QVERIFY(above.top() < 13);
        const QRect caption = areaOf(key, Qt::white);
        QVERIFY(caption.isValid());
        QVERIFY(caption.top() > above.bottom());
    }

    void disabledKeyShowsItsDisabledGlyph() {
        QTemporaryDir dir;
        TBlendedBitBtn key;
        key.resize(60, 60);
        key.setProperty("Glyph",
                        writeSvg(dir, QStringLiteral("on.svg"), QStringLiteral("#00ff00")));
        key.setEnabled(false);
        QVERIFY(!areaOf(key, Qt::green).isValid());
        key.setProperty("GlyphDisabled",
                        writeSvg(dir, QStringLiteral("off.svg"), QStringLiteral("#0000ff")));
        QCOMPARE(areaOf(key, Qt::blue).size(), QSize(34, 34));
        key.setEnabled(true);
        QCOMPARE(areaOf(key, Qt::green).size(), QSize(34, 34));
    }

    void rasterGlyphIsFittedAndMissingOneDrawsNothing() {
        QTemporaryDir dir;
        QImage picture(68, 68, QImage::Format_ARGB32);
        picture.fill(Qt::green);
        const QString path = dir.filePath(QStringLiteral("glyph.png"));
        QVERIFY(picture.save(path));
        TBlendedBitBtn key;
        key.resize(60, 60);
        key.SetGlyph(path);
        QCOMPARE(areaOf(key, Qt::green), QRect(13, 13, 34, 34));
        key.SetGlyph(dir.filePath(QStringLiteral("missing.png")));
        QVERIFY(!areaOf(key, Qt::green).isValid());
    }
};

QTEST_MAIN(ShapeTest)

#include "test_shapes.moc"

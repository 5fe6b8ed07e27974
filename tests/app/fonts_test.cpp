#include <QFile>
#include <QFontInfo>
#include <QPainter>
#include <QtTest>
#include <memory>

#include "app/Unit1.h"
#include "app/fonts.h"
#include "app/widgets.h"
#include "sim/for_tests.h"
#include "sim/variables.h"
#include "view/pictures/pictures.h"

namespace {

const QString WINE = QStringLiteral("/usr/share/wine/fonts/");
constexpr QRgb INK = qRgb(255, 255, 255), BACKGROUND = qRgb(0, 0, 0);

// A word in white on black, on its baseline, each character `extra` pixels
// further on and drawn at each of `strokes` pixel offsets.
QImage drawn(const QFont& font, const QString& word, int extra = 0, const QList<int>& strokes = {0})
{
    const QFontMetrics metrics(font);
    QImage image(metrics.horizontalAdvance(word) + extra * int(word.size()), metrics.height(), QImage::Format_RGB32);
    image.fill(BACKGROUND);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(QColor(INK));
    int x = 0;
    for (const QChar character : word) {
        for (int stroke : strokes) painter.drawText(x + stroke, metrics.ascent(), character);
        x += metrics.horizontalAdvance(character) + extra;
    }
    return image;
}

int pixels_of(const QImage& image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == colour;
    return count;
}

QFont regular_of(QFont font)
{
    font.setBold(false);
    return font;
}

}  // namespace

// The faces the controls and the banner are drawn in, with Debian's
// fonts-wine, fonts-liberation2 and fonts-comic-neue installed.
class FontsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TForm1> form;

    QFont control_font(const char* name) { return form->findChild<QWidget*>(name)->font(); }

private slots:
    void initTestCase()
    {
        use_designed_fonts();
        reset_game_state();
        form = std::make_unique<TForm1>(background_picture());
    }

    // Making the fonts, a missing face included, says nothing.
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral("."))); }

    void EachControlShowsItsDesignedFace_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("font_file");
        const QString liberation = QStringLiteral("/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf");
        QTest::newRow("undo button") << "SpeedButton1" << "MS Sans Serif" << WINE + "ms_sans_serif.ttf";
        QTest::newRow("status line") << "Panel3" << "Tahoma" << WINE + "tahomabd.ttf";
        QTest::newRow("first indicator") << "Panel1" << "Liberation Sans" << liberation;
        QTest::newRow("second indicator") << "Panel2" << "Liberation Sans" << liberation;
        QTest::newRow("banner") << "" << "Comic Neue" << "/usr/share/fonts/opentype/comic-neue/ComicNeue-Regular.otf";
    }

    void EachControlShowsItsDesignedFace()
    {
        QFETCH(QString, control);
        QFETCH(QString, family);
        QFETCH(QString, font_file);
        if (!QFile::exists(font_file)) QSKIP(qPrintable(font_file + " is not installed"));
        const QFont font = control.isEmpty() ? banner_font() : control_font(qPrintable(control));
        QCOMPARE(QFontInfo(font).family(), family);
    }

    void BoldControlsDrawCrispHeavyText_data()
    {
        QTest::addColumn<QFont>("font");
        QTest::addColumn<QString>("word");
        QTest::newRow("undo button") << control_font("SpeedButton1") << "Отмена хода";
        QTest::newRow("status line") << control_font("Panel3") << "Start new game";
        QTest::newRow("first indicator") << control_font("Panel1") << "Panel1";
        QTest::newRow("second indicator") << control_font("Panel2") << "Panel2";
        QTest::newRow("missing face") << pixel_font(QStringLiteral("No Such Face"), 12, true) << "Start new game";
    }

    // Crisp: only full ink and bare background. Bold: at least a fifth more
    // ink than the same face's regular strokes.
    void BoldControlsDrawCrispHeavyText()
    {
        QFETCH(QFont, font);
        QFETCH(QString, word);
        const QImage bold = drawn(font, word);
        const int bold_ink = pixels_of(bold, INK), regular_ink = pixels_of(drawn(regular_of(font), word), INK);
        QCOMPARE(bold_ink + pixels_of(bold, BACKGROUND), bold.width() * bold.height());
        const QString inks = QStringLiteral("%1 pixels against the regular's %2").arg(bold_ink).arg(regular_ink);
        QVERIFY2(bold_ink * 5 >= regular_ink * 6, qPrintable(inks));
    }

    void BitmapFaceBoldIsItsRegularDrawnTwiceAPixelApart()
    {
        if (!QFile::exists(WINE + "ms_sans_serif.ttf")) QSKIP("fonts-wine is not installed");
        const QFont bold = control_font("SpeedButton1");
        const QString word = QStringLiteral("Отмена хода");
        QCOMPARE(drawn(bold, word), drawn(regular_of(bold), word, 1, {0, 1}));
    }
};

QTEST_MAIN(FontsTest)
#include "fonts_test.moc"

#include <QFile>
#include <QFontInfo>
#include <QtTest>
#include <memory>

#include "app/Unit1.h"
#include "app/fonts.h"
#include "sim/for_tests.h"
#include "sim/variables.h"
#include "view/pictures/pictures.h"

// The faces the controls and the banner are drawn in, with Debian's
// fonts-wine, fonts-liberation2 and fonts-comic-neue installed.
class FontsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TForm1> form;

private slots:
    void initTestCase()
    {
        use_designed_fonts();
        reset_game_state();
        form = std::make_unique<TForm1>(background_picture());
    }

    void EachControlShowsItsDesignedFace_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("font_file");
        const QString wine = QStringLiteral("/usr/share/wine/fonts/");
        const QString liberation = QStringLiteral("/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf");
        QTest::newRow("undo button") << "SpeedButton1" << "MS Sans Serif" << wine + "ms_sans_serif.ttf";
        QTest::newRow("status line") << "Panel3" << "Tahoma" << wine + "tahomabd.ttf";
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
        const QFont font = control.isEmpty() ? banner_font() : form->findChild<QWidget*>(control)->font();
        QCOMPARE(QFontInfo(font).family(), family);
    }
};

QTEST_MAIN(FontsTest)
#include "fonts_test.moc"

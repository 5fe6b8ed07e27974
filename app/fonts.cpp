#include "app/fonts.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRawFont>

namespace {

const QString WINE_FONT_FOLDER = QStringLiteral("/usr/share/wine/fonts");

// The characters of the basic plane that the face itself holds.
QList<char32_t> characters_of(const QFont& face)
{
    const QRawFont raw = QRawFont::fromFont(face);
    QList<char32_t> held;
    for (char32_t code = 0x20; code <= 0xFFFF; ++code)
        if (raw.supportsCharacter(code)) held.append(code);
    return held;
}

// The maker's tag in the face's OS/2 table, under which the font machinery
// files the face: the bold strike is filed beside it, in the same family.
QString maker_of(const QFont& face)
{
    constexpr int VENDOR_TAG_AT = 58;
    return QString::fromLatin1(QRawFont::fromFont(face).fontTable("OS/2").mid(VENDOR_TAG_AT, 4)).trimmed();
}

// One character cell of the bold strike, white ink on black.
QImage overstruck_cell(const QFont& regular, const QString& character)
{
    const QFontMetrics metrics(regular);
    QImage cell(metrics.horizontalAdvance(character) + 1, metrics.height(), QImage::Format_Grayscale8);
    cell.fill(Qt::black);
    QPainter painter(&cell);
    painter.setFont(regular);
    painter.setPen(Qt::white);
    for (int x : {0, 1}) painter.drawText(x, metrics.ascent(), character);
    return cell;
}

// A row of a cell as the font file spells it: bits, leftmost first, in hexadecimal bytes.
QByteArray hex_row(const QImage& cell, int y)
{
    QByteArray bits((cell.width() + 7) / 8, '\0');
    const uchar* pixels = cell.constScanLine(y);
    for (int x = 0; x < cell.width(); ++x)
        if (pixels[x]) bits[x / 8] = char(bits[x / 8] | (0x80 >> (x % 8)));
    return bits.toHex().toUpper();
}

// One glyph of the font file: its character, its advance and its bitmap, set on the baseline.
QByteArray glyph_entry(char32_t code, const QImage& cell, int descent)
{
    QByteArray entry = QStringLiteral("STARTCHAR U+%1\nENCODING %2\nDWIDTH %3 0\nBBX %3 %4 0 %5\nBITMAP\n")
                           .arg(uint(code), 4, 16, QLatin1Char('0'))
                           .arg(uint(code))
                           .arg(cell.width())
                           .arg(cell.height())
                           .arg(-descent)
                           .toLatin1();
    for (int y = 0; y < cell.height(); ++y) entry += hex_row(cell, y) + '\n';
    return entry + "ENDCHAR\n";
}

// The font file's opening: the bold of the regular face's family, at its strike's size.
QByteArray strike_header(const QFont& regular, qsizetype glyph_count)
{
    const QFontInfo face(regular);
    const QFontMetrics metrics(regular);
    return QStringLiteral("STARTFONT 2.1\nFONT %1 Bold\nSIZE %2 72 72\nFONTBOUNDINGBOX %3 %4 0 %5\n"
                          "STARTPROPERTIES 9\nFOUNDRY \"%9\"\nFAMILY_NAME \"%1\"\nWEIGHT_NAME \"Bold\"\nSLANT \"R\"\n"
                          "PIXEL_SIZE %2\nFONT_ASCENT %6\nFONT_DESCENT %7\n"
                          "CHARSET_REGISTRY \"ISO10646\"\nCHARSET_ENCODING \"1\"\nENDPROPERTIES\nCHARS %8\n")
        .arg(face.family())
        .arg(face.pixelSize())
        .arg(metrics.maxWidth() + 1)
        .arg(metrics.height())
        .arg(-metrics.descent())
        .arg(metrics.ascent())
        .arg(metrics.descent())
        .arg(glyph_count)
        .arg(maker_of(regular))
        .toLatin1();
}

// The bold strike as a bitmap font file (BDF).
QByteArray overstruck_strike(const QFont& regular)
{
    const QList<char32_t> codes = characters_of(regular);
    const int descent = QFontMetrics(regular).descent();
    QByteArray strike = strike_header(regular, codes.size());
    for (char32_t code : codes)
        strike += glyph_entry(code, overstruck_cell(regular, QString::fromUcs4(&code, 1)), descent);
    return strike + "ENDFONT\n";
}

}  // namespace

void use_designed_fonts()
{
    const QDir folder(WINE_FONT_FOLDER);
    for (const char* file : {"tahoma.ttf", "tahomabd.ttf", "ms_sans_serif.ttf"}) {
        const QString path = folder.filePath(QString::fromLatin1(file));
        if (QFile::exists(path)) QFontDatabase::addApplicationFont(path);
    }
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Comic sans ms"), QStringLiteral("Comic Neue"));
}

void add_overstruck_bold(const QFont& bold)
{
    QFont regular = bold;
    regular.setBold(false);
    const QFontInfo face(regular), bold_face(bold);
    if (QFontDatabase::isSmoothlyScalable(face.family(), face.styleName())) return;
    const bool has_own_bold = bold_face.styleName() != face.styleName() && bold_face.pixelSize() == face.pixelSize();
    if (has_own_bold) return;
    QFontDatabase::addApplicationFontFromData(overstruck_strike(regular));
}

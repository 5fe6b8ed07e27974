#include "app/widgets.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include "app/fonts.h"

QFont pixel_font(const QString& family, int pixels, bool bold)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    // Whole pixels, fully hinted: small text drawn as the faces were made for
    // the screen, from their own bitmap strikes where they have them.
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    if (bold) add_overstruck_bold(font);
    return font;
}

QLabel* make_picture(QWidget* parent, const QString& name, const QImage& picture, const QRect& geometry)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setPixmap(QPixmap::fromImage(picture));
    return label;
}

QLabel* make_panel(QWidget* parent, const QString& name, const QRect& geometry, const QFont& font,
                   const QColor& text_colour)
{
    auto* panel = new QLabel(parent);
    panel->setObjectName(name);
    panel->setGeometry(geometry);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setAlignment(Qt::AlignCenter);
    panel->setFont(font);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, text_colour);
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
    return panel;
}

void centre_on_screen(QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

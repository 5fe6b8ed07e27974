#include "app/panel_fit.h"

#include <QFontMetrics>
#include <QLabel>
#include <QStringList>
#include <algorithm>

void fit_panel_text(QLabel& panel, const QRect& home, int max_width, const QString& text)
{
    const QFontMetrics metrics(panel.font());
    const int margins = 2 * panel.frameWidth() + metrics.averageCharWidth();
    const int widest_text = max_width - margins;
    QStringList lines = text.split(QLatin1Char('\n'));
    int width = home.width();
    for (QString& line : lines) {
        line = metrics.elidedText(line, Qt::ElideRight, widest_text);
        width = std::max(width, metrics.horizontalAdvance(line) + margins);
    }
    QRect place(0, home.top(), width, home.height() + metrics.lineSpacing() * static_cast<int>(lines.size() - 1));
    place.moveLeft(home.center().x() - width / 2);
    if (width == home.width()) place.moveLeft(home.left());
    panel.setGeometry(place);
    panel.setText(lines.join(QLatin1Char('\n')));
}

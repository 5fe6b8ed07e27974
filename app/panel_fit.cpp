#include "app/panel_fit.h"

#include <QFontMetrics>
#include <QLabel>
#include <QStringList>
#include <algorithm>

namespace {

constexpr int STATUS_LINES = 2;

// How many pixels high `text` stands, wrapped, in the status panel.
int wrapped_height(const QLabel& panel, const QString& text)
{
    return QFontMetrics(panel.font()).boundingRect(panel.contentsRect(), Qt::TextWordWrap, text).height();
}

bool fits_status_panel(const QLabel& panel, const QString& text)
{
    const QFontMetrics metrics(panel.font());
    return wrapped_height(panel, text) <= metrics.height() + (STATUS_LINES - 1) * metrics.lineSpacing();
}

QString cut_to_fit(const QLabel& panel, const QString& text)
{
    const QFontMetrics metrics(panel.font());
    for (int width = STATUS_LINES * panel.contentsRect().width(); width > 0; width -= metrics.averageCharWidth()) {
        const QString cut = metrics.elidedText(text, Qt::ElideMiddle, width);
        if (fits_status_panel(panel, cut)) return cut;
    }
    return {};
}

}  // namespace

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
    const QString shown = lines.join(QLatin1Char('\n'));
    panel.setText(shown);
    panel.setToolTip(shown == text ? QString() : text);
}

void fit_status_text(QLabel& panel, const QStringList& forms)
{
    const auto fitting = std::find_if(forms.begin(), forms.end(),
                                      [&panel](const QString& form) { return fits_status_panel(panel, form); });
    const QString shown = fitting != forms.end() ? *fitting : cut_to_fit(panel, forms.last());
    const bool one_line = wrapped_height(panel, shown) <= QFontMetrics(panel.font()).height();
    panel.setAlignment(one_line ? Qt::AlignCenter : STATUS_TWO_LINES);
    panel.setText(shown);
    panel.setToolTip(shown == forms.first() ? QString() : forms.first());
}

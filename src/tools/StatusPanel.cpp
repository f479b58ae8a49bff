#include "tools/StatusPanel.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace quillmark {

StatusPanel::StatusPanel(QWidget* parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
}

void StatusPanel::setCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
}

void StatusPanel::setBarStyle(int style)
{
    m_barStyle = style;
    update();
}

void StatusPanel::setPercent(double value)
{
    ++m_percentUpdates;
    m_percent = value;
    if (m_barStyle == 1)
        update();
}

void StatusPanel::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect inside = contentsRect().adjusted(1, 0, -1, 0);
    if (m_barStyle == 1) {
        const double share = std::clamp(std::isfinite(m_percent) ? m_percent : 0.0, 0.0, 100.0) / 100.0;
        const int whole = static_cast<int>(share * 100.0);
        QRect bar = inside.adjusted(0, 1, 0, -1);
        bar.setWidth(static_cast<int>(std::lround(bar.width() * share)));
        painter.fillRect(bar, QColor(0x00, 0x00, 0x80));
        const QString text = QString::number(whole) + QLatin1Char('%');
        painter.setPen(Qt::black);
        painter.drawText(inside, Qt::AlignCenter, text);
        // The part of the text over the bar is drawn in white, as the bar covers it.
        painter.setClipRect(bar);
        painter.setPen(Qt::white);
        painter.drawText(inside, Qt::AlignCenter, text);
        return;
    }
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(inside, Qt::AlignCenter | Qt::TextSingleLine, m_caption);
}

} // namespace quillmark

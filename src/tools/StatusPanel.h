#pragma once

#include <QFrame>
#include <QString>

namespace quillmark {

// A status panel along the bottom of a tool window: a one-line caption and a percentage bar.
// Bar style 0 shows no bar, 1 shows it; the percentage is a floating value, and values above 100 show a full bar.
class StatusPanel : public QFrame
{
    Q_OBJECT
public:
    explicit StatusPanel(QWidget* parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    int barStyle() const { return m_barStyle; }
    void setBarStyle(int style);
    double percent() const { return m_percent; }
    void setPercent(double value);
    // How many times the percentage was set since the panel was made.
    int percentUpdates() const { return m_percentUpdates; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_caption;
    int m_barStyle = 0;
    double m_percent = 0.0;
    int m_percentUpdates = 0;
};

} // namespace quillmark

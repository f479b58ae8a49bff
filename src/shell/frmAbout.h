#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace quillmark {

class Platform;

// The program's version numbers.
struct VersionNumbers
{
    int majorNumber = 0;
    int minorNumber = 0;
    int revision = 0;
};

// This build's version, taken from the project version in the build files (the one place it is kept).
VersionNumbers programVersion();

// "Version " and the three numbers in decimal, joined by dots, as the About window shows them: "Version 1.0.1".
QString versionCaption(const VersionNumbers& version);

// The About window: the program's name, its platform line, its icon and its version, over an etched rule. OK
// (the only control that takes the focus) closes it. The main window opens a fresh one modally each time.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(Platform& platform, QWidget* parent = nullptr);
    // The same window showing another version's numbers; the title stays "About Quillmark 1.0".
    frmAbout(Platform& platform, const VersionNumbers& version, QWidget* parent = nullptr);

    QPushButton* btnOk = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* Image1 = nullptr;
    QFrame* Line1 = nullptr;
    QFrame* Line2 = nullptr;

private:
    QLabel* makeLabel(const QString& name, const QString& caption, int left, int top, int width, int height);
    QFrame* makeLine(const QString& name, const QColor& colour, int left, int right, int y);
    void place(QWidget* control, int left, int top, int width, int height);

    Platform& m_platform;
};

} // namespace quillmark

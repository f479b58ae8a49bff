#pragma once

#include "platform/Platform.h"

namespace quillmark {

// The real platform: Qt's message box, file dialog, override cursor, clock and process start.
class QtPlatform : public Platform
{
public:
    int messageBox(QWidget* parent, const QString& text, int style, const QString& title) override;
    QString chooseFile(QWidget* parent, const QStringList& filters, int filterIndex, int dialogType) override;
    void setBusyPointer(bool busy) override;
    void setWindowBusy(QWidget* window, bool busy) override;
    QDateTime now() override;
    bool startProgram(const QString& program, const QStringList& arguments, QString* error) override;
    bool openDocument(const QString& path, QString* error) override;
    bool isExistingFile(const QString& path) override;
    QString programFolder() override;
    QString documentsFolder() override;
    QSize screenSize() override;
    double logicalDpiX() override;
    double logicalDpiY() override;
    QString currentDirectory() override;
    bool setCurrentDirectory(const QString& path, QString* error) override;

private:
    int m_busyDepth = 0;
};

// The text of a box as Qt shows it: CR LF and lone CR become line breaks.
QString boxText(const QString& text);

// A filter entry "description|pattern" as Qt's file dialog takes it. "*.*" means every file, with or without
// an extension.
QString qtNameFilter(const QString& entry);

} // namespace quillmark

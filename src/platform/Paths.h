#pragma once

#include <QFile>
#include <QString>

#include <string>

namespace quillmark {

// A path as the engine takes it: the bytes the file system uses for the name.
inline std::string pathBytes(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

// An engine's path or message back as text.
inline QString pathText(const std::string& bytes)
{
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}

} // namespace quillmark

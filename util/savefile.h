#pragma once

// Writing a whole file so that a failure never leaves half of it: the bytes
// go to a temporary file in the same folder, which then replaces the old one.

#include <QByteArray>
#include <QString>

namespace ykt {

// Creates the file's folder when needed. On failure the old file (if any) is
// untouched and error, when given, names the path and the reason.
bool saveFileAtomically(const QString &path, const QByteArray &bytes, QString *error = nullptr);

} // namespace ykt

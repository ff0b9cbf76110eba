#pragma once

// Line splitting shared by the reference-data readers; lines end at CR LF, CR
// or LF. Fields follow the language file's rule (util/fields.h).

#include "util/fields.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace ykt::refdata {

QList<QByteArray> SplitTextLines(const QByteArray &content);

// The whole content of the file at path; nothing when it cannot be opened
// or read.
std::optional<QByteArray> ReadWholeFile(const QString &path);

// The field cursor of all text readers.
using ::ykt::ByteFields;
using ::ykt::TextFields;

} // namespace ykt::refdata

#pragma once

// The settings of a template in words, one setting a line, for listing and
// comparing templates: "APN: internet", "Channel 2 use: Reserve",
// "User 3 Alarm SMS: on". Registers are shown field by field, so two
// templates that differ in one bit differ in one named setting.
//
// Texts are 8-bit in the code page of the template's language; bytes outside
// printable ASCII are shown as \xHH.

#include "templates/templatecodec.h"

#include <QList>
#include <QString>

namespace ykt {

struct NamedSetting
{
    QString name;
    QString value;
};

// Every setting a template carries, in the template's order. The list has the
// same names in the same order for every template.
QList<NamedSetting> describeTemplate(const DecodedTemplate &decoded);

// "name: value in a -> value in b" for every setting that differs.
QStringList templateDifferences(const DecodedTemplate &a, const DecodedTemplate &b);

} // namespace ykt

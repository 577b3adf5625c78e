#pragma once
#include "data/FieldInfo.h"
#include <QVariant>

// The values a field holds: what a written value becomes, and the plain text a
// filter and a field's asString compare ("1234.5", "True", "dd.MM.yyyy").
// How the program shows a value to the user is DisplayText.
namespace FieldValue {

// Converts a value to what a field of this type holds; throws AppError for
// text that does not read as the type and for a text longer than the field.
QVariant convert(const FieldInfo &field, const QVariant &value);
QString storedText(const FieldInfo &field, const QVariant &value);
// "Поле «X»: what"
QString fieldError(const FieldInfo &field, const QString &what);

} // namespace FieldValue

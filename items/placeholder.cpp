#include "placeholder.h"

#include <QDateTime>

namespace {
QString placeholderText(const QString &key)
{
    return QString("{%%1%}").arg(key);
}
} // namespace

Placeholder::Placeholder()
{
    values.insert(placeholderText("date"), QDateTime::currentDateTime().toString("yyyy-MM-dd"));
}

Placeholder::~Placeholder() = default;

void Placeholder::setValue(const QString &key, const QString &value)
{
    values.insert(placeholderText(key), value);
}

QString Placeholder::replace(const QString &text, bool *changed) const
{
    // No placeholder fits in fewer than four characters.
    if (text.size() < 4)
        return text;
    QString result = text;
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        result.replace(it.key(), it.value(), Qt::CaseInsensitive);
    if (changed)
        *changed = result != text;
    return result;
}

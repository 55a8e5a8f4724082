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
    setValue("date", QDateTime::currentDateTime().toString("yyyy-MM-dd"));
}

Placeholder::~Placeholder() = default;

void Placeholder::setValue(const QString &key, const QString &value)
{
    // Placeholders match without regard to case.
    values.insert(placeholderText(key).toCaseFolded(), value);
}

QString Placeholder::value(const QString &key) const
{
    return values.value(placeholderText(key).toCaseFolded());
}

QString Placeholder::replace(const QString &text, bool *changed) const
{
    // No placeholder fits in fewer than four characters.
    if (text.size() < 4)
        return text;
    const QVector<Match> found = matches(text);
    if (found.isEmpty()) {
        if (changed)
            *changed = false;
        return text;
    }
    QString result;
    int done = 0;
    for (const Match &match : found) {
        result += text.midRef(done, match.start - done);
        result += match.value;
        done = match.start + match.length;
    }
    result += text.midRef(done);
    if (changed)
        *changed = result != text;
    return result;
}

QVector<Placeholder::Match> Placeholder::matches(const QString &text) const
{
    // One pass over the original text: a value is never searched again, so
    // a value that holds a placeholder stays as it is.
    QVector<Match> found;
    int start = text.indexOf(QLatin1String("{%"));
    while (start >= 0) {
        const int end = text.indexOf(QLatin1String("%}"), start + 2);
        if (end < 0)
            break;
        const int length = end + 2 - start;
        const auto value = values.constFind(text.mid(start, length).toCaseFolded());
        if (value == values.constEnd()) {
            start = text.indexOf(QLatin1String("{%"), start + 1);
            continue;
        }
        found.append({start, length, value.value()});
        start = text.indexOf(QLatin1String("{%"), end + 2);
    }
    return found;
}

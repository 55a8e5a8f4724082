#ifndef PLACEHOLDER_H
#define PLACEHOLDER_H

#include <QHash>
#include <QString>
#include <QVector>

// The table from placeholder texts such as "{%date%}" to their values.
class Placeholder
{
public:
    Placeholder();
    virtual ~Placeholder();

    // A placeholder found in a text, and the value it stands for.
    struct Match
    {
        int start;
        int length;
        QString value;
    };

    void setValue(const QString &key, const QString &value);
    // The value of the key's placeholder; empty when it has none.
    QString value(const QString &key) const;
    QString replace(const QString &text, bool *changed = nullptr) const;
    // The placeholders of text that have values, in order: for replacing
    // them in place, where the text carries more than its characters.
    QVector<Match> matches(const QString &text) const;

private:
    QHash<QString, QString> values;
};

#endif // PLACEHOLDER_H

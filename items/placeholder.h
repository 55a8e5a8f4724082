#ifndef PLACEHOLDER_H
#define PLACEHOLDER_H

#include <QHash>
#include <QString>

// The table from placeholder texts such as "{%date%}" to their values.
class Placeholder
{
public:
    Placeholder();
    virtual ~Placeholder();

    void setValue(const QString &key, const QString &value);
    // The value of the key's placeholder; empty when it has none.
    QString value(const QString &key) const;
    QString replace(const QString &text, bool *changed = nullptr) const;

private:
    QHash<QString, QString> values;
};

#endif // PLACEHOLDER_H

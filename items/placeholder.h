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
    QString replace(const QString &text, bool *changed = nullptr) const;

private:
    QHash<QString, QString> values;
};

#endif // PLACEHOLDER_H

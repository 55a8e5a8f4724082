#include "testsupport.h"

#include "items/placeholder.h"

#include <QDate>

class TestPlaceholder : public QObject
{
    Q_OBJECT

private slots:
    void replace_data();
    void replace();
    void shortTextLeavesChangedAlone_data();
    void shortTextLeavesChangedAlone();
    void replaceWithoutChangedFlag();
    void dateIsTodayOnConstruction();
    void setValueReplacesEarlierValue();
    void valuesAreNotSubstitutedAgain();
};

// Every row runs against a table holding the date and these two values, the
// way start-up fills it from "--code ABC --serial 42".
void TestPlaceholder::replace_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("changed");

    QTest::newRow("lower case") << "No. {%serial%}" << "No. 42" << true;
    QTest::newRow("capitals and lower case") << "{%serial%}/{%SERIAL%}" << "42/42" << true;
    QTest::newRow("mixed case") << "{%SeRiAl%}" << "42" << true;
    QTest::newRow("two keys") << "{%code%}-{%serial%}-{%code%}" << "ABC-42-ABC" << true;
    QTest::newRow("placeholder is the whole text") << "{%code%}" << "ABC" << true;
    QTest::newRow("unknown placeholder") << "Lot {%batch%}" << "Lot {%batch%}" << false;
    QTest::newRow("no placeholder") << "Plain text" << "Plain text" << false;
    QTest::newRow("incomplete placeholder") << "{%serial}" << "{%serial}" << false;
    QTest::newRow("key not between markers") << "serial code" << "serial code" << false;
    QTest::newRow("four characters") << "{%x}" << "{%x}" << false;
    QTest::newRow("opening marker before a placeholder") << "{%x{%code%}" << "{%xABC" << true;
    QTest::newRow("closing marker after a placeholder") << "{%code%}%}" << "ABC%}" << true;
}

void TestPlaceholder::replace()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QFETCH(bool, changed);

    Placeholder table;
    table.setValue("code", "ABC");
    table.setValue("serial", "42");

    // Start from the opposite so that a missing write is seen.
    bool reported = !changed;
    QCOMPARE(table.replace(text, &reported), expected);
    QCOMPARE(reported, changed);
}

void TestPlaceholder::shortTextLeavesChangedAlone_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("before");

    QTest::newRow("empty, was true") << QString() << true;
    QTest::newRow("empty, was false") << QString() << false;
    QTest::newRow("three characters, was true") << "{%}" << true;
    QTest::newRow("three characters, was false") << "abc" << false;
}

void TestPlaceholder::shortTextLeavesChangedAlone()
{
    QFETCH(QString, text);
    QFETCH(bool, before);

    Placeholder table;
    bool changed = before;
    QCOMPARE(table.replace(text, &changed), text);
    QCOMPARE(changed, before);
}

void TestPlaceholder::replaceWithoutChangedFlag()
{
    Placeholder table;
    table.setValue("serial", "7");
    QCOMPARE(table.replace("#{%serial%}"), QString("#7"));
    QCOMPARE(table.replace("ab"), QString("ab"));
}

void TestPlaceholder::dateIsTodayOnConstruction()
{
    const QDate before = QDate::currentDate();
    Placeholder table;
    const QDate after = QDate::currentDate();
    if (before != after)
        QSKIP("The date changed while the table was built");

    bool changed = false;
    QCOMPARE(table.replace("Made {%DATE%}", &changed), "Made " + before.toString("yyyy-MM-dd"));
    QVERIFY(changed);
    // Only the date is in a fresh table: the other keys come from start-up.
    QCOMPARE(table.replace("{%code%} {%serial%}"), QString("{%code%} {%serial%}"));
}

void TestPlaceholder::setValueReplacesEarlierValue()
{
    Placeholder table;
    table.setValue("code", "first");
    table.setValue("code", "second");
    QCOMPARE(table.replace("{%code%}"), QString("second"));

    table.setValue("date", "1999-12-31");
    QCOMPARE(table.replace("{%date%}"), QString("1999-12-31"));

    // An empty key still forms a placeholder of exactly four characters.
    table.setValue(QString(), "E");
    bool changed = false;
    QCOMPARE(table.replace("{%%}", &changed), QString("E"));
    QVERIFY(changed);
}

// Values are filled in one pass over the original text, whatever order the
// table keeps: a value that looks like a placeholder stays as it is.
void TestPlaceholder::valuesAreNotSubstitutedAgain()
{
    Placeholder table;
    table.setValue("serial", "{%code%}");
    table.setValue("code", "{%serial%}");
    QCOMPARE(table.replace("{%serial%}"), QString("{%code%}"));
    QCOMPARE(table.replace("{%code%}"), QString("{%serial%}"));
    QCOMPARE(table.replace("{%code%}/{%serial%}"), QString("{%serial%}/{%code%}"));
}

TAGFORGE_TEST_MAIN(TestPlaceholder)
#include "tst_placeholder.moc"

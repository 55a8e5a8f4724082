#include "testsupport.h"

#include "app/settings.h"
#include "dialogs/printersetting.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStyleOptionButton>
#include <QTimer>

class TestPrinterSetting : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void defaults();
    void switchUnits_data();
    void switchUnits();
    void typeSize_data();
    void typeSize();
    void resolution_data();
    void resolution();
    void cancelStoresNothing();
};

namespace {

template<typename T>
T *child(QWidget *dialog, const char *name)
{
    T *widget = dialog->findChild<T *>(name);
    if (!widget)
        qFatal("no child %s", name);
    return widget;
}

void clickRadio(QWidget *dialog, const QString &name)
{
    QRadioButton *button = child<QRadioButton>(dialog, qPrintable(name));
    QStyleOptionButton option;
    option.initFrom(button);
    const QRect indicator = button->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, button);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, indicator.center());
}

void retype(QLineEdit *edit, const QString &text)
{
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
}

void clickButton(QWidget *dialog, QDialogButtonBox::StandardButton which)
{
    QTest::mouseClick(child<QDialogButtonBox>(dialog, "buttonBox")->button(which), Qt::LeftButton);
}

bool stored(const char *key)
{
    return QSettings().contains(key);
}

} // namespace

// Every case starts from an empty store, as on first start.
void TestPrinterSetting::init()
{
    Settings::instance();
    QSettings().remove("Printer");
}

void TestPrinterSetting::defaults()
{
    PrinterSetting dialog;
    QCOMPARE(dialog.windowTitle(), QString("Page Setting"));
    QCOMPARE(dialog.size(), QSize(318, 200));
    QCOMPARE(child<QLineEdit>(&dialog, "widthLineEdit")->text(), QString("101.6"));
    QCOMPARE(child<QLineEdit>(&dialog, "heightLineEdit")->text(), QString("101.6"));
    QVERIFY(child<QRadioButton>(&dialog, "millimeterRadioButton")->isChecked());
    QComboBox *quality = child<QComboBox>(&dialog, "printQualityComboBox");
    QCOMPARE(quality->count(), 10);
    QCOMPARE(quality->currentText(), QString("300dpi"));
}

void TestPrinterSetting::switchUnits_data()
{
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<QString>("shown");

    QTest::newRow("inch") << QStringList{"inchRadioButton"} << "4";
    QTest::newRow("point") << QStringList{"pointRadioButton"} << "288";
    QTest::newRow("inch, point") << QStringList{"inchRadioButton", "pointRadioButton"} << "288";
    QTest::newRow("inch, point, millimeter")
        << QStringList{"inchRadioButton", "pointRadioButton", "millimeterRadioButton"} << "101.6";
}

// The size stays in millimetres, so switching back and forth loses nothing.
void TestPrinterSetting::switchUnits()
{
    QFETCH(QStringList, buttons);
    QFETCH(QString, shown);

    PrinterSetting dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    for (const QString &name : buttons)
        clickRadio(&dialog, name);
    QVERIFY(child<QRadioButton>(&dialog, qPrintable(buttons.last()))->isChecked());
    QCOMPARE(child<QLineEdit>(&dialog, "widthLineEdit")->text(), shown);
    QCOMPARE(child<QLineEdit>(&dialog, "heightLineEdit")->text(), shown);

    clickButton(&dialog, QDialogButtonBox::Ok);
    QCOMPARE(Settings::instance()->pageSizeMM(), QSizeF(101.6, 101.6));
}

void TestPrinterSetting::typeSize_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QSizeF>("sizeMM");
    QTest::addColumn<QString>("widthShownMM");

    QTest::newRow("inch width") << "inchRadioButton" << "widthLineEdit" << "2"
                                << QSizeF(50.8, 101.6) << "50.8";
    QTest::newRow("inch height") << "inchRadioButton" << "heightLineEdit" << "2.5"
                                 << QSizeF(101.6, 63.5) << "101.6";
    QTest::newRow("point width") << "pointRadioButton" << "widthLineEdit" << "144"
                                 << QSizeF(50.8, 101.6) << "50.8";
    QTest::newRow("millimeter width") << "millimeterRadioButton" << "widthLineEdit" << "80"
                                      << QSizeF(80, 101.6) << "80";
}

// Typing into a field reads it in the current unit.
void TestPrinterSetting::typeSize()
{
    QFETCH(QString, unit);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QSizeF, sizeMM);
    QFETCH(QString, widthShownMM);

    PrinterSetting dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    clickRadio(&dialog, unit);
    retype(child<QLineEdit>(&dialog, qPrintable(field)), typed);
    QCOMPARE(child<QLineEdit>(&dialog, qPrintable(field))->text(), typed);

    // Through another unit and back: the value kept is shown in millimetres.
    clickRadio(&dialog, "inchRadioButton");
    clickRadio(&dialog, "millimeterRadioButton");
    QCOMPARE(child<QLineEdit>(&dialog, "widthLineEdit")->text(), widthShownMM);

    clickButton(&dialog, QDialogButtonBox::Ok);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const QSizeF storedSize = Settings::instance()->pageSizeMM();
    QVERIFY2(qAbs(storedSize.width() - sizeMM.width()) < 1e-9, qPrintable(QString::number(storedSize.width())));
    QVERIFY2(qAbs(storedSize.height() - sizeMM.height()) < 1e-9, qPrintable(QString::number(storedSize.height())));
    QCOMPARE(Settings::instance()->printDPI(), 300);
}

void TestPrinterSetting::resolution_data()
{
    QTest::addColumn<int>("storedDPI");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<int>("keyDowns");
    QTest::addColumn<int>("expectedDPI");

    QTest::newRow("not listed") << 250 << "72dpi" << 0 << 72;
    QTest::newRow("listed") << 600 << "600dpi" << 0 << 600;
    QTest::newRow("last") << 4000 << "4000dpi" << 0 << 4000;
    QTest::newRow("changed by user") << 300 << "300dpi" << 2 << 1200;
}

// OK stores the page size as well, even when only the resolution changed.
void TestPrinterSetting::resolution()
{
    QFETCH(int, storedDPI);
    QFETCH(QString, selected);
    QFETCH(int, keyDowns);
    QFETCH(int, expectedDPI);

    Settings::instance()->setPrintDPI(storedDPI);
    PrinterSetting dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QComboBox *quality = child<QComboBox>(&dialog, "printQualityComboBox");
    QCOMPARE(quality->currentText(), selected);
    for (int i = 0; i < keyDowns; ++i)
        QTest::keyClick(quality, Qt::Key_Down);

    QVERIFY(!stored("Printer/PageSizeMM"));
    clickButton(&dialog, QDialogButtonBox::Ok);
    QCOMPARE(Settings::instance()->printDPI(), expectedDPI);
    QVERIFY(stored("Printer/PageSizeMM"));
    QCOMPARE(Settings::instance()->pageSizeMM(), QSizeF(101.6, 101.6));
}

// Run modally as the page-size command does, edited, then cancelled.
void TestPrinterSetting::cancelStoresNothing()
{
    PrinterSetting dialog;
    bool edited = false;
    QTimer::singleShot(0, this, [&dialog, &edited]() {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal) {
            dialog.reject();
            return;
        }
        retype(child<QLineEdit>(modal, "widthLineEdit"), "50");
        QTest::keyClick(child<QComboBox>(modal, "printQualityComboBox"), Qt::Key_Down);
        edited = true;
        clickButton(modal, QDialogButtonBox::Cancel);
    });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QVERIFY(edited);
    QVERIFY(!stored("Printer/PageSizeMM"));
    QVERIFY(!stored("Printer/PrintDPI"));
}

TAGFORGE_TEST_MAIN(TestPrinterSetting)
#include "tst_printersetting.moc"

#include "testsupport.h"

#include "dialogs/textedit.h"
#include "dialogs/textitemdialog.h"
#include "items/textitem.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedPointer>
#include <QSignalSpy>
#include <QTimer>
#include <QToolBar>

#include <functional>

namespace {

const QString hintText =
    QStringLiteral("The content in {} will be replaced. {%date%} {%serial%}");

// Runs action on the text item dialog as soon as exec() has shown it. If the
// action leaves it open, it is rejected so that a failing test cannot hang.
void onDialog(const std::function<void(TextItemDialog *)> &action)
{
    QTimer::singleShot(0, [action]() {
        TextItemDialog *dialog = qobject_cast<TextItemDialog *>(QApplication::activeModalWidget());
        if (!dialog) {
            onDialog(action);
            return;
        }
        action(dialog);
        if (dialog->isVisible()) {
            qWarning("dialog left open");
            dialog->reject();
        }
    });
}

QPushButton *button(QWidget *dialog, QDialogButtonBox::StandardButton which)
{
    return dialog->findChild<QDialogButtonBox *>()->button(which);
}

QPlainTextEdit *textArea(QWidget *parent)
{
    return parent->findChild<QPlainTextEdit *>();
}

// A family that the font chooser lists, other than the one it shows first.
QString installedFamily()
{
    QFontComboBox probe;
    return probe.itemText(probe.count() > 1 ? 1 : 0);
}

void replaceText(QPlainTextEdit *area, const QString &text)
{
    area->setFocus();
    QTest::keyClick(area, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(area, Qt::Key_Delete);
    QTest::keyClicks(area, text);
}

} // namespace

class TestTextItem : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void construction();
    void plainTextIsNotGated();
    void noAngleProperty();
    void moveEmitsTwicePerStep();
    void edit_data();
    void edit();
    void editWithoutView();

    void addDialog_data();
    void addDialog();
    void editDialog_data();
    void editDialog();
    void okFollowsText();

    void editorDefaults();
    void editorSizeBox_data();
    void editorSizeBox();
    void editorFamily();
    void editorKeepsOtherAttributes();
    void editorTabMovesFocus();

private:
    TextItem *showItem(const QString &text);

    QScopedPointer<QGraphicsScene> scene;
    QScopedPointer<QMainWindow> window;
    QPointer<QGraphicsView> view;
};

void TestTextItem::init()
{
    scene.reset(new QGraphicsScene(0, 0, 400, 300));
}

void TestTextItem::cleanup()
{
    window.reset();
    scene.reset();
}

TextItem *TestTextItem::showItem(const QString &text)
{
    TextItem *item = new TextItem(QPoint(50, 60), scene.data());
    item->setPlainText(text);
    item->setFont(QFont(installedFamily(), 20));
    window.reset(new QMainWindow);
    view = new QGraphicsView(scene.data());
    window->setCentralWidget(view);
    window->resize(500, 400);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.data()))
        qWarning("window not exposed");
    return item;
}

void TestTextItem::construction()
{
    TextItem *first = new TextItem(QPoint(1, 2), scene.data());
    TextItem *item = new TextItem(QPoint(30, 40), scene.data());
    QCOMPARE(item->type(), 65539);
    QCOMPARE(int(item->flags()), 0x803);
    QCOMPARE(item->pos(), QPointF(30, 40));
    QVERIFY(item->toPlainText().isEmpty());
    QCOMPARE(item->font().family(), QString("Helvetica"));
    QCOMPARE(item->font().pointSizeF(), 3.0);
    QVERIFY(!item->font().italic());
    QCOMPARE(item->textInteractionFlags(), Qt::NoTextInteraction);
    QCOMPARE(scene->selectedItems(), QList<QGraphicsItem *>() << item);
    QVERIFY(!first->isSelected());
    QVERIFY(!scene->focusItem());
    QCOMPARE(item->zValue(), 0.0);
}

void TestTextItem::plainTextIsNotGated()
{
    TextItem *item = new TextItem(QPoint(0, 0), scene.data());
    item->setSelected(false);
    QSignalSpy dirty(item, SIGNAL(dirty()));
    QVERIFY(item->setProperty("plainText", QString("{%serial%}")));
    QCOMPARE(item->toPlainText(), QString("{%serial%}"));
    QCOMPARE(item->property("plainText").toString(), QString("{%serial%}"));
    QCOMPARE(dirty.count(), 0);
}

void TestTextItem::noAngleProperty()
{
    TextItem *item = new TextItem(QPoint(0, 0), scene.data());
    QSignalSpy dirty(item, SIGNAL(dirty()));
    QCOMPARE(item->metaObject()->indexOfProperty("angle"), -1);
    QCOMPARE(item->metaObject()->indexOfProperty("shearHorizontal"), -1);
    item->setProperty("angle", 45.0);
    QVERIFY(item->transform().isIdentity());
    QCOMPARE(dirty.count(), 0);
}

void TestTextItem::moveEmitsTwicePerStep()
{
    TextItem *item = showItem("Move me");
    QSignalSpy dirty(item, SIGNAL(dirty()));
    QWidget *viewport = view->viewport();

    QPoint at = view->mapFromScene(item->mapToScene(item->boundingRect().center()));
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, at);
    for (int i = 0; i < 2; ++i) {
        at += QPoint(3, 2);
        QMouseEvent move(QEvent::MouseMove, at, viewport->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
    }
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(item->pos(), QPointF(56, 64));
    QCOMPARE(dirty.count(), 4);
}

void TestTextItem::edit_data()
{
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("dirtyCount");

    QTest::newRow("edit(), OK unchanged") << false << true << QString() << 1;
    QTest::newRow("edit(), OK changed") << false << true << QString("Changed") << 1;
    QTest::newRow("edit(), Cancel changed") << false << false << QString("Changed") << 0;
    QTest::newRow("double click, OK unchanged") << true << true << QString() << 1;
    QTest::newRow("double click, Cancel") << true << false << QString() << 0;
}

void TestTextItem::edit()
{
    QFETCH(bool, doubleClick);
    QFETCH(bool, accept);
    QFETCH(QString, typed);
    QFETCH(int, dirtyCount);

    TextItem *item = showItem("Original");
    const QFont font = item->font();
    QSignalSpy dirty(item, SIGNAL(dirty()));

    QWidget *parentSeen = nullptr;
    QString textSeen;
    QString title;
    onDialog([&](TextItemDialog *dialog) {
        parentSeen = dialog->parentWidget();
        textSeen = textArea(dialog)->toPlainText();
        title = dialog->windowTitle();
        if (!typed.isEmpty())
            replaceText(textArea(dialog), typed);
        QTest::mouseClick(button(dialog, accept ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel),
                          Qt::LeftButton);
    });
    if (doubleClick) {
        const QPoint at = view->mapFromScene(item->mapToScene(item->boundingRect().center()));
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    } else {
        item->edit();
    }

    QCOMPARE(parentSeen, window.data());
    QCOMPARE(textSeen, QString("Original"));
    QCOMPARE(title, QCoreApplication::applicationName() + " - Edit Text Item");
    QCOMPARE(dirty.count(), dirtyCount);
    QCOMPARE(item->toPlainText(), accept && !typed.isEmpty() ? typed : QString("Original"));
    QCOMPARE(item->font(), font);
    QCOMPARE(scene->items().count(), 1);
}

void TestTextItem::editWithoutView()
{
    TextItem *item = new TextItem(QPoint(0, 0), scene.data());
    item->setPlainText("Alone");
    QSignalSpy dirty(item, SIGNAL(dirty()));
    bool hadParent = true;
    onDialog([&](TextItemDialog *dialog) {
        hadParent = dialog->parentWidget() != nullptr;
        dialog->accept();
    });
    item->edit();
    QVERIFY(!hadParent);
    QCOMPARE(dirty.count(), 1);
}

void TestTextItem::addDialog_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("typed");

    QTest::newRow("OK at once") << true << QString();
    QTest::newRow("OK after typing") << true << QString("Lot {%serial%}");
    QTest::newRow("Cancel") << false << QString();
    QTest::newRow("Cancel after typing") << false << QString("Lot");
}

void TestTextItem::addDialog()
{
    QFETCH(bool, accept);
    QFETCH(QString, typed);

    TextItem *other = new TextItem(QPoint(0, 0), scene.data());
    TextItemDialog dialog(nullptr, QPoint(120, 80), scene.data());
    QCOMPARE(dialog.windowTitle(), QCoreApplication::applicationName() + " - Add Text Item");
    QCOMPARE(textArea(&dialog)->toPlainText(), hintText);
    QVERIFY(button(&dialog, QDialogButtonBox::Ok)->isEnabled());
    QVERIFY(!button(&dialog, QDialogButtonBox::Ok)->icon().isNull());
    QVERIFY(!button(&dialog, QDialogButtonBox::Cancel)->icon().isNull());

    onDialog([&](TextItemDialog *shown) {
        if (!typed.isEmpty())
            replaceText(textArea(shown), typed);
        QTest::mouseClick(button(shown, accept ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel),
                          Qt::LeftButton);
    });
    QCOMPARE(dialog.exec(), int(accept ? QDialog::Accepted : QDialog::Rejected));

    if (!accept) {
        QVERIFY(!dialog.textItem());
        QCOMPARE(scene->items(), QList<QGraphicsItem *>() << other);
        return;
    }
    TextItem *item = dialog.textItem();
    QVERIFY(item);
    QCOMPARE(item->scene(), scene.data());
    QCOMPARE(item->pos(), QPointF(120, 80));
    QCOMPARE(item->toPlainText(), typed.isEmpty() ? hintText : typed);
    QCOMPARE(item->font().family(), QString("Microsoft Yahei"));
    QCOMPARE(item->font().pointSizeF(), 3.0);
    QVERIFY(!item->font().bold());
    QVERIFY(!item->font().italic());
    QCOMPARE(scene->selectedItems(), QList<QGraphicsItem *>() << item);
}

void TestTextItem::editDialog_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("size");
    QTest::addColumn<QString>("family");

    const QString installed = installedFamily();
    QTest::newRow("OK unchanged") << true << QString() << 0.0 << installed;
    QTest::newRow("OK with new text and size") << true << QString("New") << 7.5 << installed;
    QTest::newRow("Cancel with new text and size") << false << QString("New") << 7.5 << installed;
    // The chooser can only show a stand-in; the item keeps its family.
    QTest::newRow("OK, family not installed") << true << QString() << 0.0
                                              << QString("No Such Family Here");
    QTest::newRow("OK with new size, family not installed")
        << true << QString() << 20.0 << QString("Microsoft Yahei");
}

void TestTextItem::editDialog()
{
    QFETCH(bool, accept);
    QFETCH(QString, typed);
    QFETCH(double, size);
    QFETCH(QString, family);

    TextItem *item = new TextItem(QPoint(10, 10), scene.data());
    item->setPlainText("Old");
    QFont font(family, 12, QFont::Bold, true);
    item->setFont(font);
    item->setSelected(false);

    TextItemDialog dialog(item, QPoint(), scene.data());
    QCOMPARE(dialog.windowTitle(), QCoreApplication::applicationName() + " - Edit Text Item");
    QCOMPARE(textArea(&dialog)->toPlainText(), QString("Old"));
    if (family == installedFamily())
        QCOMPARE(dialog.findChild<QFontComboBox *>()->currentFont().family(), family);
    QCOMPARE(dialog.findChild<QDoubleSpinBox *>()->value(), 12.0);
    QVERIFY(button(&dialog, QDialogButtonBox::Ok)->isEnabled());

    onDialog([&](TextItemDialog *shown) {
        if (!typed.isEmpty())
            replaceText(textArea(shown), typed);
        if (size > 0)
            shown->findChild<QDoubleSpinBox *>()->setValue(size);
        QTest::mouseClick(button(shown, accept ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel),
                          Qt::LeftButton);
    });
    dialog.exec();

    QCOMPARE(dialog.textItem(), item);
    QCOMPARE(scene->items().count(), 1);
    QCOMPARE(item->toPlainText(), accept && !typed.isEmpty() ? typed : QString("Old"));
    QFont expected = font;
    if (accept && size > 0)
        expected.setPointSizeF(size);
    QCOMPARE(item->font(), expected);
}

void TestTextItem::okFollowsText()
{
    TextItemDialog dialog(nullptr, QPoint(), scene.data());
    dialog.show();
    QPlainTextEdit *area = textArea(&dialog);
    QPushButton *ok = button(&dialog, QDialogButtonBox::Ok);

    replaceText(area, QString());
    QVERIFY(area->toPlainText().isEmpty());
    QVERIFY(!ok->isEnabled());
    QTest::keyClick(area, Qt::Key_Space);
    QVERIFY(ok->isEnabled());
    QTest::keyClick(area, Qt::Key_Backspace);
    QVERIFY(!ok->isEnabled());
    QTest::keyClicks(area, "x");
    QVERIFY(ok->isEnabled());
}

void TestTextItem::editorDefaults()
{
    TextEdit editor;
    QSignalSpy changed(&editor, SIGNAL(textChanged()));
    QCOMPARE(editor.toPlainText(), hintText);
    QCOMPARE(editor.textFont().family(), QString("Microsoft Yahei"));
    QCOMPARE(editor.textFont().pointSizeF(), 3.0);
    QVERIFY(textArea(&editor)->tabChangesFocus());
    QCOMPARE(editor.findChild<QToolBar *>()->windowTitle(), QString("Font"));

    QCOMPARE(editor.findChild<QDoubleSpinBox *>()->value(), 3.0);

    editor.setPlainText("abc");
    QCOMPARE(editor.toPlainText(), QString("abc"));
    QCOMPARE(changed.count(), 1);
}

void TestTextItem::editorSizeBox_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("points");

    QTest::newRow("one decimal") << QString("12.5") << 12.5;
    QTest::newRow("rounded to one decimal") << QString("12.34") << 12.3;
    QTest::newRow("above the range") << QString("999") << 280.0;
    QTest::newRow("below the range") << QString("0.5") << 1.0;
}

void TestTextItem::editorSizeBox()
{
    QFETCH(QString, typed);
    QFETCH(double, points);

    TextEdit editor;
    editor.show();
    QDoubleSpinBox *size = editor.findChild<QDoubleSpinBox *>();
    const QFont areaFont = textArea(&editor)->font();

    size->setFocus();
    size->selectAll();
    QTest::keyClicks(size, typed);
    QTest::keyClick(size, Qt::Key_Return);
    size->interpretText();
    QVERIFY(size->value() >= 1.0 && size->value() <= 280.0);
    if (typed.toDouble() >= 1.0 && typed.toDouble() <= 280.0)
        QCOMPARE(size->value(), points);
    QCOMPARE(size->text(), QString::number(size->value(), 'f', 1));

    // Any value set through the box reaches the text font rounded as shown.
    size->setValue(typed.toDouble());
    QCOMPARE(size->value(), points);
    QCOMPARE(editor.textFont().pointSizeF(), points);
    QCOMPARE(textArea(&editor)->font(), areaFont);
}

void TestTextItem::editorFamily()
{
    TextEdit editor;
    const QFont areaFont = textArea(&editor)->font();
    QFontComboBox *family = editor.findChild<QFontComboBox *>();
    const QString chosen = installedFamily();

    family->setCurrentIndex(family->findText(chosen));
    QCOMPARE(editor.textFont().family(), chosen);
    QCOMPARE(editor.textFont().pointSizeF(), 3.0);
    QCOMPARE(textArea(&editor)->font(), areaFont);
}

void TestTextItem::editorKeepsOtherAttributes()
{
    TextEdit editor;
    const QString family = installedFamily();
    QFont font(family, 14, QFont::Bold, true);
    font.setUnderline(true);
    editor.setTextFont(font);
    QCOMPARE(editor.textFont(), font);
    QCOMPARE(editor.findChild<QFontComboBox *>()->currentFont().family(), family);
    QCOMPARE(editor.findChild<QDoubleSpinBox *>()->value(), 14.0);

    editor.findChild<QDoubleSpinBox *>()->setValue(9.5);
    QFont expected = font;
    expected.setPointSizeF(9.5);
    QCOMPARE(editor.textFont(), expected);

    // Another family changes nothing but the family.
    QFontComboBox *families = editor.findChild<QFontComboBox *>();
    families->setCurrentIndex(families->findText(family) == 0 ? 1 : 0);
    QVERIFY(families->currentText() != family);
    expected.setFamily(families->currentText());
    QCOMPARE(editor.textFont(), expected);

    // Typing keeps the chosen font.
    editor.show();
    QTest::keyClicks(textArea(&editor), "more");
    QCOMPARE(editor.textFont(), expected);
}

void TestTextItem::editorTabMovesFocus()
{
    TextEdit editor;
    editor.show();
    editor.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    QPlainTextEdit *area = textArea(&editor);
    QCOMPARE(QApplication::focusWidget(), area);

    QTest::keyClick(area, Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != area);
    QCOMPARE(area->toPlainText(), hintText);
}

TAGFORGE_TEST_MAIN(TestTextItem)
#include "tst_textitem.moc"

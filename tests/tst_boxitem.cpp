#include "testsupport.h"

#include "items/boxitem.h"

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QMouseEvent>
#include <QScopedPointer>
#include <QSignalSpy>

class TestBoxItem : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void construction_data();
    void construction();
    void secondItemTakesSelection();

    void gatedSetters_data();
    void gatedSetters();
    void angleReplacesTransform();
    void shearKeepsTopLeft();

    void keys_data();
    void keys();
    void shiftDrag_data();
    void shiftDrag();
    void moveEmitsTwicePerStep();

private:
    // A box in a shown view, so that keys and mouse go the real way.
    BoxItem *showBox(const QRect &rect);
    QPoint viewportPoint(BoxItem *box, const QPointF &itemPoint) const;
    void sendMove(const QPoint &to, Qt::KeyboardModifiers modifiers);

    QScopedPointer<QGraphicsScene> scene;
    QScopedPointer<QGraphicsView> view;
};

void TestBoxItem::init()
{
    scene.reset(new QGraphicsScene(0, 0, 400, 300));
}

void TestBoxItem::cleanup()
{
    view.reset();
    scene.reset();
}

BoxItem *TestBoxItem::showBox(const QRect &rect)
{
    BoxItem *box = new BoxItem(rect, scene.data());
    view.reset(new QGraphicsView(scene.data()));
    view->resize(500, 400);
    view->show();
    view->activateWindow();
    if (!QTest::qWaitForWindowActive(view.data()))
        qWarning("view not active");
    return box;
}

QPoint TestBoxItem::viewportPoint(BoxItem *box, const QPointF &itemPoint) const
{
    return view->mapFromScene(box->mapToScene(itemPoint));
}

void TestBoxItem::sendMove(const QPoint &to, Qt::KeyboardModifiers modifiers)
{
    // QTest::mouseMove only moves the cursor; a drag needs the held button.
    QMouseEvent move(QEvent::MouseMove, to, view->viewport()->mapToGlobal(to), Qt::NoButton,
                     Qt::LeftButton, modifiers);
    QApplication::sendEvent(view->viewport(), &move);
}

void TestBoxItem::construction_data()
{
    QTest::addColumn<QRect>("given");
    QTest::addColumn<QPointF>("position");
    QTest::addColumn<QRectF>("rectangle");

    QTest::newRow("default add") << QRect(QPoint(100, 100), QSize(90, 30)) << QPointF(144, 114)
                                 << QRectF(-45, -15, 90, 30);
    QTest::newRow("odd size") << QRect(QPoint(10, 20), QSize(5, 7)) << QPointF(12, 23)
                              << QRectF(-2.5, -3.5, 5, 7);
    // The integer centre truncates towards zero.
    QTest::newRow("negative corner") << QRect(QPoint(-10, -10), QSize(90, 30))
                                     << QPointF(34, 4) << QRectF(-45, -15, 90, 30);
    QTest::newRow("empty, as for reading") << QRect() << QPointF(0, 0) << QRectF(0, 0, 0, 0);
}

void TestBoxItem::construction()
{
    QFETCH(QRect, given);
    QFETCH(QPointF, position);
    QFETCH(QRectF, rectangle);

    BoxItem *box = new BoxItem(given, scene.data());
    QCOMPARE(box->scene(), scene.data());
    QCOMPARE(box->type(), 65537);
    QCOMPARE(int(box->flags()), 0x807);
    QCOMPARE(box->pos(), position);
    QCOMPARE(box->rect(), rectangle);
    QCOMPARE(box->shearHorizontal(), rectangle.toRect().width());
    QCOMPARE(box->shearVertical(), rectangle.toRect().height());
    QCOMPARE(box->property("shearHorizontal").toInt(), box->shearHorizontal());
    QCOMPARE(box->angle(), 0.0);
    QCOMPARE(box->zValue(), 0.0);
    QCOMPARE(box->pen(), QPen());
    QCOMPARE(box->brush().style(), Qt::NoBrush);
    QCOMPARE(scene->selectedItems(), QList<QGraphicsItem *>() << box);
    QCOMPARE(scene->focusItem(), box);
    QCOMPARE(box->qt_metacast("QGraphicsRectItem"),
             static_cast<void *>(static_cast<QGraphicsRectItem *>(box)));
}

void TestBoxItem::secondItemTakesSelection()
{
    BoxItem *first = new BoxItem(QRect(0, 0, 10, 10), scene.data());
    BoxItem *second = new BoxItem(QRect(50, 50, 10, 10), scene.data());
    QVERIFY(!first->isSelected());
    QCOMPARE(scene->selectedItems(), QList<QGraphicsItem *>() << second);
    QCOMPARE(scene->focusItem(), second);
}

void TestBoxItem::gatedSetters_data()
{
    QTest::addColumn<QString>("setter");
    QTest::addColumn<bool>("viaProperty");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("dirtyCount");

    const QPen pen(Qt::red, 2, Qt::DashLine);
    const QBrush brush(Qt::blue, Qt::Dense3Pattern);
    for (bool viaProperty : {false, true}) {
        const char *via = viaProperty ? "property" : "direct";
        QTest::addRow("pen, %s", via) << "pen" << viaProperty << QVariant(pen) << 1;
        QTest::addRow("brush, %s", via) << "brush" << viaProperty << QVariant(brush) << 1;
        // A transform change reports itself before and after.
        QTest::addRow("angle, %s", via) << "angle" << viaProperty << QVariant(30.0) << 2;
        QTest::addRow("angle past a turn, %s", via)
            << "angle" << viaProperty << QVariant(370.0) << 2;
        QTest::addRow("width, %s", via) << "shearHorizontal" << viaProperty << QVariant(120) << 1;
        QTest::addRow("height, %s", via) << "shearVertical" << viaProperty << QVariant(40) << 1;
    }
    QTest::newRow("setShear") << "shear" << false << QVariant(QSize(120, 40)) << 1;
    QTest::newRow("setShear, width only") << "shear" << false << QVariant(QSize(120, 30)) << 1;
}

void TestBoxItem::gatedSetters()
{
    QFETCH(QString, setter);
    QFETCH(bool, viaProperty);
    QFETCH(QVariant, value);
    QFETCH(int, dirtyCount);

    BoxItem *box = new BoxItem(QRect(QPoint(100, 100), QSize(90, 30)), scene.data());
    QSignalSpy dirty(box, SIGNAL(dirty()));

    auto apply = [&](const QVariant &v) {
        if (setter == "shear") {
            box->setShear(v.toSize().width(), v.toSize().height());
        } else if (viaProperty) {
            QVERIFY(box->setProperty(setter.toLatin1(), v));
        } else if (setter == "pen") {
            box->setPen(v.value<QPen>());
        } else if (setter == "brush") {
            box->setBrush(v.value<QBrush>());
        } else if (setter == "angle") {
            box->setAngle(v.toDouble());
        } else if (setter == "shearHorizontal") {
            box->setShearHorizontal(v.toInt());
        } else if (setter == "shearVertical") {
            box->setShearVertical(v.toInt());
        }
    };
    auto current = [&]() -> QVariant {
        if (setter == "shear")
            return QSize(box->shearHorizontal(), box->shearVertical());
        return box->property(setter.toLatin1());
    };
    auto snapshot = [&]() {
        return QVariantList() << QVariant(box->pen()) << QVariant(box->brush()) << box->angle()
                              << box->rect() << box->pos() << QVariant(box->transform());
    };

    // Unselected: nothing happens.
    box->setSelected(false);
    const QVariantList before = snapshot();
    apply(value);
    QCOMPARE(snapshot(), before);
    QCOMPARE(dirty.count(), 0);

    // The current value again: nothing happens either.
    box->setSelected(true);
    apply(current());
    QCOMPARE(snapshot(), before);
    QCOMPARE(dirty.count(), 0);

    // A new value on a selected box.
    apply(value);
    QCOMPARE(current(), value);
    QCOMPARE(dirty.count(), dirtyCount);

    // And once more with the value it now has.
    apply(value);
    QCOMPARE(dirty.count(), dirtyCount);
}

void TestBoxItem::angleReplacesTransform()
{
    BoxItem *box = new BoxItem(QRect(QPoint(100, 100), QSize(90, 30)), scene.data());
    QSignalSpy dirty(box, SIGNAL(dirty()));

    box->setAngle(0.0);
    QCOMPARE(dirty.count(), 0);
    QVERIFY(box->transform().isIdentity());

    box->setAngle(10);
    box->setAngle(30);
    QCOMPARE(box->transform(), QTransform().rotate(30));
    QCOMPARE(dirty.count(), 4);

    // Within qFuzzyCompare's tolerance counts as unchanged.
    box->setAngle(30 + 1e-13);
    QCOMPARE(box->angle(), 30.0);
    QCOMPARE(dirty.count(), 4);

    box->setAngle(370);
    QCOMPARE(box->angle(), 370.0);
    QVERIFY(qFuzzyCompare(box->transform().m12(), QTransform().rotate(10).m12()));
    QCOMPARE(box->pos(), QPointF(144, 114));
}

void TestBoxItem::shearKeepsTopLeft()
{
    BoxItem *box = new BoxItem(QRect(QPoint(100, 100), QSize(90, 30)), scene.data());
    box->setAngle(45);
    box->setShear(120, 40);
    QCOMPARE(box->rect(), QRectF(-45, -15, 120, 40));
    QCOMPARE(box->pos(), QPointF(144, 114));
    QCOMPARE(box->angle(), 45.0);
    QCOMPARE(box->shearHorizontal(), 120);
    QCOMPARE(box->shearVertical(), 40);

    box->setShear(-5, 0);
    QCOMPARE(box->rect(), QRectF(-45, -15, -5, 0));
    QCOMPARE(box->shearHorizontal(), -5);
    QCOMPARE(box->shearVertical(), 0);
}

void TestBoxItem::keys_data()
{
    QTest::addColumn<QRect>("given");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("presses");
    QTest::addColumn<QRectF>("rectangle");
    QTest::addColumn<QSize>("shear");
    QTest::addColumn<int>("dirtyCount");

    const QRect standard(QPoint(100, 100), QSize(90, 30));
    const int shift = Qt::ShiftModifier;
    const int control = Qt::ControlModifier;
    QTest::newRow("Shift+Right x3 widens")
        << standard << true << int(Qt::Key_Right) << shift << 3 << QRectF(-45, -15, 93, 30)
        << QSize(93, 30) << 3;
    QTest::newRow("Shift+Up shortens")
        << standard << true << int(Qt::Key_Up) << shift << 1 << QRectF(-45, -15, 90, 29)
        << QSize(90, 29) << 1;
    QTest::newRow("Control+Shift+Right moves")
        << standard << true << int(Qt::Key_Right) << (shift | control) << 1
        << QRectF(-44, -15, 90, 30) << QSize(90, 30) << 1;
    QTest::newRow("Control+Left moves")
        << standard << true << int(Qt::Key_Left) << control << 2 << QRectF(-47, -15, 90, 30)
        << QSize(90, 30) << 2;
    QTest::newRow("Control+Down moves")
        << standard << true << int(Qt::Key_Down) << control << 1 << QRectF(-45, -14, 90, 30)
        << QSize(90, 30) << 1;
    QTest::newRow("unselected box still resizes")
        << standard << false << int(Qt::Key_Down) << shift << 1 << QRectF(-45, -15, 90, 31)
        << QSize(90, 31) << 1;
    QTest::newRow("Shift+Left below zero width")
        << QRect() << true << int(Qt::Key_Left) << shift << 1 << QRectF(0, 0, -1, 0)
        << QSize(-1, 0) << 1;
    QTest::newRow("plain arrow does nothing")
        << standard << true << int(Qt::Key_Right) << 0 << 2 << QRectF(-45, -15, 90, 30)
        << QSize(90, 30) << 0;
    QTest::newRow("Shift+letter does nothing")
        << standard << true << int(Qt::Key_A) << shift << 1 << QRectF(-45, -15, 90, 30)
        << QSize(90, 30) << 0;
}

void TestBoxItem::keys()
{
    QFETCH(QRect, given);
    QFETCH(bool, selected);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, presses);
    QFETCH(QRectF, rectangle);
    QFETCH(QSize, shear);
    QFETCH(int, dirtyCount);

    BoxItem *box = showBox(given);
    box->setSelected(selected);
    QVERIFY(box->hasFocus());
    const QPointF position = box->pos();
    QSignalSpy dirty(box, SIGNAL(dirty()));

    for (int i = 0; i < presses; ++i)
        QTest::keyClick(view->viewport(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    QCOMPARE(box->rect(), rectangle);
    QCOMPARE(QSize(box->shearHorizontal(), box->shearVertical()), shear);
    QCOMPARE(box->pos(), position);
    QCOMPARE(dirty.count(), dirtyCount);
}

void TestBoxItem::shiftDrag_data()
{
    QTest::addColumn<QList<QPoint>>("steps");
    QTest::addColumn<QRectF>("rectangle");

    QTest::newRow("grow in one step") << (QList<QPoint>() << QPoint(10, 5))
                                      << QRectF(-45, -15, 100, 35);
    QTest::newRow("grow in three steps")
        << (QList<QPoint>() << QPoint(4, 1) << QPoint(4, 2) << QPoint(2, 2))
        << QRectF(-45, -15, 100, 35);
    QTest::newRow("past the opposite corner") << (QList<QPoint>() << QPoint(-100, -40))
                                              << QRectF(-55, -25, 10, 10);
}

void TestBoxItem::shiftDrag()
{
    QFETCH(QList<QPoint>, steps);
    QFETCH(QRectF, rectangle);

    BoxItem *box = showBox(QRect(QPoint(100, 100), QSize(90, 30)));
    QSignalSpy dirty(box, SIGNAL(dirty()));
    QWidget *viewport = view->viewport();

    QPoint at = viewportPoint(box, QPointF(0, 0));
    QTest::mousePress(viewport, Qt::LeftButton, Qt::ShiftModifier, at);
    QCOMPARE(box->cursor().shape(), Qt::SizeAllCursor);
    for (const QPoint &step : steps) {
        at += step;
        sendMove(at, Qt::ShiftModifier);
    }
    QCOMPARE(box->rect(), rectangle);
    QCOMPARE(dirty.count(), 0);

    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::ShiftModifier, at);
    QCOMPARE(dirty.count(), 1);
    QCOMPARE(box->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(box->rect(), rectangle);
    QCOMPARE(box->shearHorizontal(), rectangle.toRect().width());
    QCOMPARE(box->shearVertical(), rectangle.toRect().height());
    QCOMPARE(box->pos(), QPointF(144, 114));

    // Once released, a plain move drags the box again instead of resizing it.
    const QPoint start = viewportPoint(box, rectangle.center());
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, start);
    sendMove(start + QPoint(3, 0), Qt::NoModifier);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, start + QPoint(3, 0));
    QCOMPARE(box->rect(), rectangle);
    QCOMPARE(box->pos(), QPointF(147, 114));
}

void TestBoxItem::moveEmitsTwicePerStep()
{
    BoxItem *box = showBox(QRect(QPoint(100, 100), QSize(90, 30)));
    QSignalSpy dirty(box, SIGNAL(dirty()));
    QWidget *viewport = view->viewport();

    QPoint at = viewportPoint(box, QPointF(0, 0));
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(dirty.count(), 0);
    for (int i = 0; i < 3; ++i) {
        at += QPoint(2, 1);
        sendMove(at, Qt::NoModifier);
    }
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(box->pos(), QPointF(150, 117));
    QCOMPARE(box->rect(), QRectF(-45, -15, 90, 30));
    QCOMPARE(dirty.count(), 6);
}

TAGFORGE_TEST_MAIN(TestBoxItem)
#include "tst_boxitem.moc"

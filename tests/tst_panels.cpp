#include "testsupport.h"

#include "panels/brushwidget.h"
#include "panels/penwidget.h"
#include "panels/transformwidget.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLinearGradient>
#include <QPixmapCache>
#include <QSignalSpy>
#include <QSpinBox>

class TestPanels : public QObject
{
    Q_OBJECT

private slots:
    void styleList_data();
    void styleList();

    void brushUserPick();
    void brushSetBrush();
    void brushUnshownStyle_data();
    void brushUnshownStyle();

    void penFirstEdit();
    void penWidthRange();
    void penSetPen();
    void penUnshownPen_data();
    void penUnshownPen();

    void swatchCache_data();
    void swatchCache();

    void transformNewPanel();
    void transformUserEdit();
    void transformDisplayIsSilent_data();
    void transformDisplayIsSilent();
    void transformEditAfterDisplay();

    void fixedSize_data();
    void fixedSize();
};

namespace {

// Replaces the spin box's value by typing, as a user would.
void typeInto(QAbstractSpinBox *box, const QString &text)
{
    box->selectAll();
    QTest::keyClicks(box, text);
}

QWidget *makePanel(const QString &name)
{
    if (name == "brush")
        return new BrushWidget;
    if (name == "pen")
        return new PenWidget;
    return new TransformWidget;
}

QPen takePen(QSignalSpy &spy, int index)
{
    return spy.at(index).at(0).value<QPen>();
}

} // namespace

void TestPanels::styleList_data()
{
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<int>>("styles");
    QTest::addColumn<int>("dataType");

    QTest::newRow("brush")
        << "brush"
        << QStringList{"No Brush", "Solid", "Dense #1", "Dense #2", "Dense #3", "Dense #4",
                       "Dense #5", "Dense #6", "Horizontal", "Vertical", "Cross",
                       "Diagonal /", "Diagonal \\", "Diagonal Cross"}
        << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14}
        << qMetaTypeId<Qt::BrushStyle>();
    QTest::newRow("pen")
        << "pen"
        << QStringList{"No Pen", "Solid", "Dashed", "Dotted", "Dash-Dotted", "Dash-Dot-Dotted"}
        << QList<int>{0, 1, 2, 3, 4, 5}
        << qMetaTypeId<Qt::PenStyle>();
}

// Entries carry the Qt enum itself and are found by its integer value.
void TestPanels::styleList()
{
    QFETCH(QString, panel);
    QFETCH(QStringList, texts);
    QFETCH(QList<int>, styles);
    QFETCH(int, dataType);

    QScopedPointer<QWidget> widget(makePanel(panel));
    QComboBox *combo = widget->findChild<QComboBox *>();
    QVERIFY(combo);
    QCOMPARE(combo->count(), texts.count());
    for (int i = 0; i < combo->count(); ++i) {
        QCOMPARE(combo->itemText(i), texts.at(i));
        QCOMPARE(combo->itemData(i).userType(), dataType);
        QCOMPARE(combo->itemData(i).toInt(), styles.at(i));
        QCOMPARE(combo->findData(styles.at(i)), i);
        QVERIFY(!combo->itemIcon(i).isNull());
    }
}

void TestPanels::brushUserPick()
{
    BrushWidget panel;
    QComboBox *combo = panel.findChild<QComboBox *>();
    QCOMPARE(combo->currentText(), QString("No Brush"));

    QSignalSpy spy(&panel, SIGNAL(brushChanged(QBrush)));
    QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(combo->currentText(), QString("Solid"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<QBrush>(), QBrush(Qt::black, Qt::SolidPattern));
}

void TestPanels::brushSetBrush()
{
    BrushWidget panel;
    QComboBox *combo = panel.findChild<QComboBox *>();
    QSignalSpy spy(&panel, SIGNAL(brushChanged(QBrush)));

    const QBrush red(Qt::red, Qt::Dense3Pattern);
    panel.setBrush(red);
    QCOMPARE(combo->currentText(), QString("Dense #3"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<QBrush>(), red);

    panel.setBrush(red);
    QCOMPARE(spy.count(), 1);

    combo->setCurrentIndex(combo->findText("Cross"));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).value<QBrush>(), QBrush(Qt::red, Qt::CrossPattern));
}

void TestPanels::brushUnshownStyle_data()
{
    QTest::addColumn<QBrush>("brush");

    QLinearGradient gradient(0, 0, 10, 10);
    gradient.setColorAt(0, Qt::red);
    gradient.setColorAt(1, Qt::blue);
    QPixmap texture(4, 4);
    texture.fill(Qt::green);

    QTest::newRow("Dense7") << QBrush(Qt::red, Qt::Dense7Pattern);
    QTest::newRow("gradient") << QBrush(gradient);
    QTest::newRow("texture") << QBrush(texture);
}

// Showing a brush the list has no entry for must not send an altered
// brush to the selected item; the next pick still keeps its colour.
void TestPanels::brushUnshownStyle()
{
    QFETCH(QBrush, brush);

    BrushWidget panel;
    panel.setBrush(QBrush(Qt::blue, Qt::SolidPattern));
    QComboBox *combo = panel.findChild<QComboBox *>();
    QSignalSpy spy(&panel, SIGNAL(brushChanged(QBrush)));

    panel.setBrush(brush);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(combo->currentIndex(), -1);

    combo->setCurrentIndex(combo->findText("Cross"));
    QCOMPARE(spy.count(), 1);
    const QBrush picked = spy.at(0).at(0).value<QBrush>();
    QCOMPARE(picked.style(), Qt::CrossPattern);
    QCOMPARE(picked.color(), brush.color());
}

// The first edit after construction starts from QPen().
void TestPanels::penFirstEdit()
{
    {
        PenWidget panel;
        QComboBox *combo = panel.findChild<QComboBox *>();
        QCOMPARE(combo->currentText(), QString("Solid"));
        QSignalSpy spy(&panel, SIGNAL(penChanged(QPen)));
        combo->setCurrentIndex(combo->findText("Dashed"));
        QCOMPARE(spy.count(), 1);
        QPen dashed;
        dashed.setStyle(Qt::DashLine);
        QCOMPARE(takePen(spy, 0), dashed);
    }
    {
        PenWidget panel;
        QSpinBox *width = panel.findChild<QSpinBox *>();
        QCOMPARE(width->text(), QString("1 px"));
        QSignalSpy spy(&panel, SIGNAL(penChanged(QPen)));
        typeInto(width, "3");
        QCOMPARE(spy.count(), 1);
        QPen wider;
        wider.setWidth(3);
        QCOMPARE(takePen(spy, 0), wider);
    }
}

void TestPanels::penWidthRange()
{
    PenWidget panel;
    QSpinBox *width = panel.findChild<QSpinBox *>();
    QSignalSpy spy(&panel, SIGNAL(penChanged(QPen)));

    QTest::keyClick(width, Qt::Key_Down);
    QCOMPARE(width->value(), 0);
    QCOMPARE(width->text(), QString("1 px (fine)"));
    QCOMPARE(spy.count(), 1);
    QPen fine;
    fine.setWidth(0);
    QCOMPARE(takePen(spy, 0), fine);

    QTest::keyClick(width, Qt::Key_Down);
    QCOMPARE(width->value(), 0);
    QCOMPARE(spy.count(), 1);

    for (int i = 0; i < 3; ++i)
        QTest::keyClick(width, Qt::Key_PageUp);
    QCOMPARE(width->value(), 20);
    QCOMPARE(takePen(spy, spy.count() - 1).width(), 20);
}

void TestPanels::penSetPen()
{
    PenWidget panel;
    QSpinBox *width = panel.findChild<QSpinBox *>();
    QComboBox *combo = panel.findChild<QComboBox *>();
    QSignalSpy spy(&panel, SIGNAL(penChanged(QPen)));

    const QPen given(QBrush(Qt::red), 4, Qt::DashDotLine, Qt::RoundCap, Qt::BevelJoin);
    panel.setPen(given);
    QCOMPARE(width->value(), 4);
    QCOMPARE(combo->currentText(), QString("Dash-Dotted"));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(takePen(spy, 0), given);
    QCOMPARE(takePen(spy, 1), given);

    panel.setPen(given);
    QCOMPARE(spy.count(), 2);

    combo->setCurrentIndex(combo->findText("Dotted"));
    QCOMPARE(spy.count(), 3);
    QPen dotted = given;
    dotted.setStyle(Qt::DotLine);
    QCOMPARE(takePen(spy, 2), dotted);
}

void TestPanels::penUnshownPen_data()
{
    QTest::addColumn<QPen>("pen");
    QTest::addColumn<int>("shownWidth");
    QTest::addColumn<int>("shownIndex");
    QTest::addColumn<int>("emitted");

    QPen wide(QBrush(Qt::red), 25);
    QPen wideDashDot(QBrush(Qt::red), 30, Qt::DashDotLine);
    QPen fractional(QBrush(Qt::red), 1.5);
    QPen custom(QBrush(Qt::red), 1, Qt::CustomDashLine);
    custom.setDashPattern({3, 1, 1, 1});
    QPen customWide = custom;
    customWide.setWidth(4);

    // Only a widget that shows its part of the pen faithfully may report.
    QTest::newRow("width above range") << wide << 20 << 1 << 0;
    QTest::newRow("width above range, style shown") << wideDashDot << 20 << 4 << 1;
    QTest::newRow("fractional width") << fractional << 2 << 1 << 0;
    QTest::newRow("custom dashes") << custom << 1 << -1 << 0;
    QTest::newRow("custom dashes, width shown") << customWide << 4 << -1 << 1;
}

void TestPanels::penUnshownPen()
{
    QFETCH(QPen, pen);
    QFETCH(int, shownWidth);
    QFETCH(int, shownIndex);
    QFETCH(int, emitted);

    PenWidget panel;
    QSpinBox *width = panel.findChild<QSpinBox *>();
    QComboBox *combo = panel.findChild<QComboBox *>();
    QSignalSpy spy(&panel, SIGNAL(penChanged(QPen)));

    panel.setPen(pen);
    QCOMPARE(width->value(), shownWidth);
    QCOMPARE(combo->currentIndex(), shownIndex);
    QCOMPARE(spy.count(), emitted);
    for (int i = 0; i < spy.count(); ++i)
        QCOMPARE(takePen(spy, i), pen);

    // A later style pick keeps the width given, not the one shown.
    combo->setCurrentIndex(combo->findText("Dotted"));
    QPen dotted = pen;
    dotted.setStyle(Qt::DotLine);
    QCOMPARE(takePen(spy, spy.count() - 1), dotted);
}

void TestPanels::swatchCache_data()
{
    QTest::addColumn<bool>("pen");
    QTest::addColumn<int>("style");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("painted");

    QTest::newRow("solid brush") << false << int(Qt::SolidPattern) << QColor(Qt::red)
                                 << QSize(24, 24) << "BRUSHSTYLESWATCH:1:#ff0000:24x24" << true;
    QTest::newRow("no brush") << false << int(Qt::NoBrush) << QColor(Qt::black)
                              << QSize(24, 24) << "BRUSHSTYLESWATCH:0:#000000:24x24" << false;
    QTest::newRow("cross brush, other size") << false << int(Qt::DiagCrossPattern) << QColor(Qt::blue)
                                             << QSize(32, 16) << "BRUSHSTYLESWATCH:14:#0000ff:32x16" << true;
    QTest::newRow("solid pen") << true << int(Qt::SolidLine) << QColor(Qt::black)
                               << QSize(24, 24) << "PENSTYLESWATCH:1:#000000:24x24" << true;
    QTest::newRow("no pen") << true << int(Qt::NoPen) << QColor(Qt::black)
                            << QSize(24, 24) << "PENSTYLESWATCH:0:#000000:24x24" << false;
    QTest::newRow("dotted pen, other size") << true << int(Qt::DotLine) << QColor(Qt::green)
                                            << QSize(40, 10) << "PENSTYLESWATCH:3:#00ff00:40x10" << true;
}

// Each swatch is drawn once and then served from QPixmapCache under its key.
void TestPanels::swatchCache()
{
    QFETCH(bool, pen);
    QFETCH(int, style);
    QFETCH(QColor, color);
    QFETCH(QSize, size);
    QFETCH(QString, key);
    QFETCH(bool, painted);

    auto swatch = [&]() {
        return pen ? penSwatch(Qt::PenStyle(style), color, size)
                   : brushSwatch(Qt::BrushStyle(style), color, size);
    };

    QPixmapCache::clear();
    const QPixmap first = swatch();
    QCOMPARE(first.size(), size);

    QPixmap cached;
    QVERIFY(QPixmapCache::find(key, &cached));
    QCOMPARE(cached.cacheKey(), first.cacheKey());
    QCOMPARE(swatch().cacheKey(), first.cacheKey());

    // Something of the colour is drawn on the middle row, on a transparent
    // ground elsewhere for the pen.
    const QImage image = first.toImage();
    const int middle = size.height() / 2;
    bool found = false;
    for (int x = 0; x < size.width(); ++x)
        found = found || image.pixelColor(x, middle) == color;
    QCOMPARE(found, painted);
    if (pen)
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
}

void TestPanels::transformNewPanel()
{
    TransformWidget panel;
    QDoubleSpinBox *angle = panel.findChild<QDoubleSpinBox *>();
    QList<QSpinBox *> boxes = panel.findChildren<QSpinBox *>();
    QVERIFY(angle);
    QCOMPARE(boxes.count(), 2);
    QCOMPARE(angle->text(), QString("0.0") + QChar(0x00B0));
    QCOMPARE(boxes.at(0)->text(), QString("0 ") + QChar(0x21C6));
    QCOMPARE(boxes.at(1)->text(), QString("0 ") + QChar(0x21C5));
}

void TestPanels::transformUserEdit()
{
    TransformWidget panel;
    QDoubleSpinBox *angle = panel.findChild<QDoubleSpinBox *>();
    QSpinBox *width = panel.findChildren<QSpinBox *>().at(0);
    QSignalSpy angleSpy(&panel, SIGNAL(angleChanged(double)));
    QSignalSpy widthSpy(&panel, SIGNAL(shearHorizontalChanged(int)));
    QSignalSpy heightSpy(&panel, SIGNAL(shearVerticalChanged(int)));

    typeInto(angle, "45");
    QVERIFY(!angleSpy.isEmpty());
    QCOMPARE(angleSpy.last().at(0).toDouble(), 45.0);
    QTest::keyClick(angle, Qt::Key_Up);
    QCOMPARE(angleSpy.last().at(0).toDouble(), 46.0);

    QTest::keyClick(width, Qt::Key_Up);
    QCOMPARE(widthSpy.count(), 1);
    QCOMPARE(widthSpy.at(0), (QVariantList{1}));
    QCOMPARE(heightSpy.count(), 0);
}

void TestPanels::transformDisplayIsSilent_data()
{
    QTest::addColumn<double>("angle");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<double>("shownAngle");
    QTest::addColumn<int>("shownWidth");
    QTest::addColumn<int>("shownHeight");

    QTest::newRow("in range") << 30.0 << 10 << 20 << 30.0 << 10 << 20;
    QTest::newRow("rounded") << 12.34 << 1 << 0 << 12.3 << 1 << 0;
    QTest::newRow("clamped low") << -30.0 << -5 << 0 << 0.0 << 0 << 0;
    QTest::newRow("clamped high") << 400.0 << 1500 << 2000 << 360.0 << 999 << 999;
    QTest::newRow("nothing new") << 0.0 << 0 << 0 << 0.0 << 0 << 0;
}

void TestPanels::transformDisplayIsSilent()
{
    QFETCH(double, angle);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(double, shownAngle);
    QFETCH(int, shownWidth);
    QFETCH(int, shownHeight);

    TransformWidget panel;
    QDoubleSpinBox *angleBox = panel.findChild<QDoubleSpinBox *>();
    QList<QSpinBox *> boxes = panel.findChildren<QSpinBox *>();
    QSignalSpy angleSpy(&panel, SIGNAL(angleChanged(double)));
    QSignalSpy widthSpy(&panel, SIGNAL(shearHorizontalChanged(int)));
    QSignalSpy heightSpy(&panel, SIGNAL(shearVerticalChanged(int)));

    panel.setAngle(angle);
    panel.setShear(width, height);
    QCOMPARE(angleBox->value(), shownAngle);
    QCOMPARE(boxes.at(0)->value(), shownWidth);
    QCOMPARE(boxes.at(1)->value(), shownHeight);
    QCOMPARE(angleSpy.count(), 0);
    QCOMPARE(widthSpy.count(), 0);
    QCOMPARE(heightSpy.count(), 0);
    QVERIFY(!panel.signalsBlocked());
}

// A user edit sends only the box edited, never a value merely shown,
// even one shown clamped.
void TestPanels::transformEditAfterDisplay()
{
    TransformWidget panel;
    QList<QSpinBox *> boxes = panel.findChildren<QSpinBox *>();
    QSignalSpy widthSpy(&panel, SIGNAL(shearHorizontalChanged(int)));
    QSignalSpy heightSpy(&panel, SIGNAL(shearVerticalChanged(int)));

    panel.setShear(10, 20);
    typeInto(boxes.at(1), "25");
    QCOMPARE(heightSpy.last(), (QVariantList{25}));

    panel.setShear(1500, 25);
    QTest::keyClick(boxes.at(1), Qt::Key_Down);
    QCOMPARE(heightSpy.last(), (QVariantList{24}));
    QCOMPARE(widthSpy.count(), 0);
}

void TestPanels::fixedSize_data()
{
    QTest::addColumn<QString>("panel");
    QTest::newRow("brush") << "brush";
    QTest::newRow("pen") << "pen";
    QTest::newRow("transform") << "transform";
}

void TestPanels::fixedSize()
{
    QFETCH(QString, panel);

    QScopedPointer<QWidget> widget(makePanel(panel));

    widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(widget.data()));
    const QSize fixed = widget->size();
    QCOMPARE(fixed, widget->minimumSizeHint());
    widget->resize(fixed * 2);
    QCOMPARE(widget->size(), fixed);
    QCOMPARE(widget->minimumSize(), widget->maximumSize());
}

TAGFORGE_TEST_MAIN(TestPanels)
#include "tst_panels.moc"

#include "testsupport.h"

#include "app/settings.h"
#include "items/placeholder.h"
#include "mainwindow/graphicsview.h"
#include "mainwindow/mainwindow.h"

#include <QAction>
#include <QDirIterator>
#include <QDockWidget>
#include <QGraphicsItemGroup>
#include <QGraphicsLineItem>
#include <QGraphicsScene>
#include <QMenu>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QTranslator>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

namespace {
const QString Separator = QStringLiteral("--");

// The window's own actions, in creation order; menus and tool bars keep
// theirs as children of their own.
QList<QAction *> windowActions(const MainWindow &window)
{
    return window.findChildren<QAction *>(QString(), Qt::FindDirectChildrenOnly);
}

QAction *actionNamed(const MainWindow &window, const QString &text)
{
    for (QAction *action : windowActions(window)) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

QStringList entryTexts(const QList<QAction *> &actions)
{
    QStringList texts;
    for (const QAction *action : actions)
        texts << (action->isSeparator() ? Separator : action->text());
    return texts;
}

QToolBar *toolBarNamed(const MainWindow &window, const QString &name)
{
    return window.findChild<QToolBar *>(name);
}

GraphicsView *canvas(const MainWindow &window)
{
    return qobject_cast<GraphicsView *>(window.centralWidget());
}

QGraphicsScene *sceneOf(const MainWindow &window)
{
    GraphicsView *view = canvas(window);
    return view ? view->scene() : nullptr;
}

// The grid is the one top-level group of line items in the scene.
QList<QGraphicsItemGroup *> gridGroups(const MainWindow &window)
{
    QList<QGraphicsItemGroup *> groups;
    QGraphicsScene *scene = sceneOf(window);
    if (!scene)
        return groups;
    for (QGraphicsItem *item : scene->items()) {
        auto *group = qgraphicsitem_cast<QGraphicsItemGroup *>(item);
        if (!group || group->parentItem() || group->childItems().isEmpty())
            continue;
        const QList<QGraphicsItem *> children = group->childItems();
        if (std::all_of(children.cbegin(), children.cend(),
                        [](QGraphicsItem *child) { return qgraphicsitem_cast<QGraphicsLineItem *>(child); }))
            groups << group;
    }
    return groups;
}

QLineF sceneLine(const QGraphicsLineItem *item)
{
    return QLineF(item->mapToScene(item->line().p1()), item->mapToScene(item->line().p2()));
}

bool lineLess(const QLineF &a, const QLineF &b)
{
    const auto key = [](const QLineF &l) { return std::make_tuple(l.x1(), l.y1(), l.x2(), l.y2()); };
    return key(a) < key(b);
}

QList<QLineF> verticalLines(int xMax, int yMax)
{
    QList<QLineF> lines;
    for (int x = 0; x <= xMax; x += 36)
        lines << QLineF(x, 0, x, yMax);
    return lines;
}

QList<QLineF> horizontalLines(int xMax, int yMax)
{
    QList<QLineF> lines;
    for (int y = 0; y <= yMax; y += 36)
        lines << QLineF(0, y, xMax, y);
    return lines;
}

void newLabel(MainWindow &window)
{
    QVERIFY(QMetaObject::invokeMethod(&window, "fileNew"));
}
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void actions_data();
    void actions();
    void menusAndToolBars_data();
    void menusAndToolBars();
    void fileMenuOnlyEntries();
    void alignSubmenu();
    void docks();
    void startsReady();

    void page_data();
    void page();
    void printerPage_data();
    void printerPage();
    void viewKeepsMinimumSize();

    void grid_data();
    void grid();
    void showGridFromStore_data();
    void showGridFromStore();
    void toggleGridKeepsGroup();

    void zoomSteps();
    void shortcuts_data();
    void shortcuts();
    void wheel_data();
    void wheel();

    void windowStateRestored();
    void translatedTexts_data();
    void translatedTexts();
};

void TestMainWindow::initTestCase()
{
    Settings::instance();
}

// Each window starts from an empty store, as on a first run.
void TestMainWindow::init()
{
    QSettings().clear();
}

void TestMainWindow::actions_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("icon");
    QTest::addColumn<QList<QKeySequence>>("shortcuts");
    QTest::addColumn<QVariant>("data");

    const QList<QKeySequence> none;
    const auto keys = [](QKeySequence::StandardKey key) { return QKeySequence::keyBindings(key); };
    const QList<QKeySequence> cut{QKeySequence(QKeySequence::Cut), QKeySequence(Qt::Key_Delete)};

    QTest::newRow("New") << 0 << "New" << ":/filenew.png" << keys(QKeySequence::New) << QVariant();
    QTest::newRow("Open") << 1 << "Open..." << ":/fileopen.png" << keys(QKeySequence::Open) << QVariant();
    QTest::newRow("Save") << 2 << "Save" << ":/filesave.png" << keys(QKeySequence::Save) << QVariant();
    QTest::newRow("Save As") << 3 << "Save As..." << ":/filesave.png" << keys(QKeySequence::SaveAs) << QVariant();
    QTest::newRow("Export") << 4 << "Export..." << ":/fileexport.png" << none << QVariant();
    QTest::newRow("Print") << 5 << "Print" << ":/fileprint.png" << none << QVariant();
    QTest::newRow("Quit") << 6 << "Quit" << ":/filequit.png" << keys(QKeySequence::Quit) << QVariant();
    QTest::newRow("Page Size") << 7 << "Page Size..." << ":/print-pagesize.png" << none << QVariant();
    QTest::newRow("Print Preview") << 8 << "Print Preview..." << ":/print-preview.png" << none << QVariant();
    QTest::newRow("Edit Selected") << 9 << "Edit Selected Item..." << ":/editselecteditem.png" << none
                                   << QVariant();
    QTest::newRow("Add Text") << 10 << "Add Text..." << ":/editaddtext.png" << none << QVariant(65539);
    QTest::newRow("Add Box") << 11 << "Add Box" << ":/editaddbox.png" << none << QVariant(65537);
    QTest::newRow("Add QR Code") << 12 << "Add QR Code" << ":/editaddsmiley.png" << none << QVariant(65538);
    QTest::newRow("Copy") << 13 << "&Copy" << ":/editcopy.png" << keys(QKeySequence::Copy) << QVariant();
    QTest::newRow("Cut") << 14 << "Cu&t" << ":/editcut.png" << cut << QVariant();
    QTest::newRow("Paste") << 15 << "&Paste" << ":/editpaste.png" << keys(QKeySequence::Paste) << QVariant();
    QTest::newRow("Alignment") << 16 << "Alignment" << ":/align-left.png" << none << QVariant(1);
    QTest::newRow("Left") << 17 << "Left" << ":/align-left.png" << none << QVariant(1);
    QTest::newRow("Right") << 18 << "Right" << ":/align-right.png" << none << QVariant(2);
    QTest::newRow("Top") << 19 << "Top" << ":/align-top.png" << none << QVariant(32);
    QTest::newRow("Bottom") << 20 << "Bottom" << ":/align-bottom.png" << none << QVariant(64);
    QTest::newRow("Clear Transformations") << 21 << "Clear Transformations" << ":/editcleartransforms.png" << none
                                           << QVariant();
    QTest::newRow("Zoom In") << 22 << "Zoom In" << ":/zoom-in.png" << QList<QKeySequence>{QKeySequence(Qt::Key_Plus)}
                             << QVariant();
    QTest::newRow("Zoom Out") << 23 << "Zoom Out" << ":/zoom-out.png"
                              << QList<QKeySequence>{QKeySequence(Qt::Key_Minus)} << QVariant();
    QTest::newRow("Zoom Fit") << 24 << "Zoom Fit" << ":/zoom-fit.png"
                              << QList<QKeySequence>{QKeySequence(Qt::Key_Asterisk)} << QVariant();
    QTest::newRow("Show Grid") << 25 << "Show Grid" << ":/showgrid.png" << none << QVariant();
}

void TestMainWindow::actions()
{
    QFETCH(int, index);
    QFETCH(QString, text);
    QFETCH(QString, icon);
    QFETCH(QList<QKeySequence>, shortcuts);
    QFETCH(QVariant, data);

    MainWindow window;
    const QList<QAction *> all = windowActions(window);
    QVERIFY(all.size() >= 26);
    QAction *action = all.at(index);

    QCOMPARE(action->text(), text);
    QVERIFY(!action->icon().isNull());
    // The icon is the one of its resource, not merely any icon.
    QCOMPARE(action->icon().pixmap(16, 16).toImage(), QIcon(icon).pixmap(16, 16).toImage());
    QCOMPARE(action->shortcuts(), shortcuts);
    QCOMPARE(action->data(), data);
    QCOMPARE(action->isCheckable(), text == "Show Grid");
    QVERIFY(action->isEnabled());
    QVERIFY(action->statusTip().isEmpty());
}

void TestMainWindow::menusAndToolBars_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("toolBarName");
    QTest::addColumn<QStringList>("menuEntries");
    QTest::addColumn<QStringList>("toolBarEntries");

    const QStringList edit{"Undo", "Redo", Separator, "Edit Selected Item...", Separator, "Add Text...", "Add Box",
                           "Add QR Code", "Add Barcode", "Add Image...", Separator, "&Copy", "Cu&t", "&Paste",
                           Separator, "Alignment", "Clear Transformations"};
    QStringList editMenu = edit;
    editMenu.insert(3, "Select All");
    editMenu.insert(editMenu.size() - 1, "Bring to Front");
    editMenu.insert(editMenu.size() - 1, "Send to Back");
    const QStringList view{"Zoom In", "Zoom Out", "Zoom Fit", Separator, "Show Grid"};

    QTest::newRow("File") << 0 << "File" << "fileToolBar"
                          << QStringList{"New", "Open...", "Open Recent", "Save", "Save As...", "Export...", Separator, "Print",
                                         "Print Series...", "Print Preview...", "Page Size...", Separator, "Quit"}
                          << QStringList{"New", "Open...", "Save", "Export...", Separator, "Print",
                                         "Print Preview...", "Page Size..."};
    QTest::newRow("Edit") << 1 << "Edit" << "editToolBar" << editMenu << edit;
    QTest::newRow("View") << 2 << "View" << "viewToolBar" << view + QStringList{Separator, "Language"} << view;
}

void TestMainWindow::menusAndToolBars()
{
    QFETCH(int, index);
    QFETCH(QString, title);
    QFETCH(QString, toolBarName);
    QFETCH(QStringList, menuEntries);
    QFETCH(QStringList, toolBarEntries);

    MainWindow window;
    const QList<QAction *> menus = window.menuBar()->actions();
    QCOMPARE(entryTexts(menus), (QStringList{"File", "Edit", "View"}));
    QMenu *menu = menus.at(index)->menu();
    QVERIFY(menu);
    QCOMPARE(entryTexts(menu->actions()), menuEntries);

    const QList<QToolBar *> toolBars = window.findChildren<QToolBar *>();
    QCOMPARE(toolBars.size(), 3);
    QToolBar *toolBar = toolBars.at(index);
    QCOMPARE(toolBar->objectName(), toolBarName);
    QCOMPARE(toolBar->windowTitle(), title);
    QCOMPARE(window.toolBarArea(toolBar), Qt::TopToolBarArea);
    QCOMPARE(entryTexts(toolBar->actions()), toolBarEntries);

    // Menu and tool bar share the window's actions rather than copies.
    const QList<QAction *> own = windowActions(window);
    for (QAction *action : toolBar->actions()) {
        if (!action->isSeparator()) {
            QVERIFY2(own.contains(action), qPrintable(action->text()));
            QVERIFY2(menu->actions().contains(action), qPrintable(action->text()));
        }
    }
}

void TestMainWindow::fileMenuOnlyEntries()
{
    MainWindow window;
    QAction *saveAs = actionNamed(window, "Save As...");
    QAction *quit = actionNamed(window, "Quit");
    QAction *exportAction = actionNamed(window, "Export...");
    QVERIFY(saveAs && quit && exportAction);

    QToolBar *toolBar = toolBarNamed(window, "fileToolBar");
    QVERIFY(toolBar);
    QVERIFY(!toolBar->actions().contains(saveAs));
    QVERIFY(!toolBar->actions().contains(quit));

    const QList<QAction *> menuEntries = window.menuBar()->actions().at(0)->menu()->actions();
    const int saveAsRow = menuEntries.indexOf(saveAs);
    QVERIFY(saveAsRow >= 0);
    QCOMPARE(menuEntries.value(saveAsRow + 1), exportAction);
    QCOMPARE(menuEntries.last(), quit);
}

void TestMainWindow::alignSubmenu()
{
    MainWindow window;
    const QList<QAction *> all = windowActions(window);
    QAction *alignment = actionNamed(window, "Alignment");
    QVERIFY(alignment);
    QMenu *submenu = alignment->menu();
    QVERIFY(submenu);
    QCOMPARE(submenu->menuAction(), alignment);
    QCOMPARE(submenu->parent(), static_cast<QObject *>(&window));
    QCOMPARE(submenu->actions(), all.mid(17, 4));
    QCOMPARE(entryTexts(submenu->actions()), (QStringList{"Left", "Right", "Top", "Bottom"}));
}

void TestMainWindow::docks()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QCOMPARE(window.dockOptions(), QMainWindow::DockOptions(QMainWindow::AnimatedDocks));

    QList<QDockWidget *> docks = window.findChildren<QDockWidget *>();
    QCOMPARE(docks.size(), 3);
    std::sort(docks.begin(), docks.end(),
              [](QDockWidget *a, QDockWidget *b) { return a->geometry().top() < b->geometry().top(); });

    const QStringList titles{"Geometry", "Brush (Fill)", "Pen (Outline)"};
    const QStringList names{"geometryDock", "brushDock", "penDock"};
    const QStringList panels{"TransformWidget", "BrushWidget", "PenWidget"};
    for (int i = 0; i < docks.size(); ++i) {
        QDockWidget *dock = docks.at(i);
        QCOMPARE(dock->windowTitle(), titles.at(i));
        QCOMPARE(dock->objectName(), names.at(i));
        QCOMPARE(window.dockWidgetArea(dock), Qt::RightDockWidgetArea);
        QCOMPARE(dock->features(), QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
        QVERIFY(!dock->isFloating());
        QVERIFY(window.tabifiedDockWidgets(dock).isEmpty());
        QVERIFY(dock->widget());
        QCOMPARE(dock->widget()->metaObject()->className(), qPrintable(panels.at(i)));
    }
    // Stacked one below the other, not side by side.
    QCOMPARE(docks.at(0)->geometry().left(), docks.at(1)->geometry().left());
    QVERIFY(docks.at(0)->geometry().bottom() < docks.at(1)->geometry().top());
    QVERIFY(docks.at(1)->geometry().bottom() < docks.at(2)->geometry().top());
}

void TestMainWindow::startsReady()
{
    MainWindow window;
    QCOMPARE(window.objectName(), QString("MainWindow"));
    QCOMPARE(window.windowTitle(), QString("MainWindow"));
    // With nothing stored the window keeps the size of its form.
    QCOMPARE(window.size(), QSize(400, 300));
    QCOMPARE(window.statusBar()->currentMessage(), QString("Ready"));
    // No grid until the first document is set up.
    QVERIFY(gridGroups(window).isEmpty());
    QVERIFY(sceneOf(window)->items().isEmpty());
}

void TestMainWindow::page_data()
{
    QTest::addColumn<QSizeF>("pageMM");
    QTest::addColumn<QRectF>("sceneRect");
    QTest::addColumn<QSize>("minimumHint");

    QTest::newRow("default") << QSizeF() << QRectF(0, 0, 288, 288) << QSize(576, 576);
    QTest::newRow("50x30") << QSizeF(50, 30) << QRectF(0, 0, 142, 85) << QSize(284, 170);
    QTest::newRow("4x6 inch") << QSizeF(101.6, 152.4) << QRectF(0, 0, 288, 432) << QSize(576, 864);
}

void TestMainWindow::page()
{
    QFETCH(QSizeF, pageMM);
    QFETCH(QRectF, sceneRect);
    QFETCH(QSize, minimumHint);

    if (pageMM.isValid())
        Settings::instance()->setPageSizeMM(pageMM);
    MainWindow window;
    QCOMPARE(sceneOf(window)->sceneRect(), sceneRect);
    QCOMPARE(canvas(window)->sceneRect(), sceneRect);
    QCOMPARE(canvas(window)->minimumSizeHint(), minimumHint);
    QCOMPARE(canvas(window)->dragMode(), QGraphicsView::RubberBandDrag);
    QVERIFY(canvas(window)->renderHints().testFlag(QPainter::Antialiasing));
    QVERIFY(canvas(window)->renderHints().testFlag(QPainter::TextAntialiasing));
}

void TestMainWindow::printerPage_data()
{
    QTest::addColumn<QSizeF>("pageMM");
    QTest::addColumn<int>("dpi");

    QTest::newRow("default") << QSizeF(101.6, 101.6) << 300;
    QTest::newRow("50x30 at 203") << QSizeF(50, 30) << 203;
}

// The printer is reached the way the user sees it: through the preview.
void TestMainWindow::printerPage()
{
    QFETCH(QSizeF, pageMM);
    QFETCH(int, dpi);

    if (dpi != 300) {
        Settings::instance()->setPageSizeMM(pageMM);
        Settings::instance()->setPrintDPI(dpi);
    }
    MainWindow window;
    Placeholder table;
    window.setPlaceholder(&table);

    bool seen = false;
    QString name;
    QSizeF size;
    int resolution = 0;
    QTimer::singleShot(0, this, [&]() {
        auto *dialog = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen = true;
        const QPageSize pageSize = dialog->printer()->pageLayout().pageSize();
        name = pageSize.name();
        size = pageSize.size(QPageSize::Millimeter);
        resolution = dialog->printer()->resolution();
        dialog->reject();
    });
    const bool invoked = QMetaObject::invokeMethod(&window, "printPreview");
    // Runs the check now if the slot opened no dialog, so it never outlives this test.
    QCoreApplication::processEvents();
    QVERIFY(invoked);

    QVERIFY2(seen, "Print Preview... opened no preview dialog");
    QCOMPARE(name, QString("POSTEK C168/300s"));
    QVERIFY2(std::abs(size.width() - pageMM.width()) < 0.1 && std::abs(size.height() - pageMM.height()) < 0.1,
             qPrintable(QString("page %1 x %2 mm").arg(size.width()).arg(size.height())));
    QCOMPARE(resolution, dpi);
}

void TestMainWindow::viewKeepsMinimumSize()
{
    MainWindow window;
    window.resize(100, 100);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(canvas(window)->width() >= 576);
    QVERIFY(canvas(window)->height() >= 576);
}

void TestMainWindow::grid_data()
{
    QTest::addColumn<QSizeF>("pageMM");
    QTest::addColumn<QList<QLineF>>("vertical");
    QTest::addColumn<QList<QLineF>>("horizontal");

    QTest::newRow("default 288x288") << QSizeF() << verticalLines(288, 288) << horizontalLines(288, 288);
    QTest::newRow("50x30 mm, 142x85")
        << QSizeF(50, 30)
        << QList<QLineF>{QLineF(0, 0, 0, 72), QLineF(36, 0, 36, 72), QLineF(72, 0, 72, 72), QLineF(108, 0, 108, 72)}
        << QList<QLineF>{QLineF(0, 0, 108, 0), QLineF(0, 36, 108, 36), QLineF(0, 72, 108, 72)};
    QTest::newRow("10x10 mm, below one step") << QSizeF(10, 10) << QList<QLineF>{QLineF(0, 0, 0, 0)}
                                              << QList<QLineF>{QLineF(0, 0, 0, 0)};
}

void TestMainWindow::grid()
{
    QFETCH(QSizeF, pageMM);
    QFETCH(QList<QLineF>, vertical);
    QFETCH(QList<QLineF>, horizontal);

    if (pageMM.isValid())
        Settings::instance()->setPageSizeMM(pageMM);
    MainWindow window;
    newLabel(window);

    const QList<QGraphicsItemGroup *> groups = gridGroups(window);
    QCOMPARE(groups.size(), 1);
    QGraphicsItemGroup *group = groups.first();
    QVERIFY(group->isVisible());
    QCOMPARE(group->zValue(), std::numeric_limits<qreal>::lowest());
    QCOMPARE(group->pos(), QPointF());
    QCOMPARE(group->flags(), QGraphicsItem::GraphicsItemFlags());
    QVERIFY(!group->isSelected());

    QList<QLineF> foundVertical;
    QList<QLineF> foundHorizontal;
    for (QGraphicsItem *child : group->childItems()) {
        auto *line = qgraphicsitem_cast<QGraphicsLineItem *>(child);
        QCOMPARE(line->pen(), QPen(QColor(175, 175, 175, 255)));
        if (line->zValue() == -2147483648.0)
            foundVertical << sceneLine(line);
        else if (line->zValue() == -1000.0)
            foundHorizontal << sceneLine(line);
        else
            QFAIL(qPrintable(QString("grid line with z value %1").arg(line->zValue())));
    }
    std::sort(foundVertical.begin(), foundVertical.end(), lineLess);
    std::sort(foundHorizontal.begin(), foundHorizontal.end(), lineLess);
    QCOMPARE(foundVertical, vertical);
    QCOMPARE(foundHorizontal, horizontal);
}

void TestMainWindow::showGridFromStore_data()
{
    QTest::addColumn<bool>("stored");

    QTest::newRow("shown") << true;
    QTest::newRow("hidden") << false;
}

void TestMainWindow::showGridFromStore()
{
    QFETCH(bool, stored);

    Settings::instance()->setShowGrid(stored);
    MainWindow window;
    QAction *showGrid = actionNamed(window, "Show Grid");
    QVERIFY(showGrid);
    QCOMPARE(showGrid->isChecked(), stored);

    newLabel(window);
    const QList<QGraphicsItemGroup *> groups = gridGroups(window);
    QCOMPARE(groups.size(), 1);
    QCOMPARE(groups.first()->isVisible(), stored);
}

void TestMainWindow::toggleGridKeepsGroup()
{
    MainWindow window;
    newLabel(window);
    QAction *showGrid = actionNamed(window, "Show Grid");
    QVERIFY(showGrid);
    const QList<QGraphicsItemGroup *> before = gridGroups(window);
    QCOMPARE(before.size(), 1);

    showGrid->trigger();
    QVERIFY(!showGrid->isChecked());
    QCOMPARE(gridGroups(window), before);
    QVERIFY(!before.first()->isVisible());

    showGrid->trigger();
    QCOMPARE(gridGroups(window), before);
    QVERIFY(before.first()->isVisible());
}

void TestMainWindow::zoomSteps()
{
    MainWindow window;
    GraphicsView *view = canvas(window);
    QAction *zoomIn = actionNamed(window, "Zoom In");
    QAction *zoomOut = actionNamed(window, "Zoom Out");
    QAction *zoomFit = actionNamed(window, "Zoom Fit");
    QVERIFY(zoomIn && zoomOut && zoomFit);

    const qreal start = view->transform().m11();
    zoomIn->trigger();
    QVERIFY(qFuzzyCompare(view->transform().m11(), start * 1.1));
    QVERIFY(qFuzzyCompare(view->transform().m22(), start * 1.1));
    zoomOut->trigger();
    QVERIFY(qFuzzyCompare(view->transform().m11(), start));
    QVERIFY(qFuzzyCompare(view->transform().m22(), start));

    for (int i = 0; i < 3; ++i)
        zoomIn->trigger();
    QVERIFY(qFuzzyCompare(view->transform().m11(), start * 1.331));

    // Fitting sets the scale from scratch, whatever came before.
    window.resize(1000, 900);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    zoomFit->trigger();
    const qreal fitted = view->transform().m11();
    zoomIn->trigger();
    zoomFit->trigger();
    QVERIFY(qFuzzyCompare(view->transform().m11(), fitted));
    const QRectF visible = view->mapToScene(view->viewport()->rect()).boundingRect();
    QVERIFY(visible.adjusted(-1, -1, 1, 1).contains(view->sceneRect()));
}

void TestMainWindow::shortcuts_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("action");

    const QKeySequence cut(QKeySequence::Cut);
    QTest::newRow("+") << int(Qt::Key_Plus) << int(Qt::NoModifier) << "Zoom In";
    QTest::newRow("-") << int(Qt::Key_Minus) << int(Qt::NoModifier) << "Zoom Out";
    QTest::newRow("*") << int(Qt::Key_Asterisk) << int(Qt::NoModifier) << "Zoom Fit";
    QTest::newRow("Delete") << int(Qt::Key_Delete) << int(Qt::NoModifier) << "Cu&t";
    QTest::newRow("platform Cut") << int(cut[0] & ~Qt::KeyboardModifierMask)
                                  << int(cut[0] & Qt::KeyboardModifierMask) << "Cu&t";
}

void TestMainWindow::shortcuts()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, action);

    MainWindow window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    QAction *target = actionNamed(window, action);
    QVERIFY(target);
    // Only the key binding is under test, not when the command is offered.
    target->setEnabled(true);
    QSignalSpy triggered(target, SIGNAL(triggered(bool)));
    QTest::keyClick(canvas(window)->viewport(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(triggered.count(), 1);
}

void TestMainWindow::wheel_data()
{
    QTest::addColumn<QPoint>("angleDelta");
    QTest::addColumn<double>("factor");

    QTest::newRow("one notch away") << QPoint(0, 120) << std::pow(4.0 / 3.0, -0.5);
    QTest::newRow("one notch towards") << QPoint(0, -120) << std::pow(4.0 / 3.0, 0.5);
    QTest::newRow("two notches away") << QPoint(0, 240) << 0.75;
    QTest::newRow("two notches towards") << QPoint(0, -240) << 4.0 / 3.0;
    // The event's delta is that of its main direction, so a sideways wheel
    // (or Alt with the wheel) zooms as well.
    QTest::newRow("sideways notch") << QPoint(120, 0) << std::pow(4.0 / 3.0, -0.5);
}

void TestMainWindow::wheel()
{
    QFETCH(QPoint, angleDelta);
    QFETCH(double, factor);

    MainWindow window;
    window.resize(1000, 900);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    GraphicsView *view = canvas(window);

    // Zoomed in far enough that the page scrolls before and after the wheel.
    view->scale(8, 8);
    view->centerOn(144, 144);
    QVERIFY(view->verticalScrollBar()->maximum() > 0);
    QVERIFY(view->horizontalScrollBar()->maximum() > 0);
    const QPoint middle = view->viewport()->rect().center();
    const QPointF centreBefore = view->mapToScene(middle);
    const qreal scaleBefore = view->transform().m11();

    QWheelEvent event(middle, view->viewport()->mapToGlobal(middle), QPoint(), angleDelta, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->viewport(), &event);

    const QString scales = QString("scale %1 x %2, expected %3")
                               .arg(view->transform().m11())
                               .arg(view->transform().m22())
                               .arg(scaleBefore * factor);
    QVERIFY2(qFuzzyCompare(view->transform().m11(), scaleBefore * factor), qPrintable(scales));
    QVERIFY2(qFuzzyCompare(view->transform().m22(), scaleBefore * factor), qPrintable(scales));
    // A scroll would move the centre by many pixels; rounding moves it by one.
    const QPointF moved = (view->mapToScene(middle) - centreBefore) * view->transform().m11();
    QVERIFY2(moved.manhattanLength() <= 3,
             qPrintable(QString("centre moved by %1, %2 pixels").arg(moved.x()).arg(moved.y())));
}

void TestMainWindow::windowStateRestored()
{
    QRect closedGeometry;
    {
        MainWindow first;
        first.show();
        QVERIFY(QTest::qWaitForWindowExposed(&first));
        first.setGeometry(30, 40, first.width() + 60, first.height() + 50);

        auto *geometryDock = first.findChild<QDockWidget *>("geometryDock");
        auto *brushDock = first.findChild<QDockWidget *>("brushDock");
        QToolBar *viewToolBar = toolBarNamed(first, "viewToolBar");
        QVERIFY(geometryDock && brushDock && viewToolBar);
        first.addDockWidget(Qt::LeftDockWidgetArea, geometryDock);
        brushDock->setFloating(true);
        first.addToolBar(Qt::BottomToolBarArea, viewToolBar);
        actionNamed(first, "Show Grid")->setChecked(false);
        QCoreApplication::processEvents();
        closedGeometry = first.geometry();

        // Quit goes through close(), so the close handling stores the state.
        actionNamed(first, "Quit")->trigger();
        QVERIFY(!first.isVisible());
    }

    QSettings raw;
    QVERIFY(raw.contains("MainWindow/geometry"));
    QVERIFY(raw.contains("MainWindow/windowState"));

    MainWindow second;
    QCOMPARE(second.geometry().size(), closedGeometry.size());
    QCOMPARE(second.dockWidgetArea(second.findChild<QDockWidget *>("geometryDock")), Qt::LeftDockWidgetArea);
    QVERIFY(second.findChild<QDockWidget *>("brushDock")->isFloating());
    QCOMPARE(second.dockWidgetArea(second.findChild<QDockWidget *>("penDock")), Qt::RightDockWidgetArea);
    QCOMPARE(second.toolBarArea(toolBarNamed(second, "viewToolBar")), Qt::BottomToolBarArea);
    QCOMPARE(second.toolBarArea(toolBarNamed(second, "fileToolBar")), Qt::TopToolBarArea);
    QVERIFY(!actionNamed(second, "Show Grid")->isChecked());
}

void TestMainWindow::translatedTexts_data()
{
    QTest::addColumn<QString>("qmFile");

    const QString folder = QFileInfo(TAGFORGE_BIN).absolutePath() + "/translations";
    if (QDir(folder).entryList({"tagforge_*.qm"}, QDir::Files).isEmpty())
        QSKIP(qPrintable("No tagforge_*.qm in " + folder));
    QDirIterator files(folder, {"tagforge_*.qm"}, QDir::Files);
    while (files.hasNext()) {
        const QString file = files.next();
        QTest::newRow(qPrintable(QFileInfo(file).fileName())) << file;
    }
}

// Every text the window builds runs through the translation in the context
// "MainWindow", so whatever a translation file offers shows up.
void TestMainWindow::translatedTexts()
{
    QFETCH(QString, qmFile);

    QTranslator translator;
    QVERIFY(translator.load(qmFile));
    QCoreApplication::installTranslator(&translator);
    const auto expect = [&translator](const char *source, const char *disambiguation = nullptr) {
        const QString translated = translator.translate("MainWindow", source, disambiguation);
        return translated.isEmpty() ? QString(source) : translated;
    };

    MainWindow window;
    QCoreApplication::removeTranslator(&translator);

    const char *const actionTexts[] = {"New", "Open...", "Save", "Save As...", "Export...", "Print", "Quit",
                                       "Page Size...", "Print Preview...", "Edit Selected Item...", "Add Text...",
                                       "Add Box", "Add QR Code", "&Copy", "Cu&t", "&Paste", "Alignment", "Left",
                                       "Right", "Top", "Bottom", "Clear Transformations", "Zoom In", "Zoom Out",
                                       "Zoom Fit", "Show Grid", "Print Series...", "Undo", "Redo",
                                       "Select All", "Bring to Front", "Send to Back", "Add Barcode",
                                       "Add Image..."};
    const QList<QAction *> all = windowActions(window);
    QCOMPARE(all.size(), int(std::size(actionTexts)));
    int translatedCount = 0;
    for (int i = 0; i < all.size(); ++i) {
        QCOMPARE(all.at(i)->text(), expect(actionTexts[i]));
        if (all.at(i)->text() != actionTexts[i])
            ++translatedCount;
    }
    QCOMPARE(all.at(22)->shortcut(), QKeySequence(expect("+"), QKeySequence::NativeText));
    QCOMPARE(all.at(23)->shortcut(), QKeySequence(expect("-"), QKeySequence::NativeText));
    QCOMPARE(all.at(24)->shortcut(), QKeySequence(expect("*"), QKeySequence::NativeText));

    const QStringList titles{expect("File"), expect("Edit"), expect("View")};
    QCOMPARE(entryTexts(window.menuBar()->actions()), titles);
    QStringList toolBarTitles;
    for (const QToolBar *toolBar : window.findChildren<QToolBar *>())
        toolBarTitles << toolBar->windowTitle();
    QCOMPARE(toolBarTitles, titles);

    QStringList dockTitles;
    for (const QDockWidget *dock : window.findChildren<QDockWidget *>())
        dockTitles << dock->windowTitle();
    QCOMPARE(dockTitles, (QStringList{expect("Geometry"), expect("Brush (Fill)"), expect("Pen (Outline)")}));

    QCOMPARE(window.statusBar()->currentMessage(), expect("Ready", "main"));
    QCOMPARE(window.windowTitle(), expect("MainWindow"));
    QVERIFY2(translatedCount > 0, "the translation file changes none of the action texts");
}

TAGFORGE_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "app/settings.h"
#include "mainwindow/graphicsview.h"
#include "panels/brushwidget.h"
#include "panels/penwidget.h"
#include "panels/transformwidget.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QDockWidget>
#include <QGraphicsItemGroup>
#include <QGraphicsScene>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QStatusBar>
#include <QToolBar>

void populateMenuAndToolBar(QMenu *menu, QToolBar *toolBar, const QList<QAction *> &actions)
{
    for (QAction *action : actions) {
        if (action) {
            menu->addAction(action);
            toolBar->addAction(action);
        } else {
            menu->addSeparator();
            toolBar->addSeparator();
        }
    }
}

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
    , printer(new QPrinter(QPrinter::HighResolution))
{
    ui->setupUi(this);
    setupPrinter(Settings::instance()->pageSizeMM(), Settings::instance()->printDPI());
    createSceneAndView();
    createActions();
    createMenusAndToolBars();
    createDockWidgets();
    createConnections();
    Settings::instance()->restoreWindowState(this);
    statusBar()->showMessage(tr("Ready", "main"));
}

MainWindow::~MainWindow() = default;

void MainWindow::setPlaceholder(Placeholder *table)
{
    placeholder = table;
}

void MainWindow::setupPrinter(const QSizeF &pageSizeMM, int dpi)
{
    printer->setPageSize(QPageSize(pageSizeMM, QPageSize::Millimeter, "POSTEK C168/300s", QPageSize::FuzzyMatch));
    printer->setResolution(dpi);
}

void MainWindow::createSceneAndView()
{
    scene = new QGraphicsScene(this);
    view = new GraphicsView(scene, this);
    const QSize page = printer->pageLayout().pageSize().sizePoints();
    scene->setSceneRect(0, 0, page.width(), page.height());
    setCentralWidget(view);
}

void MainWindow::createActions()
{
    auto makeAction = [this](const char *icon, const QString &text) {
        return new QAction(QIcon(icon), text, this);
    };

    fileNewAction = makeAction(":/filenew.png", tr("New"));
    fileNewAction->setShortcuts(QKeySequence::New);
    fileOpenAction = makeAction(":/fileopen.png", tr("Open..."));
    fileOpenAction->setShortcuts(QKeySequence::Open);
    fileSaveAction = makeAction(":/filesave.png", tr("Save"));
    fileSaveAction->setShortcuts(QKeySequence::Save);
    fileSaveAsAction = makeAction(":/filesave.png", tr("Save As..."));
    fileSaveAsAction->setShortcuts(QKeySequence::SaveAs);
    fileExportAction = makeAction(":/fileexport.png", tr("Export..."));
    filePrintAction = makeAction(":/fileprint.png", tr("Print"));
    fileQuitAction = makeAction(":/filequit.png", tr("Quit"));
    fileQuitAction->setShortcuts(QKeySequence::Quit);
    printSetPageSizeAction = makeAction(":/print-pagesize.png", tr("Page Size..."));
    printPreviewAction = makeAction(":/print-preview.png", tr("Print Preview..."));
    editSelectedItemAction = makeAction(":/editselecteditem.png", tr("Edit Selected Item..."));
    editAddTextAction = makeAction(":/editaddtext.png", tr("Add Text..."));
    editAddTextAction->setData(QGraphicsItem::UserType + 3);
    editAddBoxAction = makeAction(":/editaddbox.png", tr("Add Box"));
    editAddBoxAction->setData(QGraphicsItem::UserType + 1);
    editAddQRCodeAction = makeAction(":/editaddsmiley.png", tr("Add QR Code"));
    editAddQRCodeAction->setData(QGraphicsItem::UserType + 2);
    editCopyAction = makeAction(":/editcopy.png", tr("&Copy"));
    editCopyAction->setShortcuts(QKeySequence::Copy);
    editCutAction = makeAction(":/editcut.png", tr("Cu&t"));
    editCutAction->setShortcuts(QList<QKeySequence>{QKeySequence(QKeySequence::Cut), QKeySequence(Qt::Key_Delete)});
    editPasteAction = makeAction(":/editpaste.png", tr("&Paste"));
    editPasteAction->setShortcuts(QKeySequence::Paste);
    editAlignmentAction = makeAction(":/align-left.png", tr("Alignment"));
    editAlignmentAction->setData(int(Qt::AlignLeft));
    editAlignLeftAction = makeAction(":/align-left.png", tr("Left"));
    editAlignLeftAction->setData(int(Qt::AlignLeft));
    editAlignRightAction = makeAction(":/align-right.png", tr("Right"));
    editAlignRightAction->setData(int(Qt::AlignRight));
    editAlignTopAction = makeAction(":/align-top.png", tr("Top"));
    editAlignTopAction->setData(int(Qt::AlignTop));
    editAlignBottomAction = makeAction(":/align-bottom.png", tr("Bottom"));
    editAlignBottomAction->setData(int(Qt::AlignBottom));
    editClearTransformsAction = makeAction(":/editcleartransforms.png", tr("Clear Transformations"));
    viewZoomInAction = makeAction(":/zoom-in.png", tr("Zoom In"));
    viewZoomInAction->setShortcut(QKeySequence(tr("+"), QKeySequence::NativeText));
    viewZoomOutAction = makeAction(":/zoom-out.png", tr("Zoom Out"));
    viewZoomOutAction->setShortcut(QKeySequence(tr("-"), QKeySequence::NativeText));
    viewZoomToFitAction = makeAction(":/zoom-fit.png", tr("Zoom Fit"));
    viewZoomToFitAction->setShortcut(QKeySequence(tr("*"), QKeySequence::NativeText));
    viewShowGridAction = makeAction(":/showgrid.png", tr("Show Grid"));
    viewShowGridAction->setCheckable(true);
    viewShowGridAction->setChecked(Settings::instance()->showGrid());
}

void MainWindow::createMenusAndToolBars()
{
    setUnifiedTitleAndToolBarOnMac(true);

    // Tool bars and docks need object names for saveState()/restoreState().
    auto makeMenuAndToolBar = [this](const QString &title, const char *toolBarName) {
        QMenu *menu = menuBar()->addMenu(title);
        QToolBar *toolBar = addToolBar(title);
        toolBar->setObjectName(toolBarName);
        return qMakePair(menu, toolBar);
    };

    const auto file = makeMenuAndToolBar(tr("File"), "fileToolBar");
    populateMenuAndToolBar(file.first, file.second,
                           {fileNewAction, fileOpenAction, fileSaveAction, fileExportAction, nullptr,
                            filePrintAction, printPreviewAction, printSetPageSizeAction});
    file.first->insertAction(fileExportAction, fileSaveAsAction);
    file.first->addSeparator();
    file.first->addAction(fileQuitAction);

    auto *alignMenu = new QMenu(tr("Align"), this);
    alignMenu->addActions({editAlignLeftAction, editAlignRightAction, editAlignTopAction, editAlignBottomAction});
    editAlignmentAction->setMenu(alignMenu);

    const auto edit = makeMenuAndToolBar(tr("Edit"), "editToolBar");
    populateMenuAndToolBar(edit.first, edit.second,
                           {editSelectedItemAction, nullptr, editAddTextAction, editAddBoxAction,
                            editAddQRCodeAction, nullptr, editCopyAction, editCutAction, editPasteAction, nullptr,
                            editAlignmentAction, editClearTransformsAction});

    const auto viewMenu = makeMenuAndToolBar(tr("View"), "viewToolBar");
    populateMenuAndToolBar(viewMenu.first, viewMenu.second,
                           {viewZoomInAction, viewZoomOutAction, viewZoomToFitAction, nullptr, viewShowGridAction});
}

void MainWindow::createDockWidgets()
{
    setDockOptions(QMainWindow::AnimatedDocks);

    auto addDock = [this](QWidget *panel, const QString &title, const char *name) {
        auto *dock = new QDockWidget(title, this);
        dock->setObjectName(name);
        dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
        dock->setWidget(panel);
        addDockWidget(Qt::RightDockWidgetArea, dock);
    };

    transformWidget = new TransformWidget(this);
    addDock(transformWidget, tr("Geometry"), "geometryDock");
    brushWidget = new BrushWidget(this);
    addDock(brushWidget, tr("Brush (Fill)"), "brushDock");
    penWidget = new PenWidget(this);
    addDock(penWidget, tr("Pen (Outline)"), "penDock");
}

void MainWindow::createConnections()
{
    connect(fileNewAction, SIGNAL(triggered()), this, SLOT(fileNew()));
    connect(fileOpenAction, SIGNAL(triggered()), this, SLOT(fileOpen()));
    connect(fileSaveAction, SIGNAL(triggered()), this, SLOT(fileSave()));
    connect(fileSaveAsAction, SIGNAL(triggered()), this, SLOT(fileSaveAs()));
    connect(fileExportAction, SIGNAL(triggered()), this, SLOT(fileExport()));
    connect(filePrintAction, SIGNAL(triggered()), this, SLOT(filePrint()));
    connect(fileQuitAction, SIGNAL(triggered()), this, SLOT(close()));
    connect(printPreviewAction, SIGNAL(triggered()), this, SLOT(printPreview()));
    connect(printSetPageSizeAction, SIGNAL(triggered()), this, SLOT(printSetPageSize()));
    connect(editSelectedItemAction, SIGNAL(triggered()), this, SLOT(editSelectedItem()));
    connect(editAddTextAction, SIGNAL(triggered()), this, SLOT(editAddItem()));
    connect(editAddBoxAction, SIGNAL(triggered()), this, SLOT(editAddItem()));
    connect(editAddQRCodeAction, SIGNAL(triggered()), this, SLOT(editAddItem()));
    connect(editCopyAction, SIGNAL(triggered()), this, SLOT(editCopy()));
    connect(editCutAction, SIGNAL(triggered()), this, SLOT(editCut()));
    connect(editPasteAction, SIGNAL(triggered()), this, SLOT(editPaste()));
    connect(QGuiApplication::clipboard(), SIGNAL(dataChanged()), this, SLOT(updateUi()));
    for (QAction *action : {editAlignmentAction, editAlignLeftAction, editAlignRightAction, editAlignTopAction,
                            editAlignBottomAction})
        connect(action, SIGNAL(triggered()), this, SLOT(editAlign()));
    connect(editClearTransformsAction, SIGNAL(triggered()), this, SLOT(editClearTransforms()));
    connect(scene, SIGNAL(selectionChanged()), this, SLOT(selectionChanged()));
    connect(viewShowGridAction, SIGNAL(toggled(bool)), this, SLOT(viewShowGrid(bool)));
    connect(viewZoomInAction, SIGNAL(triggered()), view, SLOT(zoomIn()));
    connect(viewZoomOutAction, SIGNAL(triggered()), view, SLOT(zoomOut()));
    connect(viewZoomToFitAction, SIGNAL(triggered()), view, SLOT(zoomFitView()));
}

void MainWindow::openInitialDocument() {}
MainWindow::PrintModeResult MainWindow::printDirectly() { return PrintFailed; }
void MainWindow::closeEvent(QCloseEvent *event) { QMainWindow::closeEvent(event); }
void MainWindow::setDirty(bool) {}
void MainWindow::fileNew() {}
void MainWindow::fileOpen() {}
bool MainWindow::fileSave() { return false; }
bool MainWindow::fileSaveAs() { return false; }
void MainWindow::fileExport() {}
void MainWindow::filePrint() {}
void MainWindow::editSelectedItem() {}
void MainWindow::editAddItem() {}
void MainWindow::editCopy() {}
void MainWindow::editCut() {}
void MainWindow::editPaste() {}
void MainWindow::editAlign() {}
void MainWindow::editClearTransforms() {}
void MainWindow::updateUi() {}
void MainWindow::viewShowGrid(bool) {}
void MainWindow::selectionChanged() {}
void MainWindow::loadFile() {}
void MainWindow::printSetPageSize() {}
void MainWindow::printPreview() {}

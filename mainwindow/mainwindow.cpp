#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "app/settings.h"
#include "app/translations.h"
#include "dialogs/printersetting.h"
#include "dialogs/printseriesdialog.h"
#include "dialogs/textitemdialog.h"
#include "document/itementries.h"
#include "document/itemrecords.h"
#include "document/labelfile.h"
#include "items/barcodeitem.h"
#include "items/boxitem.h"
#include "items/imageitem.h"
#include "items/placeholder.h"
#include "items/qrcodeitem.h"
#include "items/textitem.h"
#include "mainwindow/graphicsview.h"
#include "mainwindow/languagemenu.h"
#include "output/labelexporter.h"
#include "output/labelprinter.h"
#include "output/labelrenderer.h"
#include "output/labelvalues.h"
#include "panels/brushwidget.h"
#include "panels/penwidget.h"
#include "panels/transformwidget.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QGraphicsItemGroup>
#include <QGraphicsLineItem>
#include <QGraphicsScene>
#include <QGuiApplication>
#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPainter>
#include <QParallelAnimationGroup>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPropertyAnimation>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoStack>
#include <QtMath>

#include <algorithm>
#include <limits>

namespace {
// The sizes new items start with, kept whole on the page when added.
const QSize DefaultBoxSize(90, 30);
const QSize DefaultQRCodeSize(50, 50);
const QSize DefaultBarcodeSize(150, 60);
// Clipboard formats that carry an image file's own bytes.
const char *const ImageFileFormats[] = {"image/svg+xml", "image/png", "image/jpeg"};

bool hasImage(const QMimeData *mime)
{
    return mime->hasImage() || std::any_of(std::begin(ImageFileFormats), std::end(ImageFileFormats),
                                           [mime](const char *format) { return mime->hasFormat(format); });
}
} // namespace

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
    undoStack = new QUndoStack(this);
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

const Placeholder &MainWindow::values() const
{
    return placeholder ? *placeholder : defaultValues;
}

bool MainWindow::setupPrinter(const QSizeF &pageSizeMM, int dpi)
{
    return LabelPrinter::setup(printer.data(), pageSizeMM, dpi);
}

void MainWindow::createSceneAndView()
{
    scene = new QGraphicsScene(this);
    view = new GraphicsView(scene, this);
    const QSize page = LabelPrinter::pageSizePoints(printer.data());
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
    filePrintSeriesAction = makeAction(":/fileprint.png", tr("Print Series..."));
    editUndoAction = undoStack->createUndoAction(this, tr("Undo"));
    editUndoAction->setIcon(QIcon::fromTheme("edit-undo"));
    editUndoAction->setShortcuts(QKeySequence::Undo);
    editRedoAction = undoStack->createRedoAction(this, tr("Redo"));
    editRedoAction->setIcon(QIcon::fromTheme("edit-redo"));
    editRedoAction->setShortcuts(QKeySequence::Redo);
    editSelectAllAction = makeAction("", tr("Select All"));
    editSelectAllAction->setShortcuts(QKeySequence::SelectAll);
    editBringToFrontAction = makeAction("", tr("Bring to Front"));
    editBringToFrontAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_BracketRight));
    editSendToBackAction = makeAction("", tr("Send to Back"));
    editSendToBackAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_BracketLeft));
    editAddBarcodeAction = makeAction(":/editaddbarcode.png", tr("Add Barcode"));
    editAddBarcodeAction->setData(QGraphicsItem::UserType + 4);
    editAddImageAction = makeAction(":/editaddimage.png", tr("Add Image..."));
    editAddImageAction->setData(QGraphicsItem::UserType + 5);
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
    recentMenu = new QMenu(tr("Open Recent"), this);
    file.first->insertMenu(fileSaveAction, recentMenu);
    updateRecentFiles(QString(), false);
    file.first->insertAction(printPreviewAction, filePrintSeriesAction);
    file.first->addSeparator();
    file.first->addAction(fileQuitAction);

    auto *alignMenu = new QMenu(tr("Align"), this);
    alignMenu->addActions({editAlignLeftAction, editAlignRightAction, editAlignTopAction, editAlignBottomAction});
    editAlignmentAction->setMenu(alignMenu);

    const auto edit = makeMenuAndToolBar(tr("Edit"), "editToolBar");
    populateMenuAndToolBar(edit.first, edit.second,
                           {editUndoAction, editRedoAction, nullptr, editSelectedItemAction, nullptr, editAddTextAction, editAddBoxAction,
                            editAddQRCodeAction, editAddBarcodeAction, editAddImageAction, nullptr, editCopyAction, editCutAction, editPasteAction, nullptr,
                            editAlignmentAction, editClearTransformsAction});
    edit.first->insertAction(editSelectedItemAction, editSelectAllAction);
    edit.first->insertActions(editClearTransformsAction, {editBringToFrontAction, editSendToBackAction});

    const auto viewMenu = makeMenuAndToolBar(tr("View"), "viewToolBar");
    populateMenuAndToolBar(viewMenu.first, viewMenu.second,
                           {viewZoomInAction, viewZoomOutAction, viewZoomToFitAction, nullptr, viewShowGridAction});
    viewMenu.first->addSeparator();
    viewMenu.first->addMenu(new LanguageMenu(this));
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
    connect(filePrintSeriesAction, SIGNAL(triggered()), this, SLOT(filePrintSeries()));
    connect(fileQuitAction, SIGNAL(triggered()), this, SLOT(close()));
    connect(printPreviewAction, SIGNAL(triggered()), this, SLOT(printPreview()));
    connect(printSetPageSizeAction, SIGNAL(triggered()), this, SLOT(printSetPageSize()));
    connect(editSelectedItemAction, SIGNAL(triggered()), this, SLOT(editSelectedItem()));
    connect(editAddTextAction, SIGNAL(triggered()), this, SLOT(editAddItem()));
    connect(editAddBoxAction, SIGNAL(triggered()), this, SLOT(editAddItem()));
    connect(editAddQRCodeAction, SIGNAL(triggered()), this, SLOT(editAddItem()));
    connect(editAddBarcodeAction, SIGNAL(triggered()), this, SLOT(editAddItem()));
    connect(editAddImageAction, SIGNAL(triggered()), this, SLOT(editAddItem()));
    connect(editCopyAction, SIGNAL(triggered()), this, SLOT(editCopy()));
    connect(editCutAction, SIGNAL(triggered()), this, SLOT(editCut()));
    connect(editPasteAction, SIGNAL(triggered()), this, SLOT(editPaste()));
    connect(editSelectAllAction, SIGNAL(triggered()), this, SLOT(editSelectAll()));
    connect(editBringToFrontAction, SIGNAL(triggered()), this, SLOT(editStackingOrder()));
    connect(editSendToBackAction, SIGNAL(triggered()), this, SLOT(editStackingOrder()));
    connect(undoStack, SIGNAL(indexChanged(int)), this, SLOT(historyMoved()));
    connect(undoStack, SIGNAL(cleanChanged(bool)), this, SLOT(historyMoved()));
    // Connected before any item's slot, so the name is set before the change.
    connect(transformWidget, SIGNAL(angleChanged(double)), this, SLOT(notePanelEdit()));
    connect(transformWidget, SIGNAL(shearHorizontalChanged(int)), this, SLOT(notePanelEdit()));
    connect(transformWidget, SIGNAL(shearVerticalChanged(int)), this, SLOT(notePanelEdit()));
    connect(transformWidget, SIGNAL(positionChanged(QPointF)), this, SLOT(notePanelEdit()));
    connect(transformWidget, SIGNAL(positionChanged(QPointF)), this, SLOT(moveSelection(QPointF)));
    connect(brushWidget, SIGNAL(brushChanged(QBrush)), this, SLOT(notePanelEdit()));
    connect(penWidget, SIGNAL(penChanged(QPen)), this, SLOT(notePanelEdit()));
    // Mouse and keys reach items through the view; a drag ends on release.
    view->installEventFilter(this);
    view->viewport()->installEventFilter(this);
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


void MainWindow::warn(const QString &text)
{
    QMessageBox::warning(this, tr("Error"), text, QMessageBox::Ok);
}

bool MainWindow::isUnnamed(const QString &path) const
{
    return path.isEmpty() || path == tr("Unnamed") || Translations::isUnnamed(path);
}

void MainWindow::openInitialDocument()
{
    const QString path = Settings::instance()->mostRecentFile();
    if (isUnnamed(path)) {
        QMetaObject::invokeMethod(this, "fileNew", Qt::QueuedConnection);
        return;
    }
    setWindowFilePath(path);
    updateWindowTitle();
    QMetaObject::invokeMethod(this, "loadFile", Qt::QueuedConnection);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!okToClearData(QString())) {
        event->ignore();
        return;
    }
    Settings *settings = Settings::instance();
    settings->setShowGrid(viewShowGridAction->isChecked());
    settings->setMostRecentFile(windowFilePath());
    settings->saveWindowState(this);
    QMainWindow::closeEvent(event);
}

void MainWindow::setDirty(bool on)
{
    if (on) {
        scheduleRecord();
    } else {
        // The label as it is now becomes the unmodified one.
        recordChange(pendingText);
        undoStack->setClean();
    }
    // An item's change alters neither the items, the selection nor the
    // clipboard, so once the label is modified a further change leaves all
    // that updateUi() decides as it is. A panel edit of thousands of
    // selected items would otherwise list every item once per item.
    if (on && isWindowModified())
        return;
    setWindowModified(on);
    updateUi();
}

void MainWindow::fileNew()
{
    if (!okToClearData(QString()))
        return;
    clearDocument();
    setWindowFilePath(tr("Unnamed"));
    updateWindowTitle();
    resetHistory();
    setWindowModified(false);
    updateUi();
}

void MainWindow::fileOpen()
{
    if (!okToClearData(QString()))
        return;
    const QString path = QFileDialog::getOpenFileName(
        this, tr("%1 - Open").arg(QCoreApplication::applicationName()),
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), tr("Quillet (*.qlt)"));
    if (path.isEmpty())
        return;
    // A refused file must not become the target of the next Save.
    const QString previousPath = windowFilePath();
    setWindowFilePath(path);
    updateWindowTitle();
    if (loadLabelFile() == LoadRefused) {
        setWindowFilePath(previousPath);
        updateWindowTitle();
    }
}

bool MainWindow::fileSaveAs()
{
    QFileDialog dialog(this, tr("%1 - Save As").arg(QCoreApplication::applicationName()),
                       QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), tr("Quillet (*.qlt)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The dialog adds the suffix itself, so it asks before replacing the
    // file the name will really have.
    dialog.setDefaultSuffix("qlt");
    if (dialog.exec() != QDialog::Accepted)
        return false;
    QString path = dialog.selectedFiles().value(0);
    if (path.isEmpty())
        return false;
    if (!path.endsWith(".qlt", Qt::CaseInsensitive))
        path += ".qlt";
    setWindowFilePath(path);
    updateWindowTitle();
    return fileSave();
}

void MainWindow::loadFile()
{
    // Started with a file that cannot be read: begin a new label rather
    // than leave that file as the target of the next Save.
    if (loadLabelFile() == LoadRefused) {
        clearDocument();
        setWindowFilePath(tr("Unnamed"));
        updateWindowTitle();
        resetHistory();
        updateUi();
    }
}

bool MainWindow::okToClearData(const QString &informativeText)
{
    if (!isWindowModified())
        return true;
    QScopedPointer<QMessageBox> box(new QMessageBox(this));
    box->setWindowModality(Qt::WindowModal);
    box->setIcon(QMessageBox::Question);
    box->setWindowTitle(QString("%1 - %2").arg(QCoreApplication::applicationName(), tr("Unsaved changes")));
    box->setText(tr("Save unsaved changes?"));
    if (!informativeText.isEmpty())
        box->setInformativeText(informativeText);
    box->setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    box->setDefaultButton(QMessageBox::Save);
    box->exec();
    const QMessageBox::StandardButton answer = box->standardButton(box->clickedButton());
    if (answer == QMessageBox::Save)
        return fileSave();
    return answer == QMessageBox::Discard;
}

void MainWindow::updateWindowTitle()
{
    const QString fileName = QFileInfo(windowFilePath()).fileName();
    const QString version = QCoreApplication::applicationVersion();
    if (fileName.isEmpty())
        setWindowTitle(QString("%1 - V%2").arg(tr("Quillet"), version));
    else
        setWindowTitle(QString("%1 - V%2 (%3)").arg(tr("Quillet"), version, fileName));
}

void MainWindow::clearDocument()
{
    grid.reset();
    // The callers bring the actions up to date once the scene is empty.
    // Items are deselected while whole: a selected item deleted changes the
    // selection from its destructor, and the panels would then send values
    // to every connected item, the half-destroyed one too.
    uiDeferred = true;
    scene->clearSelection();
    scene->clear();
    uiDeferred = false;
    viewShowGrid(viewShowGridAction->isChecked());
    view->zoomFitView();
    view->zoomOut();
}

void MainWindow::viewShowGrid(bool on)
{
    if (!grid) {
        const int spacing = 36;
        const QPen pen(QColor(175, 175, 175, 255));
        grid.reset(new QGraphicsItemGroup);
        // Below every item whatever its z value, and whenever the grid is
        // rebuilt: among equal z values the item added last is on top.
        grid->setZValue(std::numeric_limits<qreal>::lowest());
        const int width = qCeil(scene->width());
        const int height = qCeil(scene->height());
        const int xMax = spacing * (width / spacing);
        const int yMax = spacing * (height / spacing);
        for (int x = 0; xMax >= 0 && x <= xMax; x += spacing) {
            auto *line = new QGraphicsLineItem(x, 0, x, yMax);
            line->setPen(pen);
            line->setZValue(std::numeric_limits<int>::min());
            grid->addToGroup(line);
        }
        for (int y = 0; yMax >= 0 && y <= yMax; y += spacing) {
            auto *line = new QGraphicsLineItem(0, y, xMax, y);
            line->setPen(pen);
            line->setZValue(-1000);
            grid->addToGroup(line);
        }
        scene->addItem(grid.data());
    }
    grid->setVisible(on);
}

QPoint MainWindow::insertionPoint(const QSize &itemSize)
{
    const QPoint cursor = mapFromGlobal(QCursor::pos());
    QPoint candidate;
    if (view->geometry().contains(cursor))
        candidate = cursor;
    else if (!previousPoint.isNull())
        candidate = previousPoint;
    else
        candidate = view->pos() + QPoint(10, 10);

    if (!previousPoint.isNull() && candidate == previousPoint) {
        candidate += QPoint(addOffset, addOffset);
        addOffset += 5;
    } else {
        addOffset = 5;
        previousPoint = candidate;
    }
    // The series starts at the point clamped onto the page, so that it
    // still steps diagonally where the view reaches beyond the page; an
    // item of itemSize stays whole on the page wherever the page allows.
    const QRect page = scene->sceneRect().toRect();
    const auto onPage = [&page, &itemSize](const QPoint &point) {
        return QPoint(qBound(page.left(), point.x(), qMax(page.left(), page.right() + 1 - itemSize.width())),
                      qBound(page.top(), point.y(), qMax(page.top(), page.bottom() + 1 - itemSize.height())));
    };
    const QPoint start = view->mapToScene(previousPoint - view->pos()).toPoint();
    const QPoint step = view->mapToScene(candidate - view->pos()).toPoint() - start;
    return onPage(onPage(start) + step);
}

void MainWindow::editAddItem()
{
    auto *action = qobject_cast<QAction *>(sender());
    if (!action)
        return;
    QObject *item = nullptr;
    switch (action->data().toInt()) {
    case BoxItem::Type: {
        const QRect rect(insertionPoint(DefaultBoxSize), DefaultBoxSize);
        auto *box = new BoxItem(rect, scene);
        // A box sits on QRect's centre, half a unit short of the middle of
        // an even side: it would stick out a unit past the page's edge.
        box->setPos(QRectF(rect).center());
        item = box;
        break;
    }
    case QRCodeItem::Type:
        item = new QRCodeItem(insertionPoint(DefaultQRCodeSize), scene);
        break;
    case TextItem::Type: {
        TextItemDialog dialog(nullptr, insertionPoint(), scene, this);
        if (dialog.exec() == QDialog::Accepted)
            item = dialog.textItem();
        break;
    }
    case BarcodeItem::Type:
        item = new BarcodeItem(insertionPoint(DefaultBarcodeSize), scene);
        break;
    case ImageItem::Type:
        item = addImageFile();
        break;
    default:
        return;
    }
    if (!item)
        return;
    connectItem(item);
    setWindowModified(true);
    recordChange(action->text().remove(QLatin1String("...")));
    updateUi();
}

QObject *MainWindow::addImageFile()
{
    const QString path = QFileDialog::getOpenFileName(
        this, tr("%1 - Add Image").arg(QCoreApplication::applicationName()),
        QStandardPaths::writableLocation(QStandardPaths::PicturesLocation),
        Settings::instance()->imageFileFilter(tr("Images"), QImageReader::supportedImageFormats()));
    if (path.isEmpty())
        return nullptr;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        warn(tr("Failed to open file: %1").arg(file.errorString()));
        return nullptr;
    }
    // One byte more than allowed is enough to refuse the file.
    return addImage(file.read(MaximumImageBytes + 1), path);
}

QObject *MainWindow::addImage(const QByteArray &bytes, const QString &name)
{
    const QString error = ImageItem::check(bytes);
    if (!error.isEmpty()) {
        warn(QString("%1: %2").arg(name, error));
        return nullptr;
    }
    auto *item = new ImageItem(QPoint(), bytes, scene);
    item->setPos(insertionPoint(QSize(item->shearHorizontal(), item->shearVertical())));
    return item;
}

void MainWindow::editSelectedItem()
{
    const QList<QGraphicsItem *> selected = scene->selectedItems();
    if (selected.size() != 1)
        return;
    // Only items that can be edited offer an edit() slot; boxes have none.
    auto *object = dynamic_cast<QObject *>(selected.first());
    if (object && object->metaObject()->indexOfMethod("edit()") >= 0) {
        pendingText = tr("Edit");
        QMetaObject::invokeMethod(object, "edit", Qt::DirectConnection);
    }
}

void MainWindow::editCopy()
{
    const QList<QGraphicsItem *> selected = scene->selectedItems();
    if (selected.isEmpty())
        return;
    pasteOffset = 5;
    copyItemsToClipboard(selected);
    updateUi();
}

void MainWindow::editCut()
{
    const QList<QGraphicsItem *> selected = scene->selectedItems();
    if (selected.isEmpty())
        return;
    copyItemsToClipboard(selected);
    for (QGraphicsItem *item : selected) {
        scene->removeItem(item);
        delete item;
    }
    setWindowModified(true);
    recordChange(tr("Cut"));
    updateUi();
}

void MainWindow::updateUi()
{
    if (uiDeferred)
        return;
    fileSaveAction->setEnabled(isWindowModified());

    const QList<QGraphicsItem *> items = scene->items();
    const bool hasContent = std::any_of(items.cbegin(), items.cend(), ItemEntries::isLabelItem);
    for (QAction *action : {fileSaveAsAction, fileExportAction, filePrintAction, filePrintSeriesAction,
                            printPreviewAction})
        action->setEnabled(hasContent);

    editSelectAllAction->setEnabled(hasContent);

    const int selected = scene->selectedItems().size();
    editSelectedItemAction->setEnabled(selected == 1);
    editCopyAction->setEnabled(selected >= 1);
    editCutAction->setEnabled(selected >= 1);

    const QMimeData *mime = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    editPasteAction->setEnabled(mime && (mime->hasFormat(ClipboardMimeType) || mime->hasFormat(ClipboardMimeTypeVersion3)
                                         || hasImage(mime) || mime->hasHtml() || mime->hasText()));

    editAlignmentAction->setEnabled(selected >= 2);
    editClearTransformsAction->setEnabled(selected >= 1);
    editBringToFrontAction->setEnabled(selected >= 1);
    editSendToBackAction->setEnabled(selected >= 1);

    bool hasAngle = false;
    bool hasBrush = false;
    bool hasPen = false;
    selectedItemProperties(&hasAngle, &hasBrush, &hasPen);
    transformWidget->setEnabled(hasAngle);
    brushWidget->setEnabled(hasBrush);
    penWidget->setEnabled(hasPen);
}

void MainWindow::connectItem(QObject *item)
{
    connect(item, SIGNAL(dirty()), this, SLOT(setDirty()));
    connect(item, SIGNAL(dirty()), this, SLOT(itemChanged()));
    const QMetaObject *meta = item->metaObject();
    if (meta->indexOfProperty("brush") > -1)
        connect(brushWidget, SIGNAL(brushChanged(QBrush)), item, SLOT(setBrush(QBrush)));
    if (meta->indexOfProperty("pen") > -1)
        connect(penWidget, SIGNAL(penChanged(QPen)), item, SLOT(setPen(QPen)));
    if (meta->indexOfProperty("angle") > -1) {
        connect(transformWidget, SIGNAL(angleChanged(double)), item, SLOT(setAngle(double)));
        connect(transformWidget, SIGNAL(shearHorizontalChanged(int)), item, SLOT(setShearHorizontal(int)));
        connect(transformWidget, SIGNAL(shearVerticalChanged(int)), item, SLOT(setShearVertical(int)));
    }
}

void MainWindow::selectionChanged()
{
    // Undo gives back the selection of the label as last recorded.
    if (!uiDeferred && !restoring && !recordQueued && !pointerDown)
        recorded.selected = snapshot().selected;
    const QList<QGraphicsItem *> selected = scene->selectedItems();
    panelItem = selected.size() == 1 ? dynamic_cast<QObject *>(selected.first()) : nullptr;
    showInPanels(panelItem);
    if (QGraphicsItem *first = firstSelectedWithPosition())
        transformWidget->setPosition(first->pos());
    updateUi();
}

void MainWindow::itemChanged()
{
    // A drag, a key or a command may have changed the item the panels
    // show; their next edit must start from its values, not stale ones.
    if (panelItem && sender() == panelItem)
        showInPanels(panelItem);
}

void MainWindow::showInPanels(const QObject *object)
{
    if (!object)
        return;
    const QVariant brush = object->property("brush");
    if (brush.isValid())
        brushWidget->setBrush(brush.value<QBrush>());
    const QVariant pen = object->property("pen");
    if (pen.isValid())
        penWidget->setPen(pen.value<QPen>());
    const QVariant angle = object->property("angle");
    if (angle.isValid()) {
        transformWidget->setAngle(angle.toDouble());
        transformWidget->setShear(object->property("shearHorizontal").toInt(),
                                  object->property("shearVertical").toInt());
    }
}

void MainWindow::selectedItemProperties(bool *hasAngle, bool *hasBrush, bool *hasPen)
{
    *hasAngle = *hasBrush = *hasPen = false;
    const QList<QGraphicsItem *> selected = scene->selectedItems();
    for (QGraphicsItem *item : selected) {
        auto *object = dynamic_cast<QObject *>(item);
        if (!object)
            continue;
        const QMetaObject *meta = object->metaObject();
        *hasBrush = *hasBrush || meta->indexOfProperty("brush") > -1;
        *hasPen = *hasPen || meta->indexOfProperty("pen") > -1;
        *hasAngle = *hasAngle || meta->indexOfProperty("angle") > -1;
        if (*hasBrush && *hasPen)
            break;
    }
}

void MainWindow::editAlign()
{
    auto *action = qobject_cast<QAction *>(sender());
    if (!action)
        return;
    const int alignment = action->data().toInt();
    if (action != editAlignmentAction) {
        editAlignmentAction->setData(action->data());
        editAlignmentAction->setIcon(action->icon());
    }

    const QList<QGraphicsItem *> items = scene->selectedItems();
    QList<double> edges;
    for (const QGraphicsItem *item : items) {
        const QRectF r = item->sceneBoundingRect();
        switch (alignment) {
        case Qt::AlignLeft: edges << r.x(); break;
        case Qt::AlignRight: edges << r.x() + r.width(); break;
        case Qt::AlignTop: edges << r.y(); break;
        case Qt::AlignBottom: edges << r.y() + r.height(); break;
        default: return;
        }
    }
    if (edges.isEmpty())
        return;

    const bool towardsOrigin = alignment == Qt::AlignLeft || alignment == Qt::AlignTop;
    const double reference = towardsOrigin ? *std::min_element(edges.cbegin(), edges.cend())
                                           : *std::max_element(edges.cbegin(), edges.cend());
    const bool horizontal = alignment == Qt::AlignLeft || alignment == Qt::AlignRight;
    QList<QPointF> targets;
    for (int i = 0; i < items.size(); ++i) {
        const QPointF p = items.at(i)->pos();
        const double shift = reference - edges.at(i);
        targets << (horizontal ? QPointF(p.x() + shift, p.y()) : QPointF(p.x(), p.y() + shift));
    }
    animateToPositions(items, targets);
    setWindowModified(true);
    updateUi();
}

void MainWindow::animateToPositions(const QList<QGraphicsItem *> &items, const QList<QPointF> &targets)
{
    int duration = QGuiApplication::keyboardModifiers() & Qt::ShiftModifier ? 5000 : 1000;
    if (alignmentDuration > 0)
        duration = alignmentDuration;
    auto *group = new QParallelAnimationGroup;
    // Recorded as one step once the group is gone, finished or stopped.
    ++alignmentsRunning;
    connect(group, SIGNAL(destroyed()), this, SLOT(alignmentFinished()));
    for (int i = 0; i < items.size(); ++i) {
        auto *object = dynamic_cast<QObject *>(items.at(i));
        if (!object)
            continue;
        // The animation watches its target: an item deleted while it runs
        // (cut, New, Open) simply stops its own animation.
        auto *animation = new QPropertyAnimation(object, "pos", this);
        animation->setDuration(duration);
        animation->setEasingCurve(QEasingCurve::InOutBack);
        animation->setStartValue(items.at(i)->pos());
        animation->setEndValue(targets.at(i));
        group->addAnimation(animation);
    }
    group->start(QAbstractAnimation::DeleteWhenStopped);
}

void MainWindow::editClearTransforms()
{
    const QList<QGraphicsItem *> selected = scene->selectedItems();
    for (QGraphicsItem *item : selected) {
        auto *object = dynamic_cast<QObject *>(item);
        if (object && object->property("angle").isValid())
            object->setProperty("angle", 0.0);
    }
    transformWidget->setAngle(0.0);
    setWindowModified(true);
    recordChange(tr("Clear Transformations"));
    updateUi();
}

void MainWindow::paintScene(QPainter *painter)
{
    LabelPrinter::paintPage(painter, LabelRenderer(scene), &values());
}

void MainWindow::filePrint()
{
    const QString error = LabelPrinter::print(printer.data(), scene, LabelValues(values()));
    if (!error.isEmpty()) {
        warn(error);
        return;
    }
    const QString margins = LabelPrinter::marginWarning(printer.data(), scene);
    statusBar()->showMessage(QString("%1 %2").arg(tr("Printed %1").arg(windowFilePath()), margins).trimmed(), 10000);
}

void MainWindow::filePrintSeries()
{
    PrintSeriesDialog dialog(values().value("serial"), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const LabelValues series = dialog.values(values());
    QProgressDialog progress(tr("Printing labels..."), tr("Stop"), 0, series.count(), this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    int printed = 0;
    const QString error = LabelPrinter::print(printer.data(), scene, series, [&](int done, int total) {
        printed = done;
        progress.setValue(done);
        return done == total || !progress.wasCanceled();
    });
    progress.reset();
    if (!error.isEmpty()) {
        warn(error);
        return;
    }
    if (printed < series.count()) {
        statusBar()->showMessage(tr("Stopped after %1 of %2 labels: the labels done were sent to the printer.")
                                     .arg(printed)
                                     .arg(series.count()),
                                 10000);
        return;
    }
    statusBar()->showMessage(tr("Printed %1 labels of %2").arg(printed).arg(windowFilePath()), 10000);
}

void MainWindow::printPreview()
{
    const QString margins = LabelPrinter::marginWarning(printer.data(), scene);
    if (!margins.isEmpty())
        statusBar()->showMessage(margins, 10000);
    QPrintPreviewDialog dialog(printer.data(), this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *target) {
        QPainter painter(target);
        paintScene(&painter);
    });
    // The Page Size dialog is the one place for the label's page: the
    // preview's page setup and orientation would quietly give the printer
    // another paper than the canvas shows.
    const QList<QAction *> actions = dialog.findChildren<QAction *>();
    for (QAction *action : actions) {
        for (const char *text : {"Page setup", "Portrait", "Landscape"}) {
            if (action->text() == QCoreApplication::translate("QPrintPreviewDialog", text))
                action->setVisible(false);
        }
    }
    // Nor does the print dialog that the preview offers change it for good.
    const QPageLayout layout = printer->pageLayout();
    dialog.exec();
    printer->setPageLayout(layout);
}

void MainWindow::printSetPageSize()
{
    PrinterSetting dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    setupPrinter(Settings::instance()->pageSizeMM(), Settings::instance()->printDPI());
    const QSize page = LabelPrinter::pageSizePoints(printer.data());
    scene->setSceneRect(0, 0, page.width(), page.height());
    grid.reset();
    viewShowGrid(viewShowGridAction->isChecked());
}

void MainWindow::fileExport()
{
    const QString filter = tr("PNG image (*.png)")
        + Settings::instance()->imageFileFilter(tr(";;Bitmap image"), QImageWriter::supportedImageFormats())
        + tr(";;Vector image (*.svg)");
    const QString fileName = QFileDialog::getSaveFileName(
        this, tr("%1 - Export").arg(QCoreApplication::applicationName()),
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), filter);
    if (fileName.isEmpty())
        return;
    // The suffix alone decides between an SVG drawing and a bitmap format.
    const QString error = LabelExporter::exportFile(fileName, scene, &values(),
                                                      printer->pageLayout().fullRectPoints().size(),
                                                      Settings::instance()->printDPI());
    if (error.isEmpty())
        statusBar()->showMessage(tr("Exported %1").arg(fileName), 10000);
    else
        warn(error);
}

bool MainWindow::fileSave()
{
    const QString path = windowFilePath();
    if (isUnnamed(path))
        return fileSaveAs();
    const QString error = LabelFile::write(path, ItemEntries::labelItems(scene));
    if (!error.isEmpty()) {
        warn(error);
        return false;
    }
    recordChange(pendingText);
    undoStack->setClean();
    updateRecentFiles(path, true);
    setWindowModified(false);
    updateUi();
    return true;
}

MainWindow::LoadResult MainWindow::loadLabelFile()
{
    const QString path = windowFilePath();
    const LabelFile::Contents contents = LabelFile::read(path);
    if (!contents.error.isEmpty()) {
        warn(contents.error);
        updateRecentFiles(path, false);
        return LoadRefused;
    }
    updateRecentFiles(path, true);
    clearDocument();
    const bool complete = readItems(contents.entries, LabelStreamVersion, 0, false);
    resetHistory();
    setWindowModified(false);
    updateUi();
    if (!complete) {
        warn(LabelFile::damagedMessage(path));
        return LoadDamaged;
    }
    statusBar()->showMessage(tr("Loaded %1").arg(path), 10000);
    return Loaded;
}

bool MainWindow::readItems(const QByteArray &entries, QDataStream::Version version, int offset, bool select)
{
    // Every item read changes the selection; the one selectionChanged()
    // below brings the window up to date for them all.
    uiDeferred = true;
    const ItemEntries::Items read = ItemEntries::read(entries, version, scene);
    for (QGraphicsItem *item : read.items) {
        item->moveBy(offset, offset);
        // Wired only once its record has been read and it has been placed.
        connectItem(dynamic_cast<QObject *>(item));
    }
    if (select) {
        scene->clearSelection();
        for (QGraphicsItem *item : read.items)
            item->setSelected(true);
    }
    uiDeferred = false;
    selectionChanged();
    return read.complete;
}

void MainWindow::copyItemsToClipboard(const QList<QGraphicsItem *> &items)
{
    auto *mime = new QMimeData;
    // Records on the clipboard use the stream's default version.
    const bool newer = ItemEntries::formatVersion(items) > LabelFileVersion;
    mime->setData(newer ? ClipboardMimeTypeVersion3 : ClipboardMimeType,
                  ItemEntries::write(items, QDataStream::Qt_DefaultCompiledVersion));
    QGuiApplication::clipboard()->setMimeData(mime, QClipboard::Clipboard);
}

void MainWindow::editPaste()
{
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    if (!mime)
        return;
    const char *format = mime->hasFormat(ClipboardMimeTypeVersion3) ? ClipboardMimeTypeVersion3 : ClipboardMimeType;
    if (mime->hasFormat(format)) {
        const QByteArray record = mime->data(format);
        // Copied items are kilobytes, as labels are; more is not ours.
        if (record.size() > LabelFile::MaximumSize)
            return;
        readItems(record, QDataStream::Qt_DefaultCompiledVersion, pasteOffset, true);
        pasteOffset += 5;
    } else if (hasImage(mime)) {
        QObject *item = addImage(clipboardImageBytes(mime), tr("Pasted image"));
        if (!item)
            return;
        connectItem(item);
    } else if (mime->hasHtml() || mime->hasText()) {
        auto *item = new TextItem(insertionPoint(), scene);
        connectItem(item);
        if (mime->hasHtml())
            item->setHtml(mime->html());
        else
            item->setPlainText(mime->text());
    } else {
        return;
    }
    setWindowModified(true);
    recordChange(tr("Paste"));
    updateUi();
}

QByteArray MainWindow::clipboardImageBytes(const QMimeData *mime)
{
    // The original file's bytes where the clipboard offers them, else the
    // pixels as PNG.
    for (const char *format : ImageFileFormats) {
        if (mime->hasFormat(format))
            return mime->data(format);
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    qvariant_cast<QImage>(mime->imageData()).save(&buffer, "PNG");
    return png;
}

void MainWindow::editSelectAll()
{
    uiDeferred = true;
    const QList<QGraphicsItem *> items = ItemEntries::labelItems(scene);
    for (QGraphicsItem *item : items)
        item->setSelected(true);
    uiDeferred = false;
    selectionChanged();
}

SnapshotCommand::Snapshot MainWindow::snapshot() const
{
    SnapshotCommand::Snapshot state;
    const QList<QGraphicsItem *> items = ItemEntries::labelItems(scene);
    state.entries = ItemEntries::write(items, QDataStream::Qt_DefaultCompiledVersion);
    for (int i = 0; i < items.size(); ++i) {
        if (items.at(i)->isSelected())
            state.selected << i;
    }
    return state;
}

void MainWindow::restoreSnapshot(const SnapshotCommand::Snapshot &state)
{
    restoring = true;
    uiDeferred = true;
    // Deselected while whole: a selected item deleted changes the selection
    // from its destructor, and the panels would then send values to every
    // connected item, the half-destroyed one too.
    scene->clearSelection();
    qDeleteAll(ItemEntries::labelItems(scene));
    readItems(state.entries, QDataStream::Qt_DefaultCompiledVersion, 0, false);
    uiDeferred = true;
    scene->clearSelection();
    const QList<QGraphicsItem *> items = ItemEntries::labelItems(scene);
    for (int index : state.selected) {
        if (index < items.size())
            items.at(index)->setSelected(true);
    }
    uiDeferred = false;
    recorded = state;
    pendingText.clear();
    restoring = false;
    selectionChanged();
}

void MainWindow::scheduleRecord()
{
    if (recordQueued || restoring)
        return;
    recordQueued = true;
    // Queued, so that one panel edit of many items is one step.
    QMetaObject::invokeMethod(this, "recordPending", Qt::QueuedConnection);
}

void MainWindow::recordPending()
{
    recordQueued = false;
    if (pointerDown || alignmentsRunning > 0)
        return;
    recordChange(pendingText);
}

void MainWindow::recordChange(const QString &text)
{
    if (restoring)
        return;
    const SnapshotCommand::Snapshot now = snapshot();
    const QString name = text.isEmpty() ? tr("Change") : text;
    pendingText.clear();
    if (now == recorded) {
        recorded.selected = now.selected;
        return;
    }
    const SnapshotCommand::Snapshot before = recorded;
    recorded = now;
    // A drag or key press moves items without the panel's knowledge.
    if (QGraphicsItem *first = firstSelectedWithPosition())
        transformWidget->setPosition(first->pos());
    undoStack->push(new SnapshotCommand(name, before, now, [this](const SnapshotCommand::Snapshot &state) {
        restoreSnapshot(state);
    }));
}

void MainWindow::resetHistory()
{
    undoStack->clear();
    recorded = snapshot();
    pendingText.clear();
    undoStack->setClean();
}

void MainWindow::historyMoved()
{
    setWindowModified(!undoStack->isClean());
    updateUi();
}

void MainWindow::alignmentFinished()
{
    if (alignmentsRunning > 0)
        --alignmentsRunning;
    if (alignmentsRunning == 0 && !pointerDown)
        recordChange(tr("Align"));
}

void MainWindow::notePanelEdit()
{
    if (sender() == brushWidget)
        pendingText = tr("Fill");
    else if (sender() == penWidget)
        pendingText = tr("Outline");
    else
        pendingText = tr("Geometry");
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        pointerDown = true;
        pendingText = static_cast<QMouseEvent *>(event)->modifiers() & Qt::ShiftModifier ? tr("Resize") : tr("Move");
        break;
    case QEvent::MouseButtonRelease:
        pointerDown = false;
        scheduleRecord();
        break;
    case QEvent::MouseButtonDblClick:
        // Double-clicking opens an item's dialog, whose release may never come.
        pointerDown = false;
        pendingText = tr("Edit");
        break;
    case QEvent::KeyPress:
        pendingText = static_cast<QKeyEvent *>(event)->modifiers() & Qt::ControlModifier ? tr("Move") : tr("Resize");
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::editStackingOrder()
{
    const bool toFront = sender() == editBringToFrontAction;
    const QList<QGraphicsItem *> items = ItemEntries::labelItems(scene);
    QList<QGraphicsItem *> selected;
    double top = 0.0;
    double bottom = 0.0;
    for (int i = 0; i < items.size(); ++i) {
        const double z = items.at(i)->zValue();
        top = i == 0 ? z : std::max(top, z);
        bottom = i == 0 ? z : std::min(bottom, z);
        if (items.at(i)->isSelected())
            selected << items.at(i);
    }
    if (selected.isEmpty())
        return;
    // The selected items keep their order among themselves.
    if (toFront) {
        for (int i = selected.size() - 1; i >= 0; --i)
            selected.at(i)->setZValue(++top);
    } else {
        // The others move up rather than the selected below zero, under the grid.
        const int count = selected.size();
        for (QGraphicsItem *item : items) {
            if (!item->isSelected())
                item->setZValue(item->zValue() + count);
        }
        for (int i = 0; i < count; ++i)
            selected.at(i)->setZValue(bottom + count - 1 - i);
    }
    setWindowModified(true);
    recordChange(toFront ? tr("Bring to Front") : tr("Send to Back"));
    updateUi();
}

QGraphicsItem *MainWindow::firstSelectedWithPosition() const
{
    const QList<QGraphicsItem *> items = ItemEntries::labelItems(scene);
    for (QGraphicsItem *item : items) {
        auto *object = dynamic_cast<QObject *>(item);
        if (item->isSelected() && object && object->metaObject()->indexOfProperty("pos") > -1)
            return item;
    }
    return nullptr;
}

void MainWindow::moveSelection(const QPointF &position)
{
    // The panel shows the topmost selected item; the others move with it.
    QGraphicsItem *first = firstSelectedWithPosition();
    if (!first)
        return;
    const QPointF delta = position - first->pos();
    const QList<QGraphicsItem *> selected = scene->selectedItems();
    for (QGraphicsItem *item : selected) {
        auto *object = dynamic_cast<QObject *>(item);
        if (object && object->metaObject()->indexOfProperty("pos") > -1)
            item->moveBy(delta.x(), delta.y());
    }
}

void MainWindow::updateRecentFiles(const QString &path, bool opened)
{
    QStringList paths = Settings::instance()->recentFiles();
    if (!path.isEmpty()) {
        paths.removeAll(path);
        if (opened)
            paths.prepend(path);
        while (paths.size() > 8)
            paths.removeLast();
        Settings::instance()->setRecentFiles(paths);
    }
    // Later, as the entry being triggered may be among them.
    const QList<QAction *> old = recentMenu->actions();
    for (QAction *action : old) {
        recentMenu->removeAction(action);
        action->deleteLater();
    }
    for (const QString &recent : qAsConst(paths)) {
        QAction *action = recentMenu->addAction(QFileInfo(recent).fileName());
        action->setData(recent);
        action->setToolTip(recent);
        connect(action, SIGNAL(triggered()), this, SLOT(fileOpenRecent()));
    }
    recentMenu->addSeparator();
    QAction *clear = recentMenu->addAction(tr("Clear List"));
    clear->setEnabled(!paths.isEmpty());
    connect(clear, SIGNAL(triggered()), this, SLOT(fileClearRecent()));
    recentMenu->setEnabled(!paths.isEmpty());
}

void MainWindow::fileOpenRecent()
{
    auto *action = qobject_cast<QAction *>(sender());
    if (!action || !okToClearData(QString()))
        return;
    // As Open: a refused file must not become the target of the next Save.
    const QString previousPath = windowFilePath();
    setWindowFilePath(action->data().toString());
    updateWindowTitle();
    if (loadLabelFile() == LoadRefused) {
        setWindowFilePath(previousPath);
        updateWindowTitle();
    }
}

void MainWindow::fileClearRecent()
{
    Settings::instance()->setRecentFiles(QStringList());
    updateRecentFiles(QString(), false);
}

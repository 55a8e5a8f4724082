#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QDataStream>
#include <QList>
#include <QMainWindow>
#include <QPoint>
#include <QPointer>
#include <QScopedPointer>

#include "items/placeholder.h"
#include "mainwindow/snapshotcommand.h"

class BrushWidget;
class GraphicsView;
class PenWidget;
class QAction;
class QGraphicsItem;
class QGraphicsItemGroup;
class QGraphicsScene;
class QMenu;
class QMimeData;
class QPainter;
class QPrinter;
class QToolBar;
class QUndoStack;
class TransformWidget;

namespace Ui {
class MainWindow;
}

void populateMenuAndToolBar(QMenu *menu, QToolBar *toolBar, const QList<QAction *> &actions);

// The one top-level window: the label page, its commands and its panels.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    void setPlaceholder(Placeholder *table);
    bool setupPrinter(const QSizeF &pageSizeMM, int dpi);
    void openInitialDocument();
    // Tests shorten the alignment animation; 0 keeps the usual duration.
    void setAlignmentDuration(int msecs) { alignmentDuration = msecs; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void setDirty(bool on = true);
    void fileNew();
    void fileOpen();
    bool fileSave();
    bool fileSaveAs();
    void fileExport();
    void filePrint();
    void filePrintSeries();
    void editSelectedItem();
    void editAddItem();
    void editCopy();
    void editCut();
    void editPaste();
    void editAlign();
    void editClearTransforms();
    void editSelectAll();
    void editStackingOrder();
    void moveSelection(const QPointF &position);
    void fileOpenRecent();
    void fileClearRecent();
    void recordPending();
    void alignmentFinished();
    void notePanelEdit();
    void historyMoved();
    void updateUi();
    void viewShowGrid(bool on);
    void selectionChanged();
    void itemChanged();
    void loadFile();
    void printSetPageSize();
    void printPreview();

private:
    void createSceneAndView();
    void createActions();
    void createMenusAndToolBars();
    void createDockWidgets();
    void createConnections();

    void warn(const QString &text);

    bool okToClearData(const QString &informativeText);
    void updateWindowTitle();
    void clearDocument();
    bool isUnnamed(const QString &path) const;

    enum LoadResult { LoadRefused, LoadDamaged, Loaded };
    LoadResult loadLabelFile();
    bool readItems(const QByteArray &entries, QDataStream::Version version, int offset, bool select);
    void copyItemsToClipboard(const QList<QGraphicsItem *> &items);
    static QByteArray clipboardImageBytes(const QMimeData *mime);
    // A new image item of bytes named name in messages; null, after a
    // warning, for bytes that are no image within the bounds.
    QObject *addImage(const QByteArray &bytes, const QString &name);
    QObject *addImageFile();

    // Where a new item's top-left corner goes, in scene coordinates.
    QPoint insertionPoint(const QSize &itemSize = QSize(0, 0));
    void connectItem(QObject *item);
    void showInPanels(const QObject *object);
    void selectedItemProperties(bool *hasAngle, bool *hasBrush, bool *hasPen);
    SnapshotCommand::Snapshot snapshot() const;
    void restoreSnapshot(const SnapshotCommand::Snapshot &state);
    void scheduleRecord();
    void recordChange(const QString &text);
    void resetHistory();
    QGraphicsItem *firstSelectedWithPosition() const;
    void updateRecentFiles(const QString &path, bool opened);
    void animateToPositions(const QList<QGraphicsItem *> &items, const QList<QPointF> &targets);

    const Placeholder &values() const;
    void paintScene(QPainter *painter);

    QScopedPointer<Ui::MainWindow> ui;
    QScopedPointer<QPrinter> printer;
    QPointer<QGraphicsScene> scene;
    QPointer<GraphicsView> view;
    QScopedPointer<QGraphicsItemGroup> grid;
    QPoint previousPoint;
    int addOffset = 5;
    int pasteOffset = 5;
    Placeholder *placeholder = nullptr;
    // The one selected item, whose values the panels show; none when zero
    // or several items are selected.
    QPointer<QObject> panelItem;
    // Output without a table given still fills in the date.
    const Placeholder defaultValues;
    // Set while items are read or the scene is cleared: each item changes
    // the selection, and the batch ends with one updateUi() for them all.
    bool uiDeferred = false;

    // The history: the label as last recorded, and what the change since
    // then will be called. A gesture (drag, alignment) is recorded once it ends.
    QPointer<QUndoStack> undoStack;
    SnapshotCommand::Snapshot recorded;
    QString pendingText;
    bool recordQueued = false;
    bool pointerDown = false;
    bool restoring = false;
    int alignmentsRunning = 0;
    int alignmentDuration = 0;

    QPointer<QAction> fileNewAction;
    QPointer<QAction> fileOpenAction;
    QPointer<QAction> fileSaveAction;
    QPointer<QAction> fileSaveAsAction;
    QPointer<QAction> fileExportAction;
    QPointer<QAction> filePrintAction;
    QPointer<QAction> filePrintSeriesAction;
    QPointer<QAction> fileQuitAction;
    QPointer<QAction> printSetPageSizeAction;
    QPointer<QAction> printPreviewAction;
    QPointer<QAction> editUndoAction;
    QPointer<QAction> editRedoAction;
    QPointer<QAction> editSelectAllAction;
    QPointer<QAction> editBringToFrontAction;
    QPointer<QAction> editSendToBackAction;
    QPointer<QAction> editSelectedItemAction;
    QPointer<QAction> editAddTextAction;
    QPointer<QAction> editAddBoxAction;
    QPointer<QAction> editAddQRCodeAction;
    QPointer<QAction> editAddBarcodeAction;
    QPointer<QAction> editAddImageAction;
    QPointer<QAction> editCopyAction;
    QPointer<QAction> editCutAction;
    QPointer<QAction> editPasteAction;
    QPointer<QAction> editAlignmentAction;
    QPointer<QAction> editAlignLeftAction;
    QPointer<QAction> editAlignRightAction;
    QPointer<QAction> editAlignTopAction;
    QPointer<QAction> editAlignBottomAction;
    QPointer<QAction> editClearTransformsAction;
    QPointer<QAction> viewZoomInAction;
    QPointer<QAction> viewZoomOutAction;
    QPointer<QAction> viewZoomToFitAction;
    QPointer<QAction> viewShowGridAction;

    QPointer<QMenu> recentMenu;
    QPointer<TransformWidget> transformWidget;
    QPointer<BrushWidget> brushWidget;
    QPointer<PenWidget> penWidget;
};

#endif // MAINWINDOW_H

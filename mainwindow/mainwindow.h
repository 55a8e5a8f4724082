#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QDataStream>
#include <QList>
#include <QMainWindow>
#include <QPoint>
#include <QPointer>
#include <QScopedPointer>

#include "items/placeholder.h"

class BrushWidget;
class GraphicsView;
class PenWidget;
class QAction;
class QGraphicsItem;
class QGraphicsItemGroup;
class QGraphicsScene;
class QMenu;
class QPainter;
class QPrinter;
class QToolBar;
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

protected:
    void closeEvent(QCloseEvent *event) override;

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
    void updateUi();
    void viewShowGrid(bool on);
    void selectionChanged();
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

    QPoint insertionPoint();
    void connectItem(QObject *item);
    void selectedItemProperties(bool *hasAngle, bool *hasBrush, bool *hasPen);
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
    // Output without a table given still fills in the date.
    const Placeholder defaultValues;
    // Set while items are read or the scene is cleared: each item changes
    // the selection, and the batch ends with one updateUi() for them all.
    bool uiDeferred = false;

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
    QPointer<QAction> editSelectedItemAction;
    QPointer<QAction> editAddTextAction;
    QPointer<QAction> editAddBoxAction;
    QPointer<QAction> editAddQRCodeAction;
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

    QPointer<TransformWidget> transformWidget;
    QPointer<BrushWidget> brushWidget;
    QPointer<PenWidget> penWidget;
};

#endif // MAINWINDOW_H

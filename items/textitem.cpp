#include "textitem.h"

#include "dialogs/textitemdialog.h"

#include <QFont>
#include <QGraphicsScene>
#include <QGraphicsView>

TextItem::TextItem(const QPoint &position, QGraphicsScene *scene)
    : QGraphicsTextItem()
{
    setFont(QFont("Helvetica", 3, -1, false));
    setFlags(QGraphicsItem::ItemIsMovable | QGraphicsItem::ItemIsSelectable
             | QGraphicsItem::ItemSendsGeometryChanges);
    setPos(QPointF(position));
    scene->clearSelection();
    scene->addItem(this);
    setSelected(true);
}

void TextItem::edit()
{
    QWidget *parent = nullptr;
    if (scene()) {
        const QList<QGraphicsView *> views = scene()->views();
        if (!views.isEmpty())
            parent = views.first()->window();
    }
    // The dialog has already written text and font when it is accepted.
    TextItemDialog dialog(this, QPoint(), scene(), parent);
    if (dialog.exec() == QDialog::Accepted)
        emit dirty();
}

QVariant TextItem::itemChange(GraphicsItemChange change, const QVariant &value)
{
    if (change == ItemPositionChange || change == ItemPositionHasChanged
        || change == ItemTransformChange || change == ItemTransformHasChanged)
        emit dirty();
    return QGraphicsTextItem::itemChange(change, value);
}

void TextItem::mouseDoubleClickEvent(QGraphicsSceneMouseEvent *)
{
    edit();
}

#include "labelrenderer.h"

#include "document/itementries.h"
#include "items/placeholder.h"
#include "output/labelvalues.h"

#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QHash>
#include <QObject>
#include <QSignalBlocker>
#include <QVariant>

namespace {

// Fills the placeholders of every label item for its lifetime. Items are
// kept quiet meanwhile: an output is no change to the label.
class PlaceholderFill
{
public:
    PlaceholderFill(const QGraphicsScene *scene, const Placeholder *values)
    {
        if (!values)
            return;
        const QList<QGraphicsItem *> items = ItemEntries::labelItems(scene);
        for (QGraphicsItem *item : items) {
            auto *object = dynamic_cast<QObject *>(item);
            if (!object)
                continue;
            const QVariant text = object->property("plainText");
            if (!text.isValid())
                continue;
            bool changed = false;
            const QString result = values->replace(text.toString(), &changed);
            if (changed) {
                const QSignalBlocker quiet(object);
                object->setProperty("plainText", result);
                savedTexts.insert(object, text.toString());
            }
        }
    }

    ~PlaceholderFill()
    {
        for (auto it = savedTexts.constBegin(); it != savedTexts.constEnd(); ++it) {
            const QSignalBlocker quiet(it.key());
            it.key()->setProperty("plainText", it.value());
        }
    }

private:
    Q_DISABLE_COPY(PlaceholderFill)
    QHash<QObject *, QString> savedTexts;
};

} // namespace

LabelRenderer::LabelRenderer(QGraphicsScene *scene)
    : scene(scene)
{
}

QSizeF LabelRenderer::pageSize() const
{
    return scene->sceneRect().size();
}

QString LabelRenderer::check(const Placeholder *values) const
{
    const PlaceholderFill fill(scene, values);
    const QList<QGraphicsItem *> items = ItemEntries::labelItems(scene);
    for (const QGraphicsItem *item : items) {
        const auto *object = dynamic_cast<const QObject *>(item);
        const QString error = object ? object->property("encodingError").toString() : QString();
        if (!error.isEmpty())
            return error;
    }
    return QString();
}

QString LabelRenderer::check(const LabelValues &values) const
{
    const int count = values.count();
    for (int i = 0; i < count; ++i) {
        const Placeholder label = values.at(i);
        const QString error = check(&label);
        if (!error.isEmpty())
            return count == 1 ? error : tr("Label %1 of %2: %3").arg(i + 1).arg(count).arg(error);
    }
    return QString();
}

void LabelRenderer::render(QPainter *painter, const QRectF &target, const Placeholder *values) const
{
    const QList<QGraphicsItem *> selected = scene->selectedItems();
    scene->clearSelection();
    // The grid, the page outline and whatever else a view adds stay off the page.
    QList<QGraphicsItem *> hidden;
    const QList<QGraphicsItem *> items = scene->items();
    for (QGraphicsItem *item : items) {
        if (!item->parentItem() && item->isVisible() && !ItemEntries::isLabelItem(item)) {
            item->hide();
            hidden << item;
        }
    }
    {
        const PlaceholderFill fill(scene, values);
        scene->render(painter, target, QRectF(), Qt::KeepAspectRatio);
    }
    for (QGraphicsItem *item : qAsConst(hidden))
        item->show();
    for (QGraphicsItem *item : selected)
        item->setSelected(true);
}

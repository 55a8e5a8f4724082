#include "labelrenderer.h"

#include "document/itementries.h"
#include "items/placeholder.h"
#include "output/labelvalues.h"

#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QHash>
#include <QObject>
#include <QPainter>
#include <QPen>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextDocument>
#include <QVariant>

namespace {

// Fills the placeholders of every label item for its lifetime. Items are
// kept quiet meanwhile: an output is no change to the label. A formatted
// text is filled in place, each value in the format of its placeholder,
// and given back whole by undoing that one edit.
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
            if (auto *document = object->property("document").value<QTextDocument *>()) {
                fill(document, values);
                continue;
            }
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
        for (auto it = filledDocuments.constBegin(); it != filledDocuments.constEnd(); ++it) {
            QTextDocument *document = it.key();
            document->undo();
            document->clearUndoRedoStacks(QTextDocument::RedoStack);
            document->setUndoRedoEnabled(it.value());
        }
    }

private:
    Q_DISABLE_COPY(PlaceholderFill)

    void fill(QTextDocument *document, const Placeholder *values)
    {
        // Positions in the plain text are positions in the document.
        const QVector<Placeholder::Match> found = values->matches(document->toPlainText());
        if (found.isEmpty())
            return;
        filledDocuments.insert(document, document->isUndoRedoEnabled());
        document->setUndoRedoEnabled(true);
        QTextCursor cursor(document);
        cursor.beginEditBlock();
        // From the end, so that the positions before stay valid.
        for (auto match = found.crbegin(); match != found.crend(); ++match) {
            cursor.setPosition(match->start + 1);
            const QTextCharFormat format = cursor.charFormat();
            cursor.setPosition(match->start);
            cursor.setPosition(match->start + match->length, QTextCursor::KeepAnchor);
            cursor.insertText(match->value, format);
        }
        cursor.endEditBlock();
    }

    QHash<QObject *, QString> savedTexts;
    // Each filled document and whether it kept undo steps before.
    QHash<QTextDocument *, bool> filledDocuments;
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
        painter->save();
        // A PDF engine starts out of step with the painter's default pen,
        // and the painter passes on only changes: an item's pen equal to
        // that default never reached it, and a printer's first job drew a
        // 1-point outline as a hairline. Send the pen once.
        painter->setPen(Qt::NoPen);
        painter->setPen(QPen());
        scene->render(painter, target, QRectF(), Qt::KeepAspectRatio);
        painter->restore();
    }
    for (QGraphicsItem *item : qAsConst(hidden))
        item->show();
    for (QGraphicsItem *item : selected)
        item->setSelected(true);
}

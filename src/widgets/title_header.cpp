#include "title_header.h"

#include <QEvent>

TitleHeader::TitleHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(true); // as the header a table view makes itself
    setHighlightSections(true);
}

void TitleHeader::setModel(QAbstractItemModel *model)
{
    for (const QMetaObject::Connection &c : std::as_const(modelChanges_))
        disconnect(c);
    modelChanges_.clear();
    remeasure();
    QHeaderView::setModel(model);
    if (!model)
        return;
    // The rows' values, which change at every line rung, tell the titles
    // nothing: the header does not follow them.
    disconnect(model, &QAbstractItemModel::dataChanged, this, nullptr);
    modelChanges_ = {
        connect(model, &QAbstractItemModel::headerDataChanged, this, &TitleHeader::remeasure),
        connect(model, &QAbstractItemModel::modelReset, this, &TitleHeader::remeasure),
        connect(model, &QAbstractItemModel::layoutChanged, this, &TitleHeader::remeasure),
        connect(model, &QAbstractItemModel::columnsInserted, this, &TitleHeader::remeasure),
        connect(model, &QAbstractItemModel::columnsRemoved, this, &TitleHeader::remeasure),
        connect(model, &QAbstractItemModel::columnsMoved, this, &TitleHeader::remeasure),
    };
}

QSize TitleHeader::sizeHint() const
{
    if (!measured_.isValid())
        measured_ = QHeaderView::sizeHint();
    return measured_;
}

bool TitleHeader::event(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        remeasure();
    return QHeaderView::event(event);
}

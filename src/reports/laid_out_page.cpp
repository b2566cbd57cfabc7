#include "laid_out_page.h"

#include <algorithm>

QStringList LaidOutPage::texts() const
{
    QStringList result;
    for (const PlacedItem &item : items)
        if (item.kind == PlacedItem::Kind::Text)
            result.append(item.text);
    return result;
}

const PlacedItem *LaidOutPage::findText(const QString &text) const
{
    for (const PlacedItem &item : items)
        if (item.kind == PlacedItem::Kind::Text && item.text == text)
            return &item;
    return nullptr;
}

QList<const PlacedItem *> LaidOutPage::textsOnRow(qreal y) const
{
    QList<const PlacedItem *> row;
    for (const PlacedItem &item : items)
        if (item.kind == PlacedItem::Kind::Text && qAbs(item.rect.top() - y) < 0.5)
            row.append(&item);
    std::sort(row.begin(), row.end(), [](const PlacedItem *a, const PlacedItem *b) { return a->rect.left() < b->rect.left(); });
    return row;
}

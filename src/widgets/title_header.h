#pragma once

#include <QHeaderView>

// The column titles of a grid, measured once for their texts, font and
// style. Qt measures them again each time the grid is shown or hidden,
// which with styled titles costs as much as reading the rows shown.
// The titles are measured anew when the model's titles or columns change,
// or the header's font or style; the rows' values are not followed.
class TitleHeader : public QHeaderView {
public:
    explicit TitleHeader(QWidget *parent);

    void setModel(QAbstractItemModel *model) override;
    QSize sizeHint() const override;

protected:
    bool event(QEvent *event) override;

private:
    void remeasure() { measured_ = QSize(); }

    mutable QSize measured_;
    QList<QMetaObject::Connection> modelChanges_;
};

// SPDX-License-Identifier: MIT
#include "ui/editor/selectlist.h"

#include <QStringListModel>

SelectList::SelectList(QWidget* parent) : QListView(parent), names(new QStringListModel(this))
{
    setModel(names);
    // The list is picked from, never edited in place.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void SelectList::setItems(const QStringList& items)
{
    names->setStringList(items);
    setCurrentIndex(QModelIndex());
}

void SelectList::clear()
{
    setItems({});
}

int SelectList::count() const
{
    return names->rowCount();
}

QString SelectList::text(int row) const
{
    return names->index(row).data(Qt::DisplayRole).toString();
}

int SelectList::currentRow() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : -1;
}

QRect SelectList::rowRect(int row) const
{
    return visualRect(names->index(row));
}

void SelectList::scrollToRow(int row)
{
    scrollTo(names->index(row));
}

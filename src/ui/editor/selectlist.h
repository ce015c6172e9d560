// SPDX-License-Identifier: MIT
#pragma once
// The floating list of functions, keywords and templates: a list view over one string list,
// so that showing 20,000 names costs no item objects and no text measuring per item.

#include <QListView>
#include <QStringList>

class QStringListModel;

class SelectList : public QListView {
public:
    explicit SelectList(QWidget* parent = nullptr);

    // Replaces every item, in the given order, with none current.
    void setItems(const QStringList& items);
    void clear();

    int count() const;
    QString text(int row) const;
    int currentRow() const; // -1 when none
    QRect rowRect(int row) const;
    void scrollToRow(int row);

private:
    QStringListModel* names;
};

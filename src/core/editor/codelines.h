// SPDX-License-Identifier: MIT
#pragma once
// The program's lines as a list of strings with a gap of empty entries at the last edit, so
// that inserting or removing lines there moves only the entries between the old and the new
// edit point, never every entry after it. Readers use it as they would a QStringList.

#include <QDebug>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <iterator>

class CodeLines {
public:
    template <typename Owner, typename Value> class Iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = QString;
        using difference_type = qsizetype;
        using pointer = Value*;
        using reference = Value&;

        Iterator() = default;
        Iterator(Owner* owner, qsizetype index) : lines(owner), i(index) {}
        reference operator*() const { return (*lines)[i]; }
        pointer operator->() const { return &(*lines)[i]; }
        reference operator[](difference_type n) const { return (*lines)[i + n]; }
        Iterator& operator++() { return ++i, *this; }
        Iterator operator++(int) { return Iterator(lines, i++); }
        Iterator& operator--() { return --i, *this; }
        Iterator operator--(int) { return Iterator(lines, i--); }
        Iterator& operator+=(difference_type n) { return i += n, *this; }
        Iterator& operator-=(difference_type n) { return i -= n, *this; }
        friend Iterator operator+(Iterator a, difference_type n) { return a += n; }
        friend Iterator operator+(difference_type n, Iterator a) { return a += n; }
        friend Iterator operator-(Iterator a, difference_type n) { return a -= n; }
        friend difference_type operator-(const Iterator& a, const Iterator& b) { return a.i - b.i; }
        friend bool operator==(const Iterator& a, const Iterator& b) { return a.i == b.i; }
        friend auto operator<=>(const Iterator& a, const Iterator& b) { return a.i <=> b.i; }

    private:
        Owner* lines = nullptr;
        qsizetype i = 0;
    };
    using iterator = Iterator<CodeLines, QString>;
    using const_iterator = Iterator<const CodeLines, const QString>;
    using value_type = QString;
    using size_type = qsizetype;

    CodeLines() = default;
    CodeLines(const QStringList& lines) : store(lines) {}
    CodeLines(QStringList&& lines) : store(std::move(lines)) {}
    CodeLines(std::initializer_list<QString> lines) : store(lines) {}

    // The lines as one list. The gap is closed for it (entries move, as on an insert), so
    // the list shares the lines and costs no copy of them.
    operator QStringList() const { return toList(); }
    const QStringList& toList() const;

    qsizetype size() const { return store.size() - gapSize; }
    qsizetype count() const { return size(); }
    qsizetype length() const { return size(); }
    bool isEmpty() const { return size() == 0; }
    bool empty() const { return isEmpty(); }

    QString& operator[](qsizetype i) { return store[place(i)]; }
    const QString& operator[](qsizetype i) const { return store.at(place(i)); }
    const QString& at(qsizetype i) const { return (*this)[i]; }
    QString value(qsizetype i, const QString& fallback = QString()) const
    {
        return i >= 0 && i < size() ? (*this)[i] : fallback;
    }
    QString& front() { return (*this)[0]; }
    const QString& front() const { return (*this)[0]; }
    QString& first() { return front(); }
    const QString& first() const { return front(); }
    QString& back() { return (*this)[size() - 1]; }
    const QString& back() const { return (*this)[size() - 1]; }
    QString& last() { return back(); }
    const QString& last() const { return back(); }

    iterator begin() { return iterator(this, 0); }
    iterator end() { return iterator(this, size()); }
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, size()); }
    const_iterator cbegin() const { return begin(); }
    const_iterator cend() const { return end(); }

    void insert(qsizetype i, const QString& line) { insert(i, QString(line)); }
    void insert(qsizetype i, QString&& line);
    void insert(qsizetype i, qsizetype n, const QString& line);
    void insert(qsizetype i, const QStringList& lines);
    void append(const QString& line) { insert(size(), line); }
    void append(QString&& line) { insert(size(), std::move(line)); }
    void append(const QStringList& lines) { insert(size(), lines); }
    CodeLines& operator<<(const QString& line) { return append(line), *this; }
    CodeLines& operator<<(const QStringList& lines) { return append(lines), *this; }

    void removeAt(qsizetype i) { remove(i, 1); }
    void remove(qsizetype i, qsizetype n = 1);
    QString takeAt(qsizetype i);
    void clear();
    void reserve(qsizetype n) { store.reserve(n + gapSize); }

    QStringList mid(qsizetype pos, qsizetype n = -1) const;
    QString join(QStringView separator) const { return toList().join(separator); }
    QString join(QChar separator) const { return toList().join(separator); }

    friend bool operator==(const CodeLines& a, const CodeLines& b);
    friend bool operator==(const CodeLines& a, const QStringList& b);

private:
    // Logical index to the entry in store.
    qsizetype place(qsizetype i) const { return i < gapStart ? i : i + gapSize; }
    // Moves the gap to start before logical index to, with room for at least n entries.
    void openGap(qsizetype to, qsizetype n);
    void moveGap(qsizetype to) const;
    void closeGap() const;

    // Lines before the gap, gapSize null strings, the lines after it. Mutable because
    // closing the gap for a reader of the whole list changes where entries are, not what
    // the lines are.
    mutable QStringList store;
    mutable qsizetype gapStart = 0;
    mutable qsizetype gapSize = 0;
};

QDebug operator<<(QDebug debug, const CodeLines& lines);

// SPDX-License-Identifier: MIT
// The key-to-pixel reference: the least a Qt 6 window does to show a typed key, a QWidget
// that paints the typed text with QPainter.

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QWidget>

namespace {

class TypedText : public QWidget {
protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Backspace)
            typed.chop(1);
        else
            typed += event->text();
        update();
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.drawText(QRect(8, 8, width() - 16, height() - 16), Qt::TextWrapAnywhere, typed);
    }

private:
    QString typed;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TypedText w;
    w.setWindowTitle(QStringLiteral("keypixel-minimal"));
    w.resize(480, 320);
    w.show();
    return app.exec();
}

// The least a Qt program does to print: an application, a printer and one
// blank page on the default printer. The benchmark measures print mode
// against it.

#include <QApplication>
#include <QPainter>
#include <QPrinter>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QPrinter printer(QPrinter::HighResolution);
    QPainter painter;
    if (!painter.begin(&printer))
        return 3;
    return painter.end() ? 0 : 3;
}

// Расчет материалов: the program's entry. The command line is not read (Qt's own options aside).
#include <QApplication>

#include "shell/program.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return RunProgram();
}

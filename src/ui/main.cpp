#include <QApplication>
#include <QMessageBox>
#include <clocale>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Numbers in files and reports always use a decimal point.
    std::setlocale(LC_NUMERIC, "C");
    QMessageBox::information(nullptr, "Celvara", "Gestor de Observaciones");
    return 0;
}

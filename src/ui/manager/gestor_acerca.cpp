#include "ui/manager/gestor_acerca.h"

#include <QMessageBox>

#include "ui/manager/gestor_idioma.h"

namespace celvara::ui {

namespace {
constexpr const char* kVersion = "0.1";
}

QString textoAcercaDe() {
    return QStringLiteral("<b>Celvara</b> versión %1<br>Compilado el %2 a las %3<br><br>"
                          "Gestor de Observaciones - Datos de Campo")
        .arg(QString::fromLatin1(kVersion), fechaCompilacion(), QString::fromLatin1(__TIME__));
}

void mostrarAcercaDe(QWidget* padre) {
    QMessageBox caja(padre);
    caja.setObjectName(QStringLiteral("acercaDe"));
    caja.setWindowTitle(QStringLiteral("Acerca de Celvara"));
    caja.setTextFormat(Qt::RichText);
    caja.setText(textoAcercaDe());
    caja.setIcon(QMessageBox::Information);
    caja.exec();
}

}  // namespace celvara::ui

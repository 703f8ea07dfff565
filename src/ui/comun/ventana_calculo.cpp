#include "ui/comun/ventana_calculo.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "fieldbook/rutas.h"
#include "ui/comun/gestor_informes_qt.h"
#include "ui/rejilla/rejilla.h"

namespace celvara::ui {

InformeEstacionQt informeEstacionQt(QWidget* padre, const MapaRutas& mapa) {
    InformeEstacionQt i;
    i.pedirFichero = [](QWidget* p) {
        QFileDialog dialogo(p, QStringLiteral("Guardar como"));
        dialogo.setAcceptMode(QFileDialog::AcceptSave);
        dialogo.setOption(QFileDialog::DontConfirmOverwrite, true);  // the report is appended
        dialogo.setNameFilter(QStringLiteral("Archivos TEXTO (*.TXT *.txt)"));
        dialogo.setDefaultSuffix(QStringLiteral("TXT"));
        if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return QString();
        return dialogo.selectedFiles().constFirst();
    };
    i.mostrar = [padre, &mapa](const QString& ruta) { mostrarInformeQt(padre, mapa, mapa.aWindows(ruta.toStdString())); };
    return i;
}

QHBoxLayout* marcoRejilla(QDialog* dialogo, CRejilla* rejilla, const char* nombre, FuenteRejilla* fuente) {
    rejilla->setObjectName(QString::fromUtf8(nombre));
    rejilla->fijarFuente(fuente);
    rejilla->fijarColorFondo(QColor(0xDC, 0xFF, 0xFF));
    auto* capa = new QVBoxLayout(dialogo);
    capa->addWidget(rejilla, 1);
    auto* botones = new QHBoxLayout;
    capa->addLayout(botones);
    return botones;
}

}  // namespace celvara::ui

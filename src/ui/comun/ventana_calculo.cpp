#include "ui/comun/ventana_calculo.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "fieldbook/rutas.h"
#include "ui/comun/dialogo_fichero_qt.h"
#include "ui/comun/gestor_informes_qt.h"
#include "ui/rejilla/rejilla.h"

namespace celvara::ui {

InformeEstacionQt informeEstacionQt(QWidget* padre, const MapaRutas& mapa, const CDatosGenerales* ajustes) {
    const LugarFicheros lugar = ajustes ? lugarFicheros(*ajustes, mapa) : LugarFicheros{&mapa, {}, {}};
    InformeEstacionQt i;
    i.pedirFichero = [lugar](QWidget* p) {
        PeticionFichero peticion;
        peticion.guardar = true;  // no question: the report is appended
        peticion.extension = "TXT";
        peticion.filtro = "Archivos TEXTO|*.TXT||";
        peticion.recordar = "informes";
        const auto ruta = lugar.pedir(p, peticion);
        if (!ruta || ruta->empty()) return QString();
        return QString::fromStdString(lugar.anfitrion(QString::fromStdString(*ruta)).string());
    };
    i.mostrar = [padre, lugar](const QString& ruta) {
        mostrarInformeQt(padre, lugar, lugar.mapa->aWindows(ruta.toStdString()));
    };
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

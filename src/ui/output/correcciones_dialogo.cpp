#include "ui/output/correcciones_dialogo.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/comun/dialogo_fichero_qt.h"
#include "ui/rejilla/rejilla.h"

namespace celvara::ui {

namespace cc = columna_correcciones;

DialogoCorrecciones::DialogoCorrecciones(CLibretaCampo& libreta, const CDatosGenerales& ajustes,
                                         const MapaRutas& mapa, Avisos& avisos, QWidget* padre)
    : QDialog(padre), logica_(libreta, avisos), ajustes_(ajustes), mapa_(mapa), rejilla_(new CRejilla(this)) {
    setWindowTitle(QStringLiteral("CORRECCIONES O MODIFICACIONES A LAS LECTURAS"));
    setObjectName(QStringLiteral("dialogoCorrecciones"));
    resize(980, 520);
    rejilla_->setObjectName(QStringLiteral("rejillaCorrecciones"));
    rejilla_->fijarFuente(&logica_.rejilla());
    rejilla_->fijarColorFondo(QColor(0xDC, 0xFF, 0xFF));

    auto* capa = new QVBoxLayout(this);
    capa->addWidget(rejilla_, 1);
    auto* bloques = new QHBoxLayout;
    const std::pair<const char*, std::size_t> casillas[] = {{"Por Esfericidad y Refracción", cc::esfRefr},
                                                            {"Por Temperatura y Presión.", cc::tempPres},
                                                            {"Aplicar Desplazamientos", cc::desplazamientos},
                                                            {"Unificar Tipos de Lecturas-Unidades", cc::unificar},
                                                            {"Promediar CD/CI", cc::promediar}};
    for (auto [texto, columna] : casillas) {
        auto* c = new QCheckBox(QString::fromUtf8(texto), this);
        c->setObjectName(QStringLiteral("bloque%1").arg(columna));
        c->setEnabled(columna != cc::tempPres);
        bloques->addWidget(c);
        connect(c, &QCheckBox::clicked, this, [this, columna](bool marcada) {
            logica_.marcarColumna(columna, marcada);
            rejilla_->refrescar();
        });
    }
    capa->addLayout(bloques);

    auto* destino = new QHBoxLayout;
    auto* mismo = new QRadioButton(QStringLiteral("Sobre el Mismo"), this);
    nuevo_ = new QRadioButton(QStringLiteral("En Uno Nuevo"), this);
    mismo->setObjectName(QStringLiteral("sobreElMismo"));
    nuevo_->setObjectName(QStringLiteral("enUnoNuevo"));
    mismo->setChecked(true);
    auto* botonFichero = new QPushButton(QStringLiteral("Fichero *.OBS"), this);
    botonFichero->setObjectName(QStringLiteral("botonFichero"));
    fichero_ = new QLineEdit(this);
    fichero_->setObjectName(QStringLiteral("fichero"));
    destino->addWidget(mismo);
    destino->addWidget(nuevo_);
    destino->addWidget(botonFichero);
    destino->addWidget(fichero_, 1);
    capa->addLayout(destino);

    auto* botones = new QHBoxLayout;
    auto* recoger = new QPushButton(QStringLiteral("Recoger Errores del Instrumento"), this);
    auto* corregirBoton = new QPushButton(QStringLiteral("C O R R E G I R"), this);
    corregirBoton->setObjectName(QStringLiteral("corregir"));
    auto* salir = new QPushButton(QStringLiteral("S A L I R"), this);
    botones->addWidget(recoger);
    botones->addStretch();
    botones->addWidget(corregirBoton);
    botones->addWidget(salir);
    capa->addLayout(botones);

    // The new book starts beside the current one, its path shown as C:\...
    pedirFichero = [this]() -> std::optional<QString> {
        PeticionFichero p;
        p.guardar = true;
        p.extension = "OBS";
        p.filtro = "Archivos de Observaciones (*.OBS) |*.OBS|Todos los archivos (*.*) |*.*||";
        p.confirmarSobrescribir = true;
        const auto r = lugarFicheros(ajustes_, mapa_).pedir(this, p);
        if (!r) return std::nullopt;
        return QString::fromStdString(*r);
    };
    connect(botonFichero, &QPushButton::clicked, this, [this] {
        if (const auto ruta = pedirFichero()) fichero_->setText(*ruta);
    });
    connect(recoger, &QPushButton::clicked, this, [this] {
        ListaInstrumentos biblioteca;
        AvisosSilenciosos sinMensajes;
        const bool cargada =
            cargarInstrumentos(biblioteca, rutaInstrumentos(ajustes_, mapa_), sinMensajes) == Estado::Exito;
        logica_.recogerErroresInstrumento(cargada ? &biblioteca : nullptr);
        rejilla_->refrescar();
    });
    connect(corregirBoton, &QPushButton::clicked, this, &DialogoCorrecciones::corregir);
    connect(salir, &QPushButton::clicked, this, &QDialog::accept);
}

void DialogoCorrecciones::corregir() {
    logica_.enUnoNuevo = nuevo_->isChecked();
    const QString nuevo = fichero_->text().trimmed();
    logica_.ficheroNuevo = nuevo.isEmpty() ? std::string() : lugarFicheros(ajustes_, mapa_).anfitrion(nuevo).string();
    const CambioCorreccion cambio = logica_.corregir();
    if (!logica_.enUnoNuevo && cambio.estacionamientos > 0) cambiada_ = true;
    rejilla_->recargar();
}

bool DialogoCorrecciones::abrir(QWidget* padre, CLibretaCampo& libreta, const CDatosGenerales& ajustes,
                                const MapaRutas& mapa, Avisos& avisos) {
    DialogoCorrecciones d(libreta, ajustes, mapa, avisos, padre);
    d.exec();
    return d.libretaCambiada();
}

}  // namespace celvara::ui

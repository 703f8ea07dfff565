#include "ui/calc/radiacion_dialogos.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>

#include "fieldbook/codificacion.h"
#include "manager/coordenadas_comandos.h"
#include "ui/calc/reduccion_elipsoide_dialogo.h"
#include "ui/comun/dialogo_fichero_qt.h"
#include "ui/comun/gestor_informes_qt.h"
#include "ui/rejilla/rejilla.h"

namespace celvara::ui {

namespace {

QCheckBox* casilla(QWidget* padre, const char* texto, const char* nombre, bool marcada) {
    auto* c = new QCheckBox(QString::fromUtf8(texto), padre);
    c->setObjectName(QString::fromUtf8(nombre));
    c->setChecked(marcada);
    return c;
}

}  // namespace

DialogoConfigurarCalculo::DialogoConfigurarCalculo(OpcionesRadiacion& opciones, CDatosGenerales& ajustes, QWidget* padre)
    : QDialog(padre), logica_(opciones, ajustes), ajustes_(ajustes) {
    setWindowTitle(QStringLiteral("CONFIGURAR CALCULO"));
    setObjectName(QStringLiteral("dialogoConfigurarCalculo"));
    const OpcionesRadiacion& o = logica_.opciones;
    informe1_ = casilla(this, "Generar archivo Cálculo. (nº H V Dg m X Y Z)", "informe1", o.informe1);
    informe2_ = casilla(this, "Generar archivo Cálculo. (nº X Y Z PREC XY PREC Z)", "informe2", o.informe2);
    informe2_->setEnabled(false);
    aplicarATodas_ = casilla(this, "Ejecutar =>", "aplicarATodas", o.aplicarATodas);
    esfRefr_ = casilla(this, "Activar en todas Corregir Por Esfericidad y Refracción", "esfRefrTodas", o.esfRefrTodas);
    tempPres_ = casilla(this, "Activar en todas Corregir Por Temperatura y Presión.", "tempPresTodas", o.tempPresTodas);
    interseccion_ = casilla(this, "Cuando Distancia = 0 => calcular por Intersección", "interseccion",
                            o.interseccionSinDistancia);
    interseccion_->setEnabled(false);
    estaciones_ = casilla(this, "Añadir XYZ de las Estaciones del Listado Principal", "anadirEstaciones",
                          o.anadirEstaciones);
    noVisuales_ = casilla(this, "NO Calcular XYZ con las Visuales a Estaciones", "noVisuales",
                          logica_.noCalcularVisualesAEstaciones);
    planas_ = new QRadioButton(QStringLiteral("Planas"), this);
    ed50_ = new QRadioButton(QStringLiteral("U.T.M  ED-50"), this);
    wgs84_ = new QRadioButton(QStringLiteral("U.T.M  WGS-84"), this);
    planas_->setObjectName(QStringLiteral("planas"));
    ed50_->setObjectName(QStringLiteral("ed50"));
    wgs84_->setObjectName(QStringLiteral("wgs84"));
    (o.planas ? planas_ : (o.hayford ? ed50_ : wgs84_))->setChecked(true);
    escala_ = new QLineEdit(QString::fromStdString(logica_.textoEscala), this);
    escala_->setObjectName(QStringLiteral("escala"));
    auto* rElip = new QPushButton(QStringLiteral("R.Elip"), this);

    auto* capa = new QVBoxLayout(this);
    for (QWidget* w : std::initializer_list<QWidget*>{informe1_, informe2_, aplicarATodas_, esfRefr_, tempPres_,
                                                       interseccion_, estaciones_, noVisuales_})
        capa->addWidget(w);
    auto* proyeccion = new QGroupBox(QStringLiteral("Proyección"), this);
    auto* capaProyeccion = new QHBoxLayout(proyeccion);
    capaProyeccion->addWidget(planas_);
    capaProyeccion->addWidget(ed50_);
    capaProyeccion->addWidget(wgs84_);
    capa->addWidget(proyeccion);
    auto* filaEscala = new QHBoxLayout;
    filaEscala->addWidget(new QLabel(QStringLiteral("Escala Adicional al Cálculo:"), this));
    filaEscala->addWidget(escala_);
    filaEscala->addWidget(rElip);
    capa->addLayout(filaEscala);
    auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    capa->addWidget(botones);
    connect(botones, &QDialogButtonBox::accepted, this, &DialogoConfigurarCalculo::aceptar);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(rElip, &QPushButton::clicked, this, [this] {
        if (auto f = DialogoReduccionElipsoide::pedirFactor(ajustes_, this)) {
            logica_.ponerFactorReduccion(*f);
            escala_->setText(QString::fromStdString(logica_.textoEscala));
        }
    });
}

void DialogoConfigurarCalculo::aceptar() {
    OpcionesRadiacion& o = logica_.opciones;
    o.informe1 = informe1_->isChecked();
    o.informe2 = informe2_->isChecked();
    o.aplicarATodas = aplicarATodas_->isChecked();
    o.esfRefrTodas = esfRefr_->isChecked();
    o.tempPresTodas = tempPres_->isChecked();
    o.interseccionSinDistancia = interseccion_->isChecked();
    o.anadirEstaciones = estaciones_->isChecked();
    o.planas = planas_->isChecked();
    o.hayford = ed50_->isChecked();
    logica_.noCalcularVisualesAEstaciones = noVisuales_->isChecked();
    logica_.textoEscala = escala_->text().toStdString();
    logica_.aceptar();
    accept();
}

DialogoRadiacion::DialogoRadiacion(CLibretaCampo& libreta, CDatosGenerales& ajustes, const MapaRutas& mapa,
                                   Avisos& avisos, QWidget* padre)
    : QDialog(padre),
      logica_(libreta, ajustes, avisos),
      ajustes_(ajustes),
      mapa_(mapa),
      lugar_(lugarFicheros(ajustes, mapa)),
      avisos_(avisos),
      rejilla_(new CRejilla(this)),
      pestanas_(new QTabBar(this)),
      fichero_(new QLineEdit(this)),
      nuevo_(new QRadioButton(QStringLiteral("Nuevo"), this)),
      anadir_(new QRadioButton(QStringLiteral("Añadir"), this)),
      recogerErrores_(new QPushButton(QStringLiteral("Recoger Errores del Instrumento"), this)) {
    setWindowTitle(QStringLiteral("CALCULO DE LA RADIACION"));
    setObjectName(QStringLiteral("dialogoRadiacion"));
    resize(900, 560);
    rejilla_->setObjectName(QStringLiteral("rejillaRadiacion"));
    rejilla_->fijarFuente(&logica_.rejilla());
    rejilla_->fijarColorFondo(QColor(0xDC, 0xFF, 0xFF));
    fichero_->setObjectName(QStringLiteral("ficheroCrd"));
    nuevo_->setChecked(true);
    pestanas_->addTab(QStringLiteral("D A T O S"));
    pestanas_->addTab(QStringLiteral("C O R R E C C I O N E S"));

    auto* capa = new QVBoxLayout(this);
    auto* filaFichero = new QHBoxLayout;
    auto* botonFichero = new QPushButton(QStringLiteral("Fichero *.CRD"), this);
    filaFichero->addWidget(botonFichero);
    filaFichero->addWidget(fichero_, 1);
    filaFichero->addWidget(nuevo_);
    filaFichero->addWidget(anadir_);
    capa->addLayout(filaFichero);
    capa->addWidget(pestanas_);
    capa->addWidget(rejilla_, 1);
    auto* botones = new QHBoxLayout;
    auto* configurarBoton = new QPushButton(QStringLiteral("Configurar"), this);
    auto* calcular = new QPushButton(QStringLiteral("CALCULAR"), this);
    auto* salir = new QPushButton(QStringLiteral("S A L I R"), this);
    calcular->setObjectName(QStringLiteral("calcular"));
    botones->addWidget(recogerErrores_);
    botones->addWidget(configurarBoton);
    botones->addStretch();
    botones->addWidget(calcular);
    botones->addWidget(salir);
    capa->addLayout(botones);

    connect(pestanas_, &QTabBar::currentChanged, this, &DialogoRadiacion::elegirPestana);
    connect(botonFichero, &QPushButton::clicked, this, &DialogoRadiacion::pulsarFichero);
    connect(recogerErrores_, &QPushButton::clicked, this, &DialogoRadiacion::pulsarRecogerErrores);
    connect(configurarBoton, &QPushButton::clicked, this, &DialogoRadiacion::pulsarConfigurar);
    connect(calcular, &QPushButton::clicked, this, &DialogoRadiacion::pulsarCalcular);
    connect(salir, &QPushButton::clicked, this, &QDialog::accept);
    configurar = [this] {
        DialogoConfigurarCalculo dialogo(logica_.opciones(), ajustes_, this);
        return dialogo.exec() == QDialog::Accepted;
    };
    logica_.rutaInforme1 = mapa_.aAnfitrion(ajustes_.ficheroInformes.vista());
    logica_.nombrarFichero = [this](const std::filesystem::path& p) { return mapa_.aWindows(p); };
    // The viewer belongs to the window below: this one closes as the report opens.
    mostrarInforme = [this](const QString& ruta) {
        mostrarInformeQt(parentWidget() ? parentWidget()->window() : nullptr, lugar_, mapa_.aWindows(ruta.toStdString()));
    };
    // The reports chosen last time ("Generar archivo Cálculo", "Ejecutar =>").
    AjustesPropios ini;
    if (ini.cargar(lugar_.ajustesPropios)) leerOpcionesRecordadas(logica_.opciones(), ini);
    elegirPestana(0);
}

void DialogoRadiacion::elegirPestana(int pestana) {
    const bool datos = pestana == 0;
    for (std::size_t c = 0; c < columna_radiacion::numero; ++c) {
        const bool visible = datos ? std::find(kColumnasDatos.begin(), kColumnasDatos.end(), c) != kColumnasDatos.end()
                                   : std::find(kColumnasCorrecciones.begin(), kColumnasCorrecciones.end(), c) !=
                                         kColumnasCorrecciones.end();
        // Kept in the grid's own columns too, so that a reload keeps the tab's view.
        logica_.rejilla().ocultarColumna(c, !visible);
        rejilla_->ocultarColumna(static_cast<int>(c), !visible);
    }
    recogerErrores_->setVisible(!datos);
}

void DialogoRadiacion::pulsarFichero() {
    // "Nuevo" replaces the file: a save dialog that asks before replacing one
    // that exists; "Añadir" adds to one that must exist.
    PeticionFichero p;
    p.guardar = nuevo_->isChecked();
    p.confirmarSobrescribir = p.guardar;
    p.debeExistir = !p.guardar;
    p.extension = kExtensionCrd;
    p.filtro = kFiltroCrd;
    p.recordar = "coordenadas";
    if (const auto ruta = lugar_.pedir(this, p); ruta && !ruta->empty()) fichero_->setText(QString::fromStdString(*ruta));
}

void DialogoRadiacion::pulsarRecogerErrores() {
    ListaInstrumentos biblioteca;
    AvisosSilenciosos sinMensajes;
    const bool cargada =
        cargarInstrumentos(biblioteca, rutaInstrumentos(ajustes_, mapa_), sinMensajes) == Estado::Exito;
    logica_.recogerErroresInstrumento(cargada ? &biblioteca : nullptr);
    rejilla_->recargar();
}

void DialogoRadiacion::pulsarConfigurar() {
    if (configurar && configurar()) {
        AjustesPropios ini;
        if (ini.cargar(lugar_.ajustesPropios)) {
            recordarOpciones(logica_.opciones(), ini);
            ini.guardar(lugar_.ajustesPropios);
        }
        logica_.aplicarConfiguracion();
        rejilla_->recargar();
    }
}

void DialogoRadiacion::pulsarCalcular() {
    logica_.ficheroCrd = fichero_->text().trimmed().isEmpty() ? std::string() : lugar_.anfitrion(fichero_->text()).string();
    logica_.anadir = anadir_->isChecked();
    const ResultadoRadiacion r = logica_.calcular();
    if (!r.calculado) return;
    // "Ejecutar =>": the calculation report opens in the viewer, as the orientation report does.
    if (logica_.opciones().aplicarATodas && r.informe1 && mostrarInforme)
        mostrarInforme(QString::fromStdString(logica_.rutaInforme1.string()));
    accept();
}

void DialogoRadiacion::done(int resultado) {
    logica_.salir();
    QDialog::done(resultado);
}

}  // namespace celvara::ui

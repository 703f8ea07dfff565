#include "ui/import/importar_datos_campo_dialogo.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QCoreApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/comun/dialogo_fichero_qt.h"
#include "ui/comun/gestor_avisos_qt.h"
#include "ui/import/comunicacion_dialogos.h"

namespace celvara::ui {

namespace {

QString desdeUtf8(std::string_view texto) {
    return QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size()));
}

// "*.*" means every file on Windows; here a name may have no dot at all.
QString patronQt(QString patron) {
    patron = patron.trimmed();
    if (patron == QStringLiteral("*.*")) return QStringLiteral("*");
    const QString mayusculas = patron.toUpper();
    return mayusculas == patron ? patron : patron + QLatin1Char(' ') + mayusculas;
}

}  // namespace

DialogoImportarDatosCampo::DialogoImportarDatosCampo(CDatosGenerales& ajustes, CLibretaCampo& libreta,
                                                     std::uint8_t* bandera, QWidget* padre, Avisos* avisos,
                                                     const MapaRutas* mapa)
    : QDialog(padre),
      ajustes_(ajustes),
      mapa_(mapa),
      bandera_(bandera),
      avisosPropios_(avisos ? nullptr : std::make_unique<AvisosQt>(this, QStringLiteral("Importar Datos Campo"))),
      avisos_(avisos ? avisos : avisosPropios_.get()),
      logica_(ajustes, libreta, bandera, avisosImportacion_) {
    setWindowTitle(QStringLiteral("Importar Datos Campo"));

    lista_ = new QListWidget(this);
    for (const auto& texto : logica_.textosLista()) lista_->addItem(desdeUtf8(texto));
    lista_->setMinimumWidth(320);
    lista_->setMinimumHeight(300);

    auto* origen = new QGroupBox(this);
    desdeFichero_ = new QRadioButton(QStringLiteral("Desde un Fichero"), origen);
    desdeEstacion_ = new QRadioButton(QStringLiteral("Desde una Estación o Libreta"), origen);
    cfg_ = new QPushButton(QStringLiteral("CFG"), origen);
    auto* capaOrigen = new QHBoxLayout(origen);
    capaOrigen->addWidget(desdeFichero_);
    capaOrigen->addWidget(desdeEstacion_);
    capaOrigen->addWidget(cfg_);

    auto* botones = new QDialogButtonBox(this);
    detectar_ = botones->addButton(QStringLiteral("Detectar formato"), QDialogButtonBox::ActionRole);
    aceptar_ = botones->addButton(QStringLiteral("Aceptar"), QDialogButtonBox::AcceptRole);
    auto* cancelar = botones->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    aceptar_->setDefault(true);

    formatoDetectado_ = new QLabel(this);
    formatoDetectado_->setObjectName(QStringLiteral("formatoDetectado"));
    formatoDetectado_->hide();

    auto* capa = new QVBoxLayout(this);
    capa->addWidget(lista_);
    capa->addWidget(origen);
    capa->addWidget(formatoDetectado_);
    capa->addWidget(botones);

    // As the window opens: reading from a file, "CFG" disabled.
    desdeFichero_->setChecked(true);
    cfg_->setEnabled(false);

    connect(desdeFichero_, &QRadioButton::clicked, this, &DialogoImportarDatosCampo::elegirOrigen);
    connect(desdeEstacion_, &QRadioButton::clicked, this, &DialogoImportarDatosCampo::elegirOrigen);
    connect(cfg_, &QPushButton::clicked, this, &DialogoImportarDatosCampo::configurarPuerto);
    connect(aceptar_, &QPushButton::clicked, this, &DialogoImportarDatosCampo::aceptarImportacion);
    logica_.fijarProgreso([this](double parte) { return progreso(parte); });
    connect(detectar_, &QPushButton::clicked, this, &DialogoImportarDatosCampo::detectarFormato);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(lista_, &QListWidget::itemDoubleClicked, this, &DialogoImportarDatosCampo::aceptarImportacion);
    connect(lista_, &QListWidget::itemSelectionChanged, this, [this] {
        const auto elegidos = lista_->selectedItems();
        logica_.seleccionar(elegidos.isEmpty() ? std::nullopt : std::optional<int>(lista_->row(elegidos.first())));
    });
}

DialogoImportarDatosCampo::~DialogoImportarDatosCampo() = default;

Respuesta DialogoImportarDatosCampo::AvisosSinProgreso::mensaje(std::string_view texto, std::string_view titulo,
                                                                 Botones botones, Icono icono) {
    d_.progreso_.reset();
    return d_.avisos_->mensaje(texto, titulo, botones, icono);
}

QString DialogoImportarDatosCampo::filtroQt(const FormatoImportacion& formato) {
    const QString nombre = desdeUtf8(formato.nombreFiltro).trimmed();
    const QString patron = patronQt(desdeUtf8(formato.patron));
    return nombre + QStringLiteral(" (") + patron + QStringLiteral(");;Todos los archivos (*)");
}

void DialogoImportarDatosCampo::elegirOrigen() {
    logica_.elegirOrigen(desdeEstacion_->isChecked() ? OrigenDatos::EstacionOLibreta : OrigenDatos::Fichero);
    cfg_->setEnabled(logica_.cfgHabilitado());
}

std::optional<std::filesystem::path> DialogoImportarDatosCampo::abrirFichero(const FormatoImportacion& formato,
                                                                            bool todos) {
    // An existing file; a name typed without extension is taken as ".cas".
    if (mapa_) {
        // Beside the book, shown as C:\..., the folder last imported from kept.
        return lugarFicheros(ajustes_, *mapa_).pedirEnAnfitrion(
            this, false, "cas", todos ? std::string("Todos los archivos (*.*) |*.*||") : filtroFormato(formato),
            "importar");
    }
    QFileDialog dialogo(this, QString(), QString(),
                        todos ? QStringLiteral("Todos los archivos (*)") : filtroQt(formato));
    dialogo.setAcceptMode(QFileDialog::AcceptOpen);
    dialogo.setFileMode(QFileDialog::ExistingFile);
    dialogo.setDefaultSuffix(QStringLiteral("cas"));
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return std::nullopt;
    const QString ruta = dialogo.selectedFiles().constFirst();
    if (ruta.isEmpty()) return std::nullopt;
    // Qt's own conversion: the system's 8-bit names, or wide ones on Windows.
    return QFileInfo(ruta).filesystemFilePath();
}

void DialogoImportarDatosCampo::aceptarImportacion() {
    const auto pedir = [this](const FormatoImportacion& formato, const std::string& filtro) {
        return pedirFichero_ ? pedirFichero_(formato, filtro) : abrirFichero(formato);
    };
    CImportarDatosCampo::Capturar capturar;
    if (mapa_)
        capturar = [this] {
            return ejecutarComunicacion(this, protocolo(), *mapa_, bandera_,
                                        *avisos_);
        };
    const ResultadoImportacion r = logica_.aceptar(pedir, capturar);
    progreso_.reset();
    if (r == ResultadoImportacion::Cerrar) accept();
}

bool DialogoImportarDatosCampo::progreso(double parte) {
    if (!progreso_) {
        progreso_ = std::make_unique<QProgressDialog>(QStringLiteral("Leyendo el fichero..."),
                                                      QStringLiteral("Cancelar"), 0, 1000, this);
        progreso_->setWindowModality(Qt::WindowModal);
        progreso_->setMinimumDuration(1000);
    }
    progreso_->setValue(static_cast<int>(parte * 1000));
    QCoreApplication::processEvents();
    return !progreso_->wasCanceled();
}

void DialogoImportarDatosCampo::detectarFormato() {
    const auto pedir = [this](const FormatoImportacion& formato, const std::string& filtro) {
        return pedirFichero_ ? pedirFichero_(formato, filtro) : abrirFichero(formato, true);
    };
    // The window names the format it chose, as the command line does, before
    // the read (whose messages then show over it).
    const ResultadoImportacion r = logica_.detectarEImportar(pedir, [this](const FormatoImportacion& formato) {
        formatoDetectado_->setText(desdeUtf8(textoFormatoElegido(formato)));
        formatoDetectado_->show();
        lista_->setCurrentRow(formato.indice);
    });
    progreso_.reset();
    if (r == ResultadoImportacion::Cerrar) accept();
}

std::optional<std::filesystem::path> DialogoImportarDatosCampo::rutaIni() const {
    if (!mapa_ || ajustes_.rutaFicheroAjustes.vista().empty()) return std::nullopt;
    return rutaAjustesPropios(mapa_->aAnfitrion(ajustes_.rutaFicheroAjustes.vista()));
}

ProtocoloComunicaciones DialogoImportarDatosCampo::protocolo() const {
    AjustesPropios ini;
    if (const auto ruta = rutaIni()) ini.cargar(*ruta);
    return ProtocoloComunicaciones::leer(ini);
}

void DialogoImportarDatosCampo::configurarPuerto() {
    if (!mapa_) {
        logica_.pulsarCfg();
        return;
    }
    DialogoProtocoloComunicaciones dialogo(protocolo(), *mapa_, this);
    if (dialogo.exec() != QDialog::Accepted) return;
    const auto ruta = rutaIni();
    if (!ruta) return;
    AjustesPropios ini;
    ini.cargar(*ruta);
    dialogo.protocolo().escribir(ini);
    if (!ini.guardar(*ruta))
        avisos_->mensaje("Error al grabar el fichero " + ruta->string(), "Protocolo de Comunicaciones",
                         Botones::Aceptar, Icono::Stop);
}

bool ejecutarImportarDatosCampo(QWidget* padre, CLibretaCampo& libreta, CDatosGenerales& ajustes,
                                std::uint8_t* bandera, const MapaRutas* mapa) {
    DialogoImportarDatosCampo dialogo(ajustes, libreta, bandera, padre, nullptr, mapa);
    return dialogo.exec() == QDialog::Accepted;
}

}  // namespace celvara::ui

#include "ui/output/imprimir_dialogo.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>
#include <cctype>

#include "fieldbook/codificacion.h"
#include "ui/comun/gestor_avisos_qt.h"
#include "ui/output/pintor_pagina.h"

namespace celvara::ui {

namespace {

QString qt(const std::string& cp1252) { return QString::fromStdString(cp1252AUtf8(cp1252)); }

// The sheet at 96 dots per inch.
constexpr double kPuntosPorTwip = 96.0 / 1440.0;

QPushButton* boton(const char* texto, const char* nombre, QWidget* padre) {
    auto* b = new QPushButton(QString::fromUtf8(texto), padre);
    b->setObjectName(QString::fromUtf8(nombre));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

VistaPagina::VistaPagina(QWidget* padre) : QWidget(padre) {
    setObjectName(QStringLiteral("vista"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void VistaPagina::mostrar(Pagina pagina, int zoom) {
    pagina_ = std::move(pagina);
    zoom_ = zoom;
    resize(sizeHint());
    update();
}

QSize VistaPagina::sizeHint() const {
    const double f = kPuntosPorTwip * zoom_ / 100.0;
    return QSize(static_cast<int>(kAnchoA4 * f + 0.5), static_cast<int>(kAltoA4 * f + 0.5));
}

void VistaPagina::paintEvent(QPaintEvent*) {
    QPainter p(this);
    pintarPagina(p, pagina_, QRectF(rect()));
}

// `texto` in UTF-8.
void DialogoImprimir::avisar(const std::string& texto) {
    AvisosQt avisos(this);
    static_cast<Avisos&>(avisos).mensaje(texto);
}

DialogoImprimir::DialogoImprimir(const CLibretaCampo& libreta, EntornoListado entorno, Listado listado,
                                 const Estacion* estacion, const Estacionamiento* estacionamiento,
                                 LugarFicheros lugar, QWidget* padre)
    : QDialog(padre),
      logica_(libreta, std::move(entorno), listado, estacion, estacionamiento),
      lugar_(std::move(lugar)) {
    construir();
}

DialogoImprimir::DialogoImprimir(const CLibretaCampo& libreta, std::string nombre, std::vector<Pagina> paginas,
                                 LugarFicheros lugar, QWidget* padre)
    : QDialog(padre), logica_(libreta, std::move(nombre), std::move(paginas)), lugar_(std::move(lugar)) {
    construir();
}

void DialogoImprimir::construir() {
    setWindowTitle(QStringLiteral("IMPRIMIR"));

    listado_ = new QComboBox(this);
    listado_->setObjectName(QStringLiteral("listado"));
    if (logica_.listadoFijo()) listado_->addItem(qt(logica_.nombreListadoFijo()));
    else
        for (const char* nombre : CImprimir::kNombresListados) listado_->addItem(qt(nombre));
    listado_->setEnabled(!logica_.listadoFijo());
    estaciones_ = new QListWidget(this);
    estaciones_->setObjectName(QStringLiteral("estaciones"));
    estacionamientos_ = new QListWidget(this);
    estacionamientos_->setObjectName(QStringLiteral("estacionamientos"));

    vista_ = new VistaPagina(this);
    desplazamiento_ = new QScrollArea(this);
    desplazamiento_->setWidget(vista_);
    desplazamiento_->setAlignment(Qt::AlignHCenter);
    desplazamiento_->setBackgroundRole(QPalette::Dark);

    textoPagina_ = new QLabel(this);
    textoPagina_->setObjectName(QStringLiteral("textoPagina"));
    auto* paginaMas = boton("+", "paginaMas", this);
    auto* paginaMenos = boton("-", "paginaMenos", this);
    auto* zoomMas = boton("+", "zoomMas", this);
    auto* zoomMenos = boton("-", "zoomMenos", this);
    auto* imprimir = boton("Imprimir...", "imprimir", this);
    auto* exportar = boton("Exportar...", "exportar", this);
    // In Spanish like every other button: a surveyor reads one language.
    auto* cancelar = boton("Cancelar", "cancelar", this);

    auto* izquierda = new QVBoxLayout;
    izquierda->addWidget(new QLabel(QStringLiteral("QUE IMPRIMIR :"), this));
    izquierda->addWidget(listado_);
    auto* rotuloEstaciones = new QLabel(QStringLiteral("Lista Estaciones:"), this);
    auto* rotuloEstacionamientos = new QLabel(QStringLiteral("Estacionamientos:"), this);
    izquierda->addWidget(rotuloEstaciones);
    izquierda->addWidget(estaciones_, 2);
    izquierda->addWidget(rotuloEstacionamientos);
    izquierda->addWidget(estacionamientos_, 1);
    // A listing made elsewhere has no station to choose.
    for (QWidget* w : {static_cast<QWidget*>(rotuloEstaciones), static_cast<QWidget*>(estaciones_),
                       static_cast<QWidget*>(rotuloEstacionamientos), static_cast<QWidget*>(estacionamientos_)})
        w->setVisible(!logica_.listadoFijo());
    if (logica_.listadoFijo()) izquierda->addStretch();
    auto* paginas = new QGridLayout;
    paginas->addWidget(textoPagina_, 0, 0);
    paginas->addWidget(paginaMenos, 0, 1);
    paginas->addWidget(paginaMas, 0, 2);
    paginas->addWidget(new QLabel(QStringLiteral("Zoom"), this), 1, 0);
    paginas->addWidget(zoomMenos, 1, 1);
    paginas->addWidget(zoomMas, 1, 2);
    izquierda->addLayout(paginas);
    izquierda->addWidget(imprimir);
    izquierda->addWidget(exportar);
    izquierda->addWidget(cancelar);
    auto* todo = new QHBoxLayout(this);
    todo->addLayout(izquierda);
    todo->addWidget(desplazamiento_, 1);
    resize(1000, 660);  // whole on a 1024 x 700 laptop

    // Fill the lists with the preselection, then show the listing.
    llenando_ = true;
    listado_->setCurrentIndex(static_cast<int>(logica_.listado()));
    for (const auto& n : logica_.nombresEstaciones()) estaciones_->addItem(qt(n));
    estaciones_->setCurrentRow(logica_.estacionElegida());
    llenando_ = false;
    llenarEstacionamientos();
    mostrar();

    connect(listado_, &QComboBox::currentIndexChanged, this, &DialogoImprimir::elegirListado);
    connect(estaciones_, &QListWidget::currentRowChanged, this, &DialogoImprimir::elegirEstacion);
    connect(estacionamientos_, &QListWidget::currentRowChanged, this, [this](int fila) {
        if (llenando_) return;
        logica_.elegirEstacionamiento(fila);
        mostrar();
    });
    connect(paginaMas, &QPushButton::clicked, this, [this] {
        logica_.paginaSiguiente();
        mostrar();
    });
    connect(paginaMenos, &QPushButton::clicked, this, [this] {
        logica_.paginaAnterior();
        mostrar();
    });
    connect(zoomMas, &QPushButton::clicked, this, [this] {
        logica_.zoomMas();
        mostrar();
    });
    connect(zoomMenos, &QPushButton::clicked, this, [this] {
        logica_.zoomMenos();
        mostrar();
    });
    connect(imprimir, &QPushButton::clicked, this, &DialogoImprimir::imprimir);
    connect(exportar, &QPushButton::clicked, this, &DialogoImprimir::exportar);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void DialogoImprimir::elegirListado(int indice) {
    logica_.elegirListado(indice);
    mostrar();
}

void DialogoImprimir::elegirEstacion(int fila) {
    if (llenando_) return;
    logica_.elegirEstacion(fila);
    llenarEstacionamientos();
    mostrar();
}

void DialogoImprimir::llenarEstacionamientos() {
    llenando_ = true;
    estacionamientos_->clear();
    for (const auto& n : logica_.nombresEstacionamientos()) estacionamientos_->addItem(qt(n));
    estacionamientos_->setCurrentRow(logica_.estacionamientoElegido());
    llenando_ = false;
}

void DialogoImprimir::mostrar() {
    estaciones_->setEnabled(logica_.listaEstacionesActiva());
    estacionamientos_->setEnabled(logica_.listaEstacionamientosActiva());
    vista_->mostrar(logica_.paginaActual(), logica_.zoom());
    textoPagina_->setText(qt(logica_.textoPagina()));
}

bool DialogoImprimir::imprimirEn(QPrinter& impresora) {
    std::vector<Pagina> paginas;
    for (int n = 1; n <= logica_.paginas(); ++n) paginas.push_back(logica_.paginaNumero(n));
    return imprimirPaginas(impresora, paginas);
}

bool DialogoImprimir::exportarA(std::filesystem::path ruta) {
    std::string extension = ruta.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".svg") return escribirSvg(ruta, logica_.paginaActual());
    if (extension.empty()) ruta += ".pdf";
    std::vector<Pagina> paginas;
    for (int n = 1; n <= logica_.paginas(); ++n) paginas.push_back(logica_.paginaNumero(n));
    return escribirPdf(ruta, paginas);
}

void DialogoImprimir::imprimir() {
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setPageSize(QPageSize(QPageSize::A4));
    QPrintDialog dialogo(&impresora, this);
    dialogo.setMinMax(1, logica_.paginas());
    dialogo.setOption(QAbstractPrintDialog::PrintPageRange);
    if (dialogo.exec() != QDialog::Accepted) return;
    if (impresora.printRange() != QPrinter::PageRange) impresora.setFromTo(0, 0);
    if (!imprimirEn(impresora)) avisar("Error al imprimir el listado");
}

void DialogoImprimir::exportar() {
    if (!lugar_.mapa) return;
    PeticionFichero p;
    p.guardar = true;
    p.confirmarSobrescribir = true;
    p.extension = "pdf";
    p.filtro = "Documento PDF, todas las páginas|*.pdf|Dibujo SVG, la página mostrada|*.svg||";
    p.recordar = "listados";
    const auto ruta = lugar_.pedir(this, p);
    if (!ruta || ruta->empty()) return;
    const std::filesystem::path destino = lugar_.anfitrion(QString::fromStdString(*ruta));
    if (!exportarA(destino)) {
        avisar("Error al grabar el fichero " + *ruta);
        return;
    }
    // Said, naming the file in the program's own form: the export leaves no other trace on screen.
    const bool svg = QFileInfo(QString::fromStdString(*ruta)).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0;
    std::string nombre = *ruta;
    if (!svg && destino.extension().empty()) nombre += ".pdf";
    avisar(svg ? "Página " + std::to_string(logica_.pagina()) + " exportada a " + nombre
               : std::to_string(logica_.paginas()) +
                     (logica_.paginas() == 1 ? " página exportada a " : " páginas exportadas a ") + nombre);
}

void abrirImprimir(QWidget* padre, const CLibretaCampo& libreta, const CDatosGenerales& ajustes, const MapaRutas& mapa,
                   Listado listado, const Estacion* estacion, const Estacionamiento* estacionamiento) {
    DialogoImprimir dialogo(libreta, entornoListado(ajustes, mapa), listado, estacion, estacionamiento,
                            lugarFicheros(ajustes, mapa), padre);
    dialogo.exec();
}

void abrirImprimir(QWidget* padre, const CLibretaCampo& libreta, const CDatosGenerales& ajustes, const MapaRutas& mapa,
                   std::string nombre, std::vector<Pagina> paginas) {
    DialogoImprimir dialogo(libreta, std::move(nombre), std::move(paginas), lugarFicheros(ajustes, mapa), padre);
    dialogo.exec();
}

}  // namespace celvara::ui

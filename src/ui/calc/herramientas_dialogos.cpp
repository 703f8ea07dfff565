#include "ui/calc/herramientas_dialogos.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QFont>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "datos/puntos_estaciones.h"
#include "fieldbook/codificacion.h"
#include "fieldbook/fichero_binario.h"
#include "fieldbook/numeros.h"
#include "ui/comun/dialogo_fichero_qt.h"
#include "ui/comun/gestor_informes_qt.h"

namespace celvara::ui {

namespace {

QString qs(std::string_view cp1252) { return QString::fromStdString(cp1252AUtf8(cp1252)); }
// The file named in an edit (C:\... as the window shows it) on the host.
std::filesystem::path ruta(const LugarFicheros& lugar, const QString& texto) { return lugar.anfitrion(texto); }
std::filesystem::path ruta(const LugarFicheros& lugar, const QLineEdit* e) { return lugar.anfitrion(e->text()); }

// Coordinate files start beside the book, shown as C:\..., the folder last used kept.
std::function<QString(bool, const QString&)> pedirCrd(QWidget* padre, LugarFicheros lugar) {
    return [padre, lugar](bool guardar, const QString&) {
        PeticionFichero p;
        p.guardar = guardar;
        p.extension = "crd";
        p.filtro = "Ficheros de coordenadas (*.crd) |*.crd||";
        p.debeExistir = !guardar;
        p.recordar = "coordenadas";
        const auto r = lugar.pedir(padre, p);
        return r ? QString::fromStdString(*r) : QString();
    };
}

// An edit with its "..." button.
QLineEdit* filaFichero(QGridLayout* g, int fila, const QString& etiqueta, std::function<QString()> pedir) {
    auto* e = new QLineEdit;
    auto* b = new QPushButton(QStringLiteral("..."));
    g->addWidget(new QLabel(etiqueta), fila, 0);
    g->addWidget(e, fila, 1);
    g->addWidget(b, fila, 2);
    QObject::connect(b, &QPushButton::clicked, e, [e, pedir] {
        if (const QString r = pedir(); !r.isEmpty()) e->setText(r);
    });
    return e;
}

QTableWidgetItem* celda(const QString& texto) {
    auto* c = new QTableWidgetItem(texto);
    c->setFlags(c->flags() & ~Qt::ItemIsEditable);
    return c;
}

QTableWidget* nuevaTabla(const QStringList& titulos) {
    auto* t = new QTableWidget(0, static_cast<int>(titulos.size()));
    t->setHorizontalHeaderLabels(titulos);
    t->verticalHeader()->hide();
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return t;
}

struct Boton {
    const char* nombre;
    const char* texto;
    std::function<void()> accion;
};
void botonera(QDialog* d, QHBoxLayout* fila, std::initializer_list<Boton> botones) {
    for (const Boton& b : botones) {
        auto* p = new QPushButton(QString::fromUtf8(b.texto));
        p->setObjectName(QString::fromUtf8(b.nombre));
        p->setAutoDefault(false);
        fila->addWidget(p);
        QObject::connect(p, &QPushButton::clicked, d, b.accion);
    }
}

// Appends to the settings' reports file and shows it.
void anadirInforme(const std::string& texto, const CDatosGenerales& ajustes, const MapaRutas& mapa, Avisos& avisos,
                   const std::function<void(const QString&)>& mostrar) {
    const std::filesystem::path r = mapa.aAnfitrion(ajustes.ficheroInformes.vista());
    if (!anadirAFichero(r, texto)) {
        avisos.mensaje("No se puede abrir el fichero de informe " + r.string());
        return;
    }
    if (mostrar) mostrar(QString::fromStdString(r.string()));
}

}  // namespace

// ---- Helmert 2D + h.

DialogoHelmert::DialogoHelmert(CLibretaCampo& libreta, CDatosGenerales& ajustes, const MapaRutas& mapa, Avisos& avisos,
                               QWidget* padre)
    : QDialog(padre), libreta_(libreta), ajustes_(ajustes), mapa_(mapa), avisos_(avisos) {
    setWindowTitle(QStringLiteral("Recalculo: Helmert 2D + h"));
    pedirFichero = pedirCrd(this, lugarFicheros(ajustes, mapa));
    mostrarInforme = [this](const QString& r) { mostrarInformeQt(this, mapa_, mapa_.aWindows(r.toStdString())); };
    auto* capa = new QVBoxLayout(this);
    auto* g = new QGridLayout;
    capa->addLayout(g);
    origen_ = filaFichero(g, 0, QStringLiteral("Origen"), [this] { return pedirFichero(false, QStringLiteral("Origen")); });
    libretaOrigen_ = new QCheckBox(QStringLiteral("Estaciones de la libreta"));
    g->addWidget(libretaOrigen_, 1, 1);
    connect(libretaOrigen_, &QCheckBox::toggled, origen_, &QLineEdit::setDisabled);
    destino_ = filaFichero(g, 2, QStringLiteral("Destino"), [this] { return pedirFichero(false, QStringLiteral("Destino")); });
    sinEscala_ = new QCheckBox(QStringLiteral("Sin escala (a² + b² = 1)"));
    g->addWidget(sinEscala_, 3, 1);
    tabla_ = nuevaTabla({QStringLiteral("Uso"), QStringLiteral("Punto"), QStringLiteral("vx"), QStringLiteral("vy"),
                         QStringLiteral("vz")});
    capa->addWidget(tabla_, 1);
    parametros_ = new QLabel;
    parametros_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    parametros_->setFont(QFont(QStringLiteral("Monospace")));
    capa->addWidget(parametros_);
    auto* botones = new QHBoxLayout;
    capa->addLayout(botones);
    botonera(this, botones,
             {{"comunes", "Puntos comunes", [this] { buscarComunes(); }},
              {"calcular", "CALCULAR", [this] { calcular(); }},
              {"aplicar", "APLICAR A FICHERO...", [this] { aplicar(); }},
              {"informe", "INFORME", [this] { informe(); }},
              {"salir", "S A L I R", [this] { reject(); }}});
    resize(560, 520);
}

bool DialogoHelmert::leer(EntradaHelmert& e) {
    e = {};
    e.sinEscala = sinEscala_->isChecked();
    if (libretaOrigen_->isChecked()) {
        for (const PuntoCoordenadas& p : puntosDeEstaciones(libreta_))
            if (p.x != 0 || p.y != 0) e.origen.push_back(p);
    } else if (leerListaPuntos(ruta(lugarFicheros(ajustes_, mapa_), origen_), e.origen) != Estado::Exito) {
        avisos_.mensaje("Error al leer el fichero de coordenadas " + origen_->text().trimmed().toStdString());
        return false;
    }
    if (leerListaPuntos(ruta(lugarFicheros(ajustes_, mapa_), destino_), e.destino) != Estado::Exito) {
        avisos_.mensaje("Error al leer el fichero de coordenadas " + destino_->text().trimmed().toStdString());
        return false;
    }
    return true;
}

bool DialogoHelmert::buscarComunes() {
    EntradaHelmert e;
    if (!leer(e)) return false;
    const ResultadoHelmert r = calcularHelmert(e);
    tabla_->setRowCount(0);
    for (const ResiduoHelmert& v : r.residuos) {
        const int f = tabla_->rowCount();
        tabla_->insertRow(f);
        auto* uso = new QTableWidgetItem;
        uso->setCheckState(Qt::Checked);
        tabla_->setItem(f, 0, uso);
        tabla_->setItem(f, 1, celda(qs(v.nombre)));
    }
    if (r.residuos.size() < 2) avisos_.mensaje(kMensajePocosPuntosComunes);
    return r.residuos.size() >= 2;
}

bool DialogoHelmert::calcular() {
    if (tabla_->rowCount() == 0 && !buscarComunes()) return false;
    EntradaHelmert e;
    if (!leer(e)) return false;
    for (int f = 0; f < tabla_->rowCount(); ++f)
        if (tabla_->item(f, 0)->checkState() == Qt::Checked)
            e.elegidos.push_back(utf8ACp1252(tabla_->item(f, 1)->text().toStdString()));
    if (e.elegidos.empty()) e.elegidos.push_back({});  // none ticked: none used
    resultado_ = calcularHelmert(e);
    calculado_ = !resultado_.error;
    for (int f = 0; f < tabla_->rowCount(); ++f)
        for (int c = 2; c < 5; ++c) tabla_->setItem(f, c, celda({}));
    if (resultado_.error) {
        parametros_->clear();
        avisos_.mensaje(resultado_.error);
        return false;
    }
    // The residuals beside their names; beyond 3σ in red.
    std::size_t i = 0;
    for (int f = 0; f < tabla_->rowCount() && i < resultado_.residuos.size(); ++f) {
        const ResiduoHelmert& v = resultado_.residuos[i];
        if (tabla_->item(f, 1)->text() != qs(v.nombre)) continue;
        ++i;
        for (int c = 2; c < 5; ++c) {
            QTableWidgetItem* x = celda(QString::fromStdString(formatear("%1.4lf", c == 2 ? v.vx : c == 3 ? v.vy : v.vz)));
            if (v.marcado) x->setForeground(Qt::red);
            tabla_->setItem(f, c, x);
        }
    }
    const ResultadoHelmert& r = resultado_;
    parametros_->setText(QString::fromStdString(
        formatear("tx = %1.4lf ± %1.4lf   ty = %1.4lf ± %1.4lf\n", r.tx, r.stx, r.ty, r.sty) +
        formatear("a = %1.10lf ± %1.10lf   b = %1.10lf ± %1.10lf\n", r.a, r.sa, r.b, r.sb) +
        formatear("dz = %1.4lf ± %1.4lf   escala = %1.9lf   giro = %1.6lf g\n", r.dz, r.sdz, r.escala, r.giro) +
        formatear("sigma0 = %1.4lf m   sigma Z = %1.4lf m   redundancia %d", r.sigma0, r.sigmaZ, r.redundancia)));
    return true;
}

bool DialogoHelmert::aplicar() {
    if (!calculado_ && !calcular()) return false;
    const QString entrada = pedirFichero(false, QStringLiteral("Fichero a transformar"));
    if (entrada.isEmpty()) return false;
    const QString salida = pedirFichero(true, QStringLiteral("Fichero transformado"));
    if (salida.isEmpty()) return false;
    ListaRegistrosCoordenadas registros;
    if (!leerFicheroCoordenadas(ruta(lugarFicheros(ajustes_, mapa_), entrada), registros)) {
        avisos_.mensaje("Error al leer el fichero de coordenadas " + entrada.toStdString());
        return false;
    }
    aplicarHelmert(resultado_, registros);
    if (!escribirFicheroCoordenadas(registros, ruta(lugarFicheros(ajustes_, mapa_), salida))) {
        avisos_.mensaje("Error al grabar el fichero " + salida.toStdString());
        return false;
    }
    avisos_.mensaje(formatear("%zu puntos transformados en ", registros.size()) + salida.toStdString());
    return true;
}

void DialogoHelmert::informe() {
    if (!calculado_ && !calcular()) return;
    anadirInforme(textoInformeHelmert(resultado_), ajustes_, mapa_, avisos_, mostrarInforme);
}

// ---- Point refinement.

DialogoRefinamiento::DialogoRefinamiento(CLibretaCampo& libreta, CDatosGenerales& ajustes, const MapaRutas& mapa,
                                         Avisos& avisos, QWidget* padre)
    : QDialog(padre), libreta_(libreta), ajustes_(ajustes), mapa_(mapa), avisos_(avisos),
      instrumentos_(nullptr, avisos) {
    setWindowTitle(QStringLiteral("Refinamiento Puntos"));
    AvisosSilenciosos silencio;
    hayBiblioteca_ = cargarInstrumentos(biblioteca_, rutaInstrumentos(ajustes, mapa), silencio) == Estado::Exito;
    instrumentos_.cambiarLista(hayBiblioteca_ ? &biblioteca_ : nullptr);
    pedirFichero = pedirCrd(this, lugarFicheros(ajustes, mapa));
    mostrarInforme = [this](const QString& r) { mostrarInformeQt(this, mapa_, mapa_.aWindows(r.toStdString())); };
    auto* capa = new QVBoxLayout(this);
    tabla_ = nuevaTabla({QStringLiteral("Punto"), QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z"),
                         QStringLiteral("sx"), QStringLiteral("sy"), QStringLiteral("n"), QStringLiteral("Dispersión")});
    capa->addWidget(tabla_, 1);
    capa->addWidget(new QLabel(QStringLiteral("Posibles errores (|w| > 3.29)")));
    errores_ = new QPlainTextEdit;
    errores_->setReadOnly(true);
    errores_->setMaximumBlockCount(100000);
    capa->addWidget(errores_);
    auto* g = new QGridLayout;
    capa->addLayout(g);
    destino_ = filaFichero(g, 0, QStringLiteral("Fichero de coordenadas"),
                           [this] { return pedirFichero(true, QStringLiteral("Puntos refinados")); });
    auto* botones = new QHBoxLayout;
    capa->addLayout(botones);
    botonera(this, botones,
             {{"calcular", "CALCULAR", [this] { calcular(); }},
              {"grabar", "GRABAR", [this] { grabar(); }},
              {"informe", "INFORME", [this] { informe(); }},
              {"salir", "S A L I R", [this] { reject(); }}});
    resize(640, 520);
}

bool DialogoRefinamiento::calcular() {
    resultado_ = refinarPuntos({&libreta_, &ajustes_, hayBiblioteca_ ? &biblioteca_ : nullptr, &instrumentos_});
    tabla_->setRowCount(0);
    errores_->clear();
    if (!resultado_.calculado) {
        if (!resultado_.error.empty()) avisos_.mensaje(resultado_.error);
        return false;
    }
    for (const PuntoRefinado& p : resultado_.puntos) {
        const int f = tabla_->rowCount();
        tabla_->insertRow(f);
        tabla_->setItem(f, 0, celda(qs(p.nombre)));
        const double valores[] = {p.x, p.y, p.z, p.sx, p.sy};
        for (int c = 0; c < 5; ++c)
            tabla_->setItem(f, c + 1, celda(QString::fromStdString(formatear("%1.4lf", valores[c]))));
        tabla_->setItem(f, 6, celda(QString::number(p.usadas())));
        tabla_->setItem(f, 7, celda(QString::fromStdString(formatear("%1.4lf", p.dispersion))));
    }
    for (const PosibleError& e : resultado_.posiblesErrores)
        errores_->appendPlainText(qs(e.estacionamiento) + QStringLiteral(" -> ") + qs(e.punto) +
                                  (e.distancia ? QStringLiteral("  distancia") : QStringLiteral("  dirección")) +
                                  QString::fromStdString(formatear("  w = %1.2lf", e.w)));
    if (!resultado_.sinOrientar.empty()) {
        QString nombres;
        for (const std::string& s : resultado_.sinOrientar) nombres += QStringLiteral(" «") + qs(s) + QStringLiteral("»");
        errores_->appendPlainText(QStringLiteral("Estacionamientos con desorientación 0 (¿sin orientar?):") + nombres);
    }
    for (const std::string& o : resultado_.omitidas) errores_->appendPlainText(QString::fromStdString(o));
    if (resultado_.puntos.empty())
        avisos_.mensaje("Ningún punto visado desde dos o más estacionamientos de estaciones con coordenadas");
    return true;
}

bool DialogoRefinamiento::grabar() {
    if (!resultado_.calculado && !calcular()) return false;
    if (destino_->text().trimmed().isEmpty()) {
        const QString r = pedirFichero(true, QStringLiteral("Puntos refinados"));
        if (r.isEmpty()) return false;
        destino_->setText(r);
    }
    if (escribirListaPuntos(puntosRefinados(resultado_), ruta(lugarFicheros(ajustes_, mapa_), destino_)) != Estado::Exito) {
        avisos_.mensaje("Error al grabar el fichero " + destino_->text().trimmed().toStdString());
        return false;
    }
    return true;
}

void DialogoRefinamiento::informe() {
    if (!resultado_.calculado && !calcular()) return;
    anadirInforme(textoInformeRefinamiento(resultado_), ajustes_, mapa_, avisos_, mostrarInforme);
}

}  // namespace celvara::ui

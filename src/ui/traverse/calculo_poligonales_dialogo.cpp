#include "ui/traverse/calculo_poligonales_dialogo.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include "fieldbook/codificacion.h"
#include "fieldbook/numeros.h"
#include "ui/calc/reduccion_elipsoide_dialogo.h"
#include "ui/comun/dialogo_fichero_qt.h"
#include "ui/comun/elegir_lista_dialogo.h"
#include "ui/datos/datos_trabajo_dialogo.h"
#include "ui/datos/instrumentos_dialogos.h"
#include "ui/rejilla/rejilla.h"
#include "ui/traverse/resultado_poligonal_dialogo.h"
#include "ui/traverse/tolerancias_dialogos.h"

namespace celvara::ui {

namespace {

QString qs(const std::string& utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }
QString qs1252(std::string_view bytes) { return qs(cp1252AUtf8(bytes)); }
std::string utf8(const QString& s) { return s.toUtf8().toStdString(); }

void llenarLista(QListWidget* lista, const std::vector<std::string>& nombres, int elegido) {
    const QSignalBlocker bloqueo(lista);
    lista->clear();
    for (const auto& n : nombres) lista->addItem(qs1252(n));
    if (elegido >= 0 && elegido < lista->count()) lista->setCurrentRow(elegido);
}

const char* const kTipos[3] = {"Abierta Encuadrada", "Abierta Colgada", "Cerrada Poligono"};
const char* const kBessel[3] = {"C. Inverso H", "C. Inverso V", "C. Inverso Dist"};

// The type radio buttons and the "Regla Bessel" boxes, shared by the
// workbench and the assembly dialog.
QWidget* grupoTipoBessel(QWidget* padre, std::array<QRadioButton*, 3>& tipos, std::array<QCheckBox*, 3>& bessel) {
    auto* caja = new QWidget(padre);
    auto* capa = new QHBoxLayout(caja);
    capa->setContentsMargins(0, 0, 0, 0);
    auto* grupoTipo = new QGroupBox(QStringLiteral("Tipo de Poligonal"), caja);
    auto* capaTipo = new QVBoxLayout(grupoTipo);
    auto* botones = new QButtonGroup(caja);
    for (int k = 0; k < 3; ++k) {
        tipos[k] = new QRadioButton(QString::fromUtf8(kTipos[k]), grupoTipo);
        tipos[k]->setObjectName(QStringLiteral("tipo%1").arg(k));
        botones->addButton(tipos[k], k);
        capaTipo->addWidget(tipos[k]);
    }
    auto* grupoBessel = new QGroupBox(QStringLiteral("Regla Bessel"), caja);
    auto* capaBessel = new QVBoxLayout(grupoBessel);
    const char* nombres[3] = {"besselH", "besselV", "besselD"};
    for (int k = 0; k < 3; ++k) {
        bessel[k] = new QCheckBox(QString::fromUtf8(kBessel[k]), grupoBessel);
        bessel[k]->setObjectName(QString::fromUtf8(nombres[k]));
        capaBessel->addWidget(bessel[k]);
    }
    capa->addWidget(grupoTipo);
    capa->addWidget(grupoBessel);
    capa->addStretch();
    return caja;
}

}  // namespace

// ---- "RECOGER OBSERVACIONES DE LA BASE DE DATOS".
DialogoRecogerObservaciones::DialogoRecogerObservaciones(const CLibretaCampo& libreta, FilasPoligonal& filas,
                                                         ReferenciaPoligonal& ref, Avisos& avisos, QWidget* padre)
    : QDialog(padre),
      logica_(libreta, filas, ref, avisos),
      salida_(new QComboBox(this)),
      recorrido_(new QListWidget(this)),
      estacionamientos_(new QListWidget(this)),
      visadas_(new QListWidget(this)) {
    setObjectName(QStringLiteral("dialogoRecogerObservaciones"));
    setWindowTitle(QStringLiteral("RECOGER OBSERVACIONES DE LA BASE DE DATOS"));
    salida_->setObjectName(QStringLiteral("salida"));
    recorrido_->setObjectName(QStringLiteral("recorrido"));
    estacionamientos_->setObjectName(QStringLiteral("estacionamientos"));
    visadas_->setObjectName(QStringLiteral("visadas"));

    auto* capa = new QVBoxLayout(this);
    auto* arriba = new QHBoxLayout;
    arriba->addWidget(new QLabel(QStringLiteral("ESTACION SALIDA:"), this));
    arriba->addWidget(salida_, 1);
    capa->addLayout(arriba);
    auto* listas = new QGridLayout;
    listas->addWidget(new QLabel(QStringLiteral("Estaciones que Forman la Poligonal:"), this), 0, 0);
    listas->addWidget(new QLabel(QStringLiteral("Estacionamientos"), this), 0, 1);
    listas->addWidget(new QLabel(QStringLiteral("Estaciones Visadas"), this), 0, 3);
    listas->addWidget(recorrido_, 1, 0);
    listas->addWidget(estacionamientos_, 1, 1);
    auto* botonAnadir = new QPushButton(QStringLiteral("<=="), this);
    botonAnadir->setObjectName(QStringLiteral("anadir"));
    botonAnadir->setAutoDefault(false);
    listas->addWidget(botonAnadir, 1, 2);
    listas->addWidget(visadas_, 1, 3);
    listas->addWidget(new QLabel(QStringLiteral("Doble click para añadir la estación a la poligonal"), this), 2, 3);
    capa->addLayout(listas, 1);
    capa->addWidget(grupoTipoBessel(this, tipos_, bessel_));
    auto* botones = new QHBoxLayout;
    auto* borrar = new QPushButton(QStringLiteral("Borrar"), this);
    auto* fin = new QPushButton(QStringLiteral("Finalizar POLIGONAL"), this);
    auto* cancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    fin->setObjectName(QStringLiteral("finalizar"));
    for (auto* b : {borrar, fin, cancelar}) {
        b->setAutoDefault(false);
        botones->addWidget(b);
    }
    capa->addLayout(botones);

    for (const auto& n : logica_.estacionesLibreta()) salida_->addItem(qs1252(n));
    const int tipo = static_cast<int>(logica_.tipo);
    tipos_[tipo >= 0 && tipo < 3 ? tipo : 0]->setChecked(true);
    bessel_[0]->setChecked(logica_.besselH);
    bessel_[1]->setChecked(logica_.besselV);
    bessel_[2]->setChecked(logica_.besselD);

    connect(salida_, &QComboBox::activated, this, [this](int i) {
        logica_.elegirSalida(static_cast<std::size_t>(i));
        mostrar();
    });
    connect(recorrido_, &QListWidget::currentRowChanged, this, [this](int i) {
        if (i < 0) return;
        logica_.elegirEstacion(static_cast<std::size_t>(i));
        mostrar();
    });
    connect(estacionamientos_, &QListWidget::currentRowChanged, this, [this](int i) {
        if (i < 0) return;
        logica_.elegirEstacionamiento(static_cast<std::size_t>(i));
        mostrar();
    });
    connect(visadas_, &QListWidget::currentRowChanged, this, [this](int i) {
        if (i >= 0) logica_.elegirVisada(static_cast<std::size_t>(i));
    });
    connect(visadas_, &QListWidget::itemDoubleClicked, this, [this] { anadir(); });
    connect(botonAnadir, &QPushButton::clicked, this, &DialogoRecogerObservaciones::anadir);
    connect(fin, &QPushButton::clicked, this, &DialogoRecogerObservaciones::finalizar);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);

    preparado_ = logica_.abrir();
    mostrar();
}

void DialogoRecogerObservaciones::mostrar() {
    llenarLista(recorrido_, logica_.recorrido(), logica_.actual());
    llenarLista(estacionamientos_, logica_.estacionamientos(), logica_.estacionamiento());
    llenarLista(visadas_, logica_.visadas(), logica_.visada());
    if (!logica_.recorrido().empty()) {
        const QSignalBlocker bloqueo(salida_);
        salida_->setCurrentText(qs1252(logica_.recorrido().front()));
    }
}

void DialogoRecogerObservaciones::anadir() {
    if (logica_.anadir()) mostrar();
}

void DialogoRecogerObservaciones::finalizar() {
    for (int k = 0; k < 3; ++k)
        if (tipos_[k]->isChecked()) logica_.tipo = static_cast<TipoPoligonal>(k);
    logica_.besselH = bessel_[0]->isChecked();
    logica_.besselV = bessel_[1]->isChecked();
    logica_.besselD = bessel_[2]->isChecked();
    if (logica_.finalizar()) accept();
}

// ---- "REFERENCIAR POLIGONAL".
DialogoReferenciarPoligonal::DialogoReferenciarPoligonal(const CLibretaCampo& libreta, ReferenciaPoligonal& ref,
                                                         Avisos& avisos, double circulo, QWidget* padre)
    : QDialog(padre), logica_(libreta, ref, avisos, circulo) {
    setObjectName(QStringLiteral("dialogoReferenciarPoligonal"));
    setWindowTitle(QStringLiteral("REFERENCIAR POLIGONAL"));
    auto* capa = new QVBoxLayout(this);
    auto* extremos = new QHBoxLayout;
    for (int e = 0; e < 2; ++e) extremos->addWidget(crearExtremo(e));
    capa->addLayout(extremos);
    auto* botones = new QDialogButtonBox(this);
    botones->addButton(QStringLiteral("Aceptar"), QDialogButtonBox::AcceptRole);
    botones->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    connect(botones, &QDialogButtonBox::accepted, this, &DialogoReferenciarPoligonal::aceptar);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    capa->addWidget(botones);
    mostrar();
}

namespace {
const char* const kRotulosExtremo[8] = {"Estación", "X =", "Y =", "Z =", "Referencia", "Acimut  =", "Lectura =",
                                        "Desorientación"};
QString ladoExtremo(int e) { return e == 0 ? QStringLiteral("Partida") : QStringLiteral("Llegada"); }
}  // namespace

// A field of an end with its "..." button, in one row.
QHBoxLayout* DialogoReferenciarPoligonal::conBoton(int e, int k, const QString& nombre, QPushButton*& boton) {
    auto* fila = new QHBoxLayout;
    boton = new QPushButton(QStringLiteral("..."), campos_[e][k]->parentWidget());
    boton->setObjectName(nombre + ladoExtremo(e));
    boton->setAutoDefault(false);
    fila->addWidget(campos_[e][k], 1);
    fila->addWidget(boton);
    return fila;
}

// "ESTACION DE PARTIDA:" or "ESTACION DE LLEGADA:": station and coordinates,
// then the orientation; the end is usable only where the type has one.
QGroupBox* DialogoReferenciarPoligonal::crearExtremo(int e) {
    auto* grupo = new QGroupBox(e == 0 ? QStringLiteral("ESTACION DE PARTIDA:") : QStringLiteral("ESTACION DE LLEGADA:"),
                                this);
    auto* forma = new QFormLayout(grupo);
    for (int k = 0; k < 8; ++k) {
        campos_[e][k] = new QLineEdit(grupo);
        campos_[e][k]->setObjectName(QStringLiteral("%1%2").arg(e == 0 ? "partida" : "llegada").arg(k));
    }
    BotonesExtremo b;
    forma->addRow(QString::fromUtf8(kRotulosExtremo[0]), conBoton(e, 0, QStringLiteral("elegirEstacion"), b.estacion));
    for (int k = 1; k <= 3; ++k) forma->addRow(QString::fromUtf8(kRotulosExtremo[k]), campos_[e][k]);
    forma->addRow(crearOrientacion(e, grupo, b));
    conectarExtremo(e, b);
    grupo->setEnabled(e == 0 || logica_.llegadaActiva());
    return grupo;
}

// "ORIENTACION": a set-up's orientation, or one computed with a reference;
// each mode works its own fields.
QGroupBox* DialogoReferenciarPoligonal::crearOrientacion(int e, QWidget* grupo, BotonesExtremo& b) {
    auto* orientacion = new QGroupBox(QStringLiteral("ORIENTACION"), grupo);
    auto* forma = new QFormLayout(orientacion);
    auto* desorientacion = new QRadioButton(QStringLiteral("Desorientación"), orientacion);
    auto* conReferencia = new QRadioButton(QStringLiteral("Con Referencia"), orientacion);
    desorientacion->setObjectName(QStringLiteral("desorientacion") + ladoExtremo(e));
    conReferencia->setObjectName(QStringLiteral("conReferencia") + ladoExtremo(e));
    auto* modos = new QButtonGroup(orientacion);
    modos->addButton(desorientacion);
    modos->addButton(conReferencia);
    forma->addRow(desorientacion);
    forma->addRow(QString::fromUtf8(kRotulosExtremo[7]),
                  conBoton(e, 7, QStringLiteral("elegirEstacionamiento"), b.estacionamiento));
    forma->addRow(conReferencia);
    forma->addRow(QString::fromUtf8(kRotulosExtremo[4]), conBoton(e, 4, QStringLiteral("elegirReferencia"), b.referencia));
    forma->addRow(QString::fromUtf8(kRotulosExtremo[5]), campos_[e][5]);
    forma->addRow(QString::fromUtf8(kRotulosExtremo[6]), campos_[e][6]);

    auto modo = [this, e, b](bool referencia) {
        campos_[e][7]->setReadOnly(referencia);
        b.estacionamiento->setEnabled(!referencia);
        for (int k = 4; k <= 6; ++k) campos_[e][k]->setEnabled(referencia);
        b.referencia->setEnabled(referencia);
    };
    connect(conReferencia, &QRadioButton::toggled, this, modo);
    desorientacion->setChecked(true);
    modo(false);
    return orientacion;
}

// Names typed are looked up when the field is left; the "..." buttons open
// the pickers; azimuth and reading recompute the orientation.
void DialogoReferenciarPoligonal::conectarExtremo(int e, const BotonesExtremo& b) {
    for (int k : {0, 4})
        connect(campos_[e][k], &QLineEdit::editingFinished, this, [this, e, k] {
            if (!campos_[e][k]->isModified()) return;
            campos_[e][k]->setModified(false);
            leer();
            auto& ext = extremo(e);
            if (k == 0) logica_.elegirEstacion(ext, utf8(campos_[e][k]->text()));
            else logica_.elegirReferencia(ext, utf8(campos_[e][k]->text()));
            mostrar();
        });
    connect(b.estacion, &QPushButton::clicked, this, [this, e] { elegirDeEstaciones(e, false); });
    connect(b.referencia, &QPushButton::clicked, this, [this, e] { elegirDeEstaciones(e, true); });
    connect(b.estacionamiento, &QPushButton::clicked, this, [this, e] {
        leer();
        const CElegirEstacionamiento lista = logica_.estacionamientos(extremo(e));
        const auto linea = DialogoElegirLista::elegir(this, QString::fromUtf8(CElegirEstacionamiento::kTitulo),
                                                      QString::fromUtf8(CElegirEstacionamiento::kIndicacion),
                                                      lista.lineas());
        const Estacionamiento* s = linea ? lista.elegir(*linea) : nullptr;
        if (!s) return;
        logica_.elegirEstacionamiento(extremo(e), *s);
        mostrar();
    });
    for (int k : {5, 6})
        connect(campos_[e][k], &QLineEdit::textEdited, this, [this, e] {
            leer();
            logica_.recalcular(extremo(e));
            campos_[e][7]->setText(qs(extremo(e).desorientacion));
        });
}

// The station and the reference station come from the same list.
void DialogoReferenciarPoligonal::elegirDeEstaciones(int e, bool referencia) {
    const CElegirEstacion lista = logica_.estaciones();
    const auto linea = DialogoElegirLista::elegir(this, QString::fromUtf8(CElegirEstacion::kTitulo), {}, lista.lineas());
    const Estacion* est = linea ? lista.elegir(*linea) : nullptr;
    if (!est) return;
    leer();
    if (referencia) logica_.elegirReferencia(extremo(e), *est);
    else logica_.elegirEstacion(extremo(e), *est);
    mostrar();
}

void DialogoReferenciarPoligonal::leer() {
    for (int e = 0; e < 2; ++e) {
        auto& ext = e == 0 ? logica_.partida : logica_.llegada;
        std::string* textos[8] = {&ext.estacion, &ext.x, &ext.y, &ext.z, &ext.referencia, &ext.acimut, &ext.lectura,
                                  &ext.desorientacion};
        for (int k = 0; k < 8; ++k) *textos[k] = utf8(campos_[e][k]->text());
    }
}

void DialogoReferenciarPoligonal::mostrar() {
    for (int e = 0; e < 2; ++e) {
        const auto& ext = e == 0 ? logica_.partida : logica_.llegada;
        const std::string* textos[8] = {&ext.estacion, &ext.x, &ext.y, &ext.z, &ext.referencia, &ext.acimut,
                                        &ext.lectura, &ext.desorientacion};
        for (int k = 0; k < 8; ++k) campos_[e][k]->setText(qs(*textos[k]));
    }
}

void DialogoReferenciarPoligonal::aceptar() {
    leer();
    logica_.aceptar();
    accept();
}

// ---- Station data of a row.
CamposDatosEstacion::CamposDatosEstacion(const DatosComplementarios& datos, QWidget* padre)
    : QWidget(padre),
      datos_(datos),
      distancias_(new QComboBox(this)),
      vertical_(new QComboBox(this)),
      unidad_(new QComboBox(this)),
      unidadDistancia_(new QComboBox(this)),
      instrumento_(new QLineEdit(qs1252(datos.instrumento.vista()), this)),
      operador_(new QLineEdit(qs1252(datos.operador.vista()), this)),
      dia_(new QLineEdit(qs1252(datos.dia.vista()), this)),
      hora_(new QLineEdit(qs1252(datos.hora.vista()), this)),
      temperatura_(new QLineEdit(QString::number(datos.temperatura), this)),
      presion_(new QLineEdit(QString::number(datos.presion), this)),
      ppm_(new QLineEdit(QString::number(datos.ppm), this)),
      comentarios_(new QLineEdit(qs1252(datos.comentarios.vista()), this)),
      esfRefr_(new QCheckBox(QStringLiteral("Datos YA Correg de Esf-Refr"), this)),
      tempPres_(new QCheckBox(QStringLiteral("Datos YA Correg de Temp-Pres"), this)) {
    instrumento_->setObjectName(QStringLiteral("instrumento"));
    temperatura_->setObjectName(QStringLiteral("temperatura"));
    distancias_->addItems({QStringLiteral("GEOMETRICAS"), QStringLiteral("GENERADORES"),
                           QStringLiteral("Reducidas/Desnivel"), QStringLiteral("Reducidas/Vertical")});
    vertical_->addItems({QStringLiteral("ZENITAL"), QStringLiteral("INCLINACION"), QStringLiteral("NADIRAL")});
    unidad_->addItems({QStringLiteral("Centesimal"), QStringLiteral("Sexagesimal")});
    unidadDistancia_->addItems({QStringLiteral("Metros"), QStringLiteral("Yardas")});
    distancias_->setCurrentIndex(datos.tipoDistancia);
    vertical_->setCurrentIndex(datos.tipoVertical);
    unidad_->setCurrentIndex(datos.unidadAngular == kSexagesimal ? 1 : 0);
    unidadDistancia_->setCurrentIndex(datos.unidadDistancia == 1 ? 1 : 0);
    esfRefr_->setChecked(datos.corregidoEsfRefr);
    tempPres_->setChecked(datos.corregidoTempPres);
    auto* forma = new QFormLayout(this);
    forma->addRow(QStringLiteral("INSTRUMENTO"), instrumento_);
    forma->addRow(QStringLiteral("Operador"), operador_);
    forma->addRow(QStringLiteral("Día"), dia_);
    forma->addRow(QStringLiteral("Hora"), hora_);
    forma->addRow(QStringLiteral("Temperatura"), temperatura_);
    forma->addRow(QStringLiteral("Presión"), presion_);
    forma->addRow(QStringLiteral("ppm"), ppm_);
    forma->addRow(QStringLiteral("Comentarios"), comentarios_);
    forma->addRow(QStringLiteral("DISTANCIAS"), distancias_);
    forma->addRow(QStringLiteral("VERTICAL"), vertical_);
    forma->addRow(QStringLiteral("Angular:"), unidad_);
    forma->addRow(QStringLiteral("Distancias :"), unidadDistancia_);
    forma->addRow(esfRefr_);
    forma->addRow(tempPres_);
}

DatosComplementarios CamposDatosEstacion::leer() const {
    DatosComplementarios d = datos_;
    d.instrumento = utf8ACp1252(utf8(instrumento_->text()));
    d.operador = utf8ACp1252(utf8(operador_->text()));
    d.dia = utf8ACp1252(utf8(dia_->text()));
    d.hora = utf8ACp1252(utf8(hora_->text()));
    d.temperatura = textoAEntero(utf8(temperatura_->text()));
    d.presion = textoAEntero(utf8(presion_->text()));
    d.ppm = textoAEntero(utf8(ppm_->text()));
    d.comentarios = utf8ACp1252(utf8(comentarios_->text()));
    d.tipoDistancia = distancias_->currentIndex();
    d.tipoVertical = vertical_->currentIndex();
    d.unidadAngular = unidad_->currentIndex() == 1 ? kSexagesimal : kCentesimal;
    d.unidadDistancia = unidadDistancia_->currentIndex();
    d.corregidoEsfRefr = esfRefr_->isChecked();
    d.corregidoTempPres = tempPres_->isChecked();
    return d;
}

namespace {
QDialogButtonBox* aceptarCancelar(QDialog* d) {
    auto* botones = new QDialogButtonBox(d);
    botones->addButton(QStringLiteral("Aceptar"), QDialogButtonBox::AcceptRole);
    botones->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    QObject::connect(botones, &QDialogButtonBox::rejected, d, &QDialog::reject);
    return botones;
}
}  // namespace

DialogoDatosEstacionPoligonal::DialogoDatosEstacionPoligonal(EstacionPoligonal& fila, QWidget* padre)
    : QDialog(padre), fila_(fila), datos_(new CamposDatosEstacion(fila.datos, this)) {
    setObjectName(QStringLiteral("dialogoDatosEstacionPoligonal"));
    setWindowTitle(QStringLiteral("DATOS COMPLEMENTARIOS A LA ESTACION DE LA POLIGONAL"));
    auto* capa = new QVBoxLayout(this);
    capa->addWidget(new QLabel(QStringLiteral("ESTACIONAMIENTO : ") + qs1252(fila.estacionamiento.vista()), this));
    capa->addWidget(new QLabel(QStringLiteral("ESTACION : ") + qs1252(fila.estacion.vista()), this));
    capa->addWidget(datos_);
    auto* botones = aceptarCancelar(this);
    connect(botones, &QDialogButtonBox::accepted, this, &DialogoDatosEstacionPoligonal::aceptar);
    capa->addWidget(botones);
}

void DialogoDatosEstacionPoligonal::aceptar() {
    fila_.datos = datos_->leer();
    accept();
}

// ---- "CONFIGURAR POLIGONAL".
DialogoConfigurarPoligonal::DialogoConfigurarPoligonal(CCalculoPoligonales& logica, const CDatosGenerales& ajustes,
                                                       QWidget* padre)
    : QDialog(padre),
      logica_(logica),
      metodo_(new QComboBox(this)),
      proyeccion_(new QComboBox(this)),
      decimales_(new QComboBox(this)),
      escala_(new QLineEdit(this)),
      datos_(new CamposDatosEstacion(ajustes.datosPorDefecto, this)) {
    setObjectName(QStringLiteral("dialogoConfigurarPoligonal"));
    setWindowTitle(QStringLiteral("CONFIGURAR POLIGONAL"));
    metodo_->setObjectName(QStringLiteral("metodo"));
    escala_->setObjectName(QStringLiteral("escala"));
    for (const char* m : CCalculoPoligonales::kMetodos) metodo_->addItem(QString::fromUtf8(m));
    proyeccion_->addItems({QStringLiteral("Planas"), QStringLiteral("UTM ED-50"), QStringLiteral("UTM WGS84")});
    decimales_->addItems({QStringLiteral("0."), QStringLiteral("0.0"), QStringLiteral("0.00"), QStringLiteral("0.000"),
                          QStringLiteral("0.0000")});
    const ConfiguracionPoligonal c = logica_.configuracion();
    metodo_->setCurrentIndex(static_cast<int>(c.metodo));
    proyeccion_->setCurrentIndex(static_cast<int>(c.proyeccion));
    decimales_->setCurrentIndex(c.decimales);
    escala_->setText(qs(formatear("%1.10lf", c.escala)));

    auto* capa = new QVBoxLayout(this);
    auto* forma = new QFormLayout;
    forma->addRow(QStringLiteral("Método de Compensación:"), metodo_);
    forma->addRow(QStringLiteral("Proyección"), proyeccion_);
    forma->addRow(QStringLiteral("Decimales Compensación Angular:"), decimales_);
    auto* filaEscala = new QHBoxLayout;
    auto* reduccion = new QPushButton(QStringLiteral("Reduc Dist Elips"), this);
    reduccion->setAutoDefault(false);
    filaEscala->addWidget(escala_, 1);
    filaEscala->addWidget(reduccion);
    forma->addRow(QStringLiteral("Escala Adicional al Cálculo:"), filaEscala);
    capa->addLayout(forma);
    auto* grupo = new QGroupBox(
        QStringLiteral("Los Datos siguientes solo son Validos para las Estaciones introducidas MANUALMENTE."), this);
    auto* capaGrupo = new QVBoxLayout(grupo);
    capaGrupo->addWidget(datos_);
    capa->addWidget(grupo);
    auto* botones = aceptarCancelar(this);
    connect(botones, &QDialogButtonBox::accepted, this, &DialogoConfigurarPoligonal::aceptar);
    connect(reduccion, &QPushButton::clicked, this, [this, &ajustes] {
        if (const auto k = DialogoReduccionElipsoide::pedirFactor(ajustes, this))
            escala_->setText(qs(formatear("%1.10lf", *k)));
    });
    capa->addWidget(botones);
}

void DialogoConfigurarPoligonal::aceptar() {
    ConfiguracionPoligonal c;
    c.metodo = static_cast<std::uint32_t>(metodo_->currentIndex());
    c.proyeccion = static_cast<std::uint32_t>(proyeccion_->currentIndex());
    c.decimales = decimales_->currentIndex();
    c.escala = textoANumero(utf8(escala_->text()));
    logica_.fijarConfiguracion(c, datos_->leer());
    accept();
}

// ---- "CALCULO DE POLIGONALES".
DialogoCalculoPoligonales::DialogoCalculoPoligonales(CLibretaCampo& libreta, CDatosGenerales& ajustes,
                                                     const MapaRutas& mapa, Avisos& avisos, QWidget* padre)
    : QDialog(padre),
      logica_(ajustes, avisos),
      libreta_(libreta),
      ajustes_(ajustes),
      mapa_(mapa),
      avisos_(avisos),
      rejilla_(new CRejilla(this)),
      barra_(new QToolBar(this)) {
    setObjectName(QStringLiteral("dialogoCalculoPoligonales"));
    resize(1100, 600);
    rejilla_->setObjectName(QStringLiteral("rejillaPoligonal"));
    rejilla_->fijarFuente(&logica_);
    rejilla_->fijarColorFondo(QColor(0xDC, 0xFF, 0xFF));
    rejilla_->permitirInsertarBorrar(true);
    AvisosSilenciosos sinMensajes;
    cargarInstrumentos(logica_.instrumentos, rutaInstrumentos(ajustes_, mapa_), sinMensajes);

    auto* capa = new QVBoxLayout(this);
    capa->setMenuBar(crearMenus());
    llenarBarra();
    capa->addWidget(barra_);
    capa->addLayout(crearCabecera());
    capa->addWidget(rejilla_, 1);
    conectar();
    prepararPeticiones();
    mostrar();
}

QMenuBar* DialogoCalculoPoligonales::crearMenus() {
    auto* menus = new QMenuBar(this);
    QMenu* archivo = menus->addMenu(QStringLiteral("Archivo"));
    archivo->addAction(QStringLiteral("Nuevo..."), this, &DialogoCalculoPoligonales::nuevo);
    archivo->addAction(QStringLiteral("Abrir..."), this, &DialogoCalculoPoligonales::abrirFichero);
    archivo->addAction(QStringLiteral("Grabar..."), this, &DialogoCalculoPoligonales::grabar);
    archivo->addAction(QStringLiteral("Grabar como..."), this, &DialogoCalculoPoligonales::grabarComo);
    archivo->addSeparator();
    archivo->addAction(QStringLiteral("Imprimir..."), this, &DialogoCalculoPoligonales::imprimir);
    archivo->addAction(QStringLiteral("Importar (Ver 4.0)"));
    archivo->addSeparator();
    archivo->addAction(QStringLiteral("Salir"), this, &QDialog::accept);
    QMenu* poligonal = menus->addMenu(QStringLiteral("Poligonal"));
    poligonal->addAction(QStringLiteral("Configurar"), this, &DialogoCalculoPoligonales::configurar);
    poligonal->addAction(QStringLiteral("Enlazar con BD..."), this, &DialogoCalculoPoligonales::enlazar);
    poligonal->addAction(QStringLiteral("Referenciar..."), this, &DialogoCalculoPoligonales::referenciar);
    poligonal->addSeparator();
    poligonal->addAction(QStringLiteral("CALCULAR"), this, &DialogoCalculoPoligonales::calcular);
    poligonal->addAction(QStringLiteral("Tolerancias"), this, &DialogoCalculoPoligonales::tolerancias);
    poligonal->addAction(QStringLiteral("Ver Resultados"));
    return menus;
}

void DialogoCalculoPoligonales::llenarBarra() {
    barra_->setObjectName(QStringLiteral("barraPoligonal"));
    barra_->addAction(QStringLiteral("Nuevo"), this, &DialogoCalculoPoligonales::nuevo);
    barra_->addAction(QStringLiteral("Abrir"), this, &DialogoCalculoPoligonales::abrirFichero);
    barra_->addAction(QStringLiteral("Grabar"), this, &DialogoCalculoPoligonales::grabar);
    barra_->addAction(QStringLiteral("Imprimir"), this, &DialogoCalculoPoligonales::imprimir);
    barra_->addSeparator();
    barra_->addAction(QStringLiteral("Datos Generales"), this, [this] { abrirDatosTrabajo(this, ajustes_, mapa_); });
    barra_->addAction(QStringLiteral("Instrumentos"), this,
                      [this] { abrirListadoInstrumentos(this, ajustes_, mapa_, nullptr); });
    barra_->addSeparator();
    barra_->addAction(QStringLiteral("CALCULAR"), this, &DialogoCalculoPoligonales::calcular);
    barra_->addAction(QStringLiteral("Tolerancias"), this, &DialogoCalculoPoligonales::tolerancias);
}

// Type, Bessel boxes and the buttons above the grid.
QLayout* DialogoCalculoPoligonales::crearCabecera() {
    auto* arriba = new QHBoxLayout;
    arriba->addWidget(grupoTipoBessel(this, tipos_, bessel_));
    auto* botones = new QVBoxLayout;
    const auto boton = [&](const char* texto, const char* nombre, void (DialogoCalculoPoligonales::*accion)()) {
        auto* b = new QPushButton(QString::fromUtf8(texto), this);
        b->setObjectName(QString::fromUtf8(nombre));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, accion);
        botones->addWidget(b);
    };
    boton("Enlazar", "enlazar", &DialogoCalculoPoligonales::enlazar);
    boton("REFERENCIAR", "referenciar", &DialogoCalculoPoligonales::referenciar);
    boton("CALCULAR", "calcular", &DialogoCalculoPoligonales::calcular);
    boton("Datos Auxiliares...", "datosAuxiliares", &DialogoCalculoPoligonales::datosAuxiliares);
    arriba->addLayout(botones);
    // The method beside the type: Sanguet does not suit every traverse, and
    // "Configurar" is not where a new user looks for it.
    auto* grupoMetodo = new QGroupBox(QStringLiteral("Método de Compensación:"), this);
    auto* capaMetodo = new QVBoxLayout(grupoMetodo);
    metodo_ = new QComboBox(grupoMetodo);
    metodo_->setObjectName(QStringLiteral("metodo"));
    for (const char* m : CCalculoPoligonales::kMetodos) metodo_->addItem(QString::fromUtf8(m));
    capaMetodo->addWidget(metodo_);
    capaMetodo->addStretch();
    arriba->addWidget(grupoMetodo);
    arriba->addStretch();
    return arriba;
}

// The type and Bessel boxes and the grid's row commands reach the core.
void DialogoCalculoPoligonales::conectar() {
    for (int k = 0; k < 3; ++k) {
        connect(tipos_[k], &QRadioButton::toggled, this, [this, k](bool marcado) {
            if (marcado) logica_.fijarTipo(static_cast<TipoPoligonal>(k));
        });
        connect(bessel_[k], &QCheckBox::toggled, this, [this] { leerBessel(); });
    }
    connect(rejilla_, &CRejilla::insertarFilaPedida, this, [this](int fila) {
        logica_.insertarFila(static_cast<std::size_t>(std::max(fila, 0)) / 2);
        rejilla_->recargar();
    });
    connect(rejilla_, &CRejilla::borrarFilaPedida, this, [this](int fila) {
        logica_.borrarFila(static_cast<std::size_t>(std::max(fila, 0)) / 2);
        rejilla_->recargar();
    });
    connect(rejilla_, &CRejilla::celdaEditada, this, [this] { rejilla_->refrescar(); });
    connect(metodo_, &QComboBox::activated, this,
            [this](int indice) { logica_.fijarMetodo(static_cast<std::uint32_t>(indice)); });
}

// The sub-dialogs, the file names and the field sheet shown; tests replace them.
void DialogoCalculoPoligonales::prepararPeticiones() {
    ejecutar = [](QDialog& d) { return d.exec() == QDialog::Accepted; };
    // Traverse files start beside the book and are shown as C:\..., the folder last used kept.
    const LugarFicheros lugar = lugarFicheros(ajustes_, mapa_);
    const auto pedir = [this, lugar](bool guardar) {
        return lugar.pedirEnAnfitrion(this, guardar, "POL",
                                      "Archivos de Poligonales (*.POL) |*.POL|Todos los archivos (*.*) |*.*||",
                                      "poligonales");
    };
    logica_.pedirAbrir = [pedir] { return pedir(false); };
    logica_.pedirGrabar = [pedir] { return pedir(true); };
}

DialogoCalculoPoligonales::~DialogoCalculoPoligonales() {
    rejilla_->disconnect(this);
    rejilla_->fijarFuente(nullptr);
}

// Title, type, Bessel boxes and grid from the core.
void DialogoCalculoPoligonales::mostrar() {
    setWindowTitle(qs(logica_.titulo()));
    const ReferenciaPoligonal& r = logica_.referencia();
    {
        std::vector<std::unique_ptr<QSignalBlocker>> bloqueos;
        for (auto* t : tipos_) bloqueos.push_back(std::make_unique<QSignalBlocker>(t));
        for (auto* b : bessel_) bloqueos.push_back(std::make_unique<QSignalBlocker>(b));
        if (r.tipo >= 0 && r.tipo < 3) tipos_[r.tipo]->setChecked(true);
        bessel_[0]->setChecked(r.besselH);
        bessel_[1]->setChecked(r.besselV);
        bessel_[2]->setChecked(r.besselD);
    }
    metodo_->setCurrentIndex(static_cast<int>(logica_.configuracion().metodo));
    rejilla_->recargar();
    for (std::size_t c = 0; c < CCalculoPoligonales::kCeldas; ++c)
        rejilla_->ocultarColumna(static_cast<int>(c), logica_.columnaOculta(c));
}

void DialogoCalculoPoligonales::leerBessel() {
    logica_.fijarBessel(bessel_[0]->isChecked(), bessel_[1]->isChecked(), bessel_[2]->isChecked());
    for (std::size_t c = 0; c < CCalculoPoligonales::kCeldas; ++c)
        rejilla_->ocultarColumna(static_cast<int>(c), logica_.columnaOculta(c));
}

void DialogoCalculoPoligonales::nuevo() {
    if (logica_.nuevo()) mostrar();
}

void DialogoCalculoPoligonales::abrirFichero() {
    if (logica_.abrir()) mostrar();
    else rejilla_->recargar();
}

void DialogoCalculoPoligonales::grabar() {
    if (logica_.grabar()) setWindowTitle(qs(logica_.titulo()));
}

void DialogoCalculoPoligonales::grabarComo() {
    if (logica_.grabarComo()) setWindowTitle(qs(logica_.titulo()));
}

// The field sheet goes to "IMPRIMIR" as the book's listings do.
void DialogoCalculoPoligonales::imprimir() {
    if (abrirListado)
        abrirListado(kTituloEstadilloPoligonal,
                     paginasEstadilloPoligonal(logica_.filas(), logica_.referencia(), entornoListado(ajustes_, mapa_)));
}

void DialogoCalculoPoligonales::configurar() {
    DialogoConfigurarPoligonal d(logica_, ajustes_, this);
    if (ejecutar(d)) metodo_->setCurrentIndex(static_cast<int>(logica_.configuracion().metodo));
}

void DialogoCalculoPoligonales::enlazar() {
    leerBessel();
    DialogoRecogerObservaciones d(libreta_, logica_.filas(), logica_.referencia(), avisos_, this);
    if (!d.preparado() || !ejecutar(d)) return;
    logica_.marcarModificado();
    referenciar();
    mostrar();
}

void DialogoCalculoPoligonales::referenciar() {
    const auto& filas = logica_.filas();
    const double circulo = !filas.empty() && filas.front().datos.unidadAngular == kSexagesimal ? 360.0 : 400.0;
    DialogoReferenciarPoligonal d(libreta_, logica_.referencia(), avisos_, circulo, this);
    if (ejecutar(d)) logica_.marcarModificado();
}

void DialogoCalculoPoligonales::calcular() {
    auto resultado = logica_.calcular();
    if (!resultado) return;
    DialogoResultadoPoligonal d(*resultado, libreta_, this);
    // The report starts beside the book, its path shown as C:\...
    d.elegirInforme = [&d, lugar = lugarFicheros(ajustes_, mapa_)] {
        const auto r = lugar.pedirEnAnfitrion(&d, true, "TXT", "Archivos TEXTO (*.TXT) |*.TXT||", "informes");
        return r ? QString::fromStdString(r->string()) : QString();
    };
    ejecutar(d);
}

void DialogoCalculoPoligonales::tolerancias() { DialogoToleranciasPoligonal::abrir(this, ajustes_, mapa_, avisos_); }

void DialogoCalculoPoligonales::datosAuxiliares() {
    const QModelIndex i = rejilla_->vista()->currentIndex();
    const auto fila = i.isValid() ? logica_.filaDeDatos(static_cast<std::size_t>(i.row()),
                                                        static_cast<std::size_t>(i.column()))
                                  : std::nullopt;
    if (!fila) return;
    DialogoDatosEstacionPoligonal d(logica_.filas()[*fila], this);
    if (ejecutar(d)) {
        logica_.marcarModificado();
        rejilla_->refrescar();
    }
}

void DialogoCalculoPoligonales::done(int resultado) {
    if (!logica_.puedeCerrar()) return;
    QDialog::done(resultado);
}

}  // namespace celvara::ui

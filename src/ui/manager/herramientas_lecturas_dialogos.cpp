#include "ui/manager/herramientas_lecturas_dialogos.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "fieldbook/codificacion.h"
#include "ui/datos/instrumentos_dialogos.h"
#include "ui/rejilla/rejilla.h"

namespace celvara::ui {

namespace {

QString q(const std::string& utf8) { return QString::fromStdString(utf8); }

QString lineas(const std::vector<std::string>& textos) {
    QStringList l;
    for (const auto& t : textos) l << q(t);
    return l.join(QLatin1Char('\n'));
}

QListWidget* listaDe(QWidget* padre, const std::vector<std::string>& nombres) {
    auto* lista = new QListWidget(padre);
    lista->setObjectName(QStringLiteral("lista"));
    for (const auto& n : nombres) lista->addItem(q(n));
    return lista;
}

QPushButton* boton(QWidget* padre, const char* texto, const char* nombre) {
    auto* b = new QPushButton(QString::fromUtf8(texto), padre);
    b->setObjectName(QString::fromUtf8(nombre));
    b->setAutoDefault(false);
    return b;
}

QLineEdit* edicion(QWidget* padre, const char* nombre, const QString& texto = {}) {
    auto* e = new QLineEdit(texto, padre);
    e->setObjectName(QString::fromUtf8(nombre));
    return e;
}

QLabel* rotuloSubestacion(QWidget* padre, const Estacionamiento& s) {
    auto* l = new QLabel(q(cp1252AUtf8(s.nombre.vista())), padre);
    l->setObjectName(QStringLiteral("estacionamiento"));
    return l;
}

}  // namespace

// ---- "CAMBIAR DE ESTACION".

DialogoCambiarEstacion::DialogoCambiarEstacion(CLibretaCampo& libreta, Estacion& estacion, Estacionamiento& s,
                                               Avisos& avisos, QWidget* padre)
    : QDialog(padre), logica_(libreta, estacion, s, avisos) {
    setWindowTitle(QStringLiteral("CAMBIAR DE ESTACION"));
    setObjectName(QStringLiteral("dialogoCambiarEstacion"));
    lista_ = listaDe(this, logica_.nombres());
    datos_ = new QLabel(this);
    datos_->setObjectName(QStringLiteral("datos"));
    auto* capa = new QVBoxLayout(this);
    capa->addWidget(rotuloSubestacion(this, s));
    capa->addWidget(new QLabel(QStringLiteral("Elegir la ESTACION a la que se enlaza"), this));
    capa->addWidget(lista_);
    capa->addWidget(datos_);
    auto* fila = new QHBoxLayout;
    auto* cambiar = boton(this, "CAMBIAR", "cambiar");
    auto* salir = boton(this, "SALIR", "salir");
    fila->addWidget(cambiar);
    fila->addWidget(salir);
    capa->addLayout(fila);
    connect(lista_, &QListWidget::currentRowChanged, this, [this](int i) { datos_->setText(lineas(logica_.elegir(i))); });
    connect(cambiar, &QPushButton::clicked, this, [this] {
        resultado = logica_.cambiar();
        if (resultado) accept();
    });
    connect(salir, &QPushButton::clicked, this, &QDialog::reject);
}

std::pair<Estacion*, Estacionamiento*> DialogoCambiarEstacion::abrir(QWidget* padre, CLibretaCampo& libreta,
                                                                     Estacion& estacion, Estacionamiento& s,
                                                                     Avisos& avisos) {
    DialogoCambiarEstacion d(libreta, estacion, s, avisos, padre);
    d.exec();
    return d.resultado.value_or(std::pair{&estacion, &s});
}

// ---- "FUNDIR-UNIR ESTACIONAMIENTOS".

DialogoUnirEstacionamientos::DialogoUnirEstacionamientos(Estacion& estacion, Estacionamiento& s, Avisos& avisos,
                                                         QWidget* padre)
    : QDialog(padre), logica_(estacion, s, avisos) {
    setWindowTitle(QStringLiteral("FUNDIR-UNIR ESTACIONAMIENTOS"));
    setObjectName(QStringLiteral("dialogoUnirEstacionamientos"));
    lista_ = listaDe(this, logica_.nombres());
    datos_ = new QLabel(this);
    datos_->setObjectName(QStringLiteral("datos"));
    hYJalon_ = new QRadioButton(QStringLiteral("Unir y Modificar Angulo H y Jalón."), this);
    soloH_ = new QRadioButton(QStringLiteral("Unir y Modificar Angulo H."), this);
    auto* sin = new QRadioButton(QStringLiteral("Unir Sin Modificar H ni Jalón."), this);
    hYJalon_->setObjectName(QStringLiteral("hYJalon"));
    soloH_->setObjectName(QStringLiteral("soloH"));
    sin->setObjectName(QStringLiteral("sinModificar"));
    hYJalon_->setChecked(true);
    auto* porDesorientacion = new QRadioButton(QStringLiteral("Por Desorientación"), this);
    porLecturas_ = new QRadioButton(QStringLiteral("Por Lecturas a Refer..."), this);
    porLecturas_->setObjectName(QStringLiteral("porLecturas"));
    porDesorientacion->setChecked(true);
    inicial_ = edicion(this, "inicial");
    final_ = edicion(this, "final");
    inicial_->setEnabled(false);
    final_->setEnabled(false);

    auto* capa = new QVBoxLayout(this);
    capa->addWidget(rotuloSubestacion(this, s));
    auto* actual = new QLabel(lineas(logica_.textosActual()), this);
    capa->addWidget(actual);
    capa->addWidget(new QLabel(QStringLiteral("Elegir el ESTACIONAMIENTO al que se unirá"), this));
    capa->addWidget(lista_);
    capa->addWidget(datos_);
    auto* formas = new QGroupBox(QStringLiteral("Formas de Unir "), this);
    auto* capaFormas = new QVBoxLayout(formas);
    for (QWidget* w : {static_cast<QWidget*>(hYJalon_), static_cast<QWidget*>(soloH_), static_cast<QWidget*>(sin)})
        capaFormas->addWidget(w);
    capa->addWidget(formas);
    auto* como = new QGroupBox(QStringLiteral("Como Modificar el Angulo H "), this);
    auto* capaComo = new QFormLayout(como);
    capaComo->addRow(porDesorientacion);
    capaComo->addRow(porLecturas_);
    capaComo->addRow(QStringLiteral("Lectura Inicial a la Referencia :"), inicial_);
    capaComo->addRow(QStringLiteral("Lectura Final a la Referencia :"), final_);
    capa->addWidget(como);
    auto* fila = new QHBoxLayout;
    auto* unir = boton(this, "UNIR", "unir");
    auto* salir = boton(this, "SALIR", "salir");
    fila->addWidget(unir);
    fila->addWidget(salir);
    capa->addLayout(fila);

    connect(lista_, &QListWidget::currentRowChanged, this, [this](int i) { datos_->setText(lineas(logica_.elegir(i))); });
    connect(porLecturas_, &QRadioButton::toggled, this, [this](bool activo) {
        inicial_->setEnabled(activo);
        final_->setEnabled(activo);
    });
    connect(unir, &QPushButton::clicked, this, &DialogoUnirEstacionamientos::unir);
    connect(salir, &QPushButton::clicked, this, &QDialog::reject);
}

void DialogoUnirEstacionamientos::unir() {
    logica_.opciones.forma = hYJalon_->isChecked() ? FormaUnir::ModificarHyJalon
                             : soloH_->isChecked() ? FormaUnir::ModificarH
                                                   : FormaUnir::SinModificar;
    logica_.opciones.porLecturas = porLecturas_->isChecked();
    logica_.textoInicial = inicial_->text().toStdString();
    logica_.textoFinal = final_->text().toStdString();
    resultado = logica_.unir();
    if (resultado) accept();
}

Estacionamiento* DialogoUnirEstacionamientos::abrir(QWidget* padre, Estacion& estacion, Estacionamiento& s,
                                                    Avisos& avisos) {
    DialogoUnirEstacionamientos d(estacion, s, avisos, padre);
    d.exec();
    return d.resultado;
}

// ---- "OPCIONES DE LECTURAS".

DialogoOpcionesLecturas::DialogoOpcionesLecturas(CLibretaCampo& libreta, Estacion& estacion, Estacionamiento& s,
                                                 Avisos& avisos, QWidget* padre)
    : QDialog(padre), logica_(libreta, s, avisos) {
    setWindowTitle(QStringLiteral("OPCIONES DE LECTURAS"));
    setObjectName(QStringLiteral("dialogoOpcionesLecturas"));
    lista_ = listaDe(this, logica_.nombres());
    datos_ = new QLabel(this);
    datos_->setObjectName(QStringLiteral("datos"));
    desde_ = edicion(this, "desde");
    hasta_ = edicion(this, "hasta");
    cuantos_ = boton(this, "Cuantos :", "cuantos");
    auto* borrar = boton(this, "Borrar...", "borrar");
    auto* mover = boton(this, "Mover al .....", "mover");
    auto* copiar = boton(this, "Copiar al .....", "copiar");
    auto* repetidos = boton(this, "Puntos Repetidos", "repetidos");
    auto* cuantosTodas = boton(this, "Cuantos :", "cuantosTodas");
    cuantosTodas->setEnabled(false);
    auto* salir = boton(this, "SALIR", "salir");

    auto* capa = new QVBoxLayout(this);
    capa->addWidget(rotuloSubestacion(this, s));
    capa->addWidget(new QLabel(QStringLiteral("Estacionamiento destino"), this));
    capa->addWidget(lista_);
    capa->addWidget(datos_);
    auto* rango = new QFormLayout;
    rango->addRow(QStringLiteral("Desde el Punto Numero :"), desde_);
    rango->addRow(QStringLiteral("Hasta  el Punto Numero :"), hasta_);
    capa->addLayout(rango);
    auto* fila = new QHBoxLayout;
    for (QPushButton* b : {cuantos_, borrar, mover, copiar, repetidos}) fila->addWidget(b);
    capa->addLayout(fila);
    auto* todas = new QGroupBox(QStringLiteral("Opciones con Todas las Lecturas"), this);
    (new QHBoxLayout(todas))->addWidget(cuantosTodas);
    capa->addWidget(todas);
    capa->addWidget(salir);

    connect(lista_, &QListWidget::currentRowChanged, this, [this](int i) { datos_->setText(lineas(logica_.elegir(i))); });
    connect(cuantos_, &QPushButton::clicked, this, [this] {
        leerRango();
        if (const auto texto = logica_.cuantos()) cuantos_->setText(q(*texto));
    });
    connect(borrar, &QPushButton::clicked, this, [this] {
        leerRango();
        if (const auto texto = logica_.cuantos()) cuantos_->setText(q(*texto));
        logica_.borrar();
    });
    connect(mover, &QPushButton::clicked, this, [this] {
        leerRango();
        logica_.mover();
    });
    connect(copiar, &QPushButton::clicked, this, [this] {
        leerRango();
        logica_.copiar();
    });
    abrirRepetidas = [this, &estacion, &s, &avisos] {
        DialogoVisualesRepetidas d(estacion, s, avisos, this);
        d.exec();
    };
    connect(repetidos, &QPushButton::clicked, this, [this] { abrirRepetidas(); });
    connect(salir, &QPushButton::clicked, this, &QDialog::accept);
}

void DialogoOpcionesLecturas::leerRango() {
    logica_.rango = {utf8ACp1252(desde_->text().trimmed().toStdString()),
                     utf8ACp1252(hasta_->text().trimmed().toStdString())};
}

void DialogoOpcionesLecturas::abrir(QWidget* padre, CLibretaCampo& libreta, Estacion& estacion, Estacionamiento& s,
                                    Avisos& avisos) {
    DialogoOpcionesLecturas d(libreta, estacion, s, avisos, padre);
    d.exec();
}

// ---- "LISTADO DE VISUALES REPETIDAS".

DialogoVisualesRepetidas::DialogoVisualesRepetidas(Estacion& estacion, Estacionamiento& s, Avisos& avisos,
                                                   QWidget* padre)
    : QDialog(padre), logica_(s, avisos) {
    setWindowTitle(QStringLiteral("LISTADO DE VISUALES REPETIDAS"));
    setObjectName(QStringLiteral("dialogoVisualesRepetidas"));
    resize(760, 520);
    nombres_ = new QListWidget(this);
    nombres_->setObjectName(QStringLiteral("nombres"));
    rejilla_ = new CRejilla(this);
    rejilla_->setObjectName(QStringLiteral("rejillaRepetidas"));
    rejilla_->fijarFuente(&logica_.rejilla());
    promedio_ = new CRejilla(this);
    promedio_->setObjectName(QStringLiteral("rejillaPromedio"));
    promedio_->fijarFuente(&logica_.promedio());
    promedio_->setMaximumHeight(80);
    auto* estacionamiento = edicion(this, "estacionamiento", q(cp1252AUtf8(s.nombre.vista())));
    auto* estacionEdit = edicion(this, "estacion", q(cp1252AUtf8(estacion.nombre.vista())));
    estacionamiento->setReadOnly(true);
    estacionEdit->setReadOnly(true);
    auto* borrar = boton(this, "Borrar Lecturas Marcadas", "borrarMarcadas");
    auto* promediar = boton(this, "Promediar Lecturas Marcadas", "promediar");
    auto* insertar = boton(this, "Insertar esta Lectura en la Libreta del Estacionamiento", "insertar");
    auto* salir = boton(this, "SALIR", "salir");

    auto* capa = new QGridLayout(this);
    auto* cabecera = new QHBoxLayout;
    cabecera->addWidget(estacionamiento);
    cabecera->addWidget(estacionEdit);
    capa->addLayout(cabecera, 0, 0, 1, 2);
    capa->addWidget(new QLabel(QStringLiteral("Puntos Repetidos"), this), 1, 0);
    capa->addWidget(nombres_, 2, 0);
    capa->addWidget(rejilla_, 2, 1);
    capa->addWidget(borrar, 3, 1);
    capa->addWidget(promediar, 4, 1);
    capa->addWidget(promedio_, 5, 1);
    capa->addWidget(insertar, 6, 1);
    capa->addWidget(salir, 7, 1);
    capa->setColumnStretch(1, 1);
    rellenarNombres();

    connect(nombres_, &QListWidget::currentRowChanged, this, [this](int i) {
        logica_.elegir(i);
        logica_.promedio().vaciar();
        rejilla_->recargar();
        promedio_->recargar();
    });
    auto recargarTodo = [this](std::size_t cambiadas) {
        if (cambiadas == 0) return;
        rellenarNombres();
        rejilla_->recargar();
        promedio_->recargar();
    };
    connect(borrar, &QPushButton::clicked, this, [this, recargarTodo] { recargarTodo(logica_.borrarMarcadas()); });
    connect(promediar, &QPushButton::clicked, this, [this] {
        logica_.promediarMarcadas();
        promedio_->recargar();
    });
    connect(insertar, &QPushButton::clicked, this, [this, recargarTodo] { recargarTodo(logica_.insertarPromedio()); });
    connect(salir, &QPushButton::clicked, this, &QDialog::accept);
}

void DialogoVisualesRepetidas::rellenarNombres() {
    const QSignalBlocker bloqueo(nombres_);
    nombres_->clear();
    for (const auto& n : logica_.nombres()) nombres_->addItem(q(n));
}

// ---- "DATOS COMPLEMENTARIOS DEL ESTACIONAMIENTO".

DialogoDatosComplementarios::DialogoDatosComplementarios(Estacionamiento& s, QWidget* padre)
    : QDialog(padre), s_(s) {
    setWindowTitle(QStringLiteral("DATOS COMPLEMENTARIOS DEL ESTACIONAMIENTO"));
    setObjectName(QStringLiteral("dialogoDatosComplementarios"));
    const auto f = FormularioDatosComplementarios::desde(s);
    auto* capa = new QHBoxLayout(this);
    capa->addLayout(construirTipos(f));
    auto* derecha = new QVBoxLayout;
    derecha->addLayout(construirFormulario(f));
    auto* botones = new QHBoxLayout;
    // In Spanish like every other button: a surveyor reads one language.
    auto* ok = boton(this, "Aceptar", "ok");
    auto* cancelar = boton(this, "Cancelar", "cancelar");
    botones->addWidget(ok);
    botones->addWidget(cancelar);
    derecha->addLayout(botones);
    capa->addLayout(derecha);
    connect(ok, &QPushButton::clicked, this, &DialogoDatosComplementarios::aceptar);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
}

QVBoxLayout* DialogoDatosComplementarios::construirTipos(const FormularioDatosComplementarios& f) {
    angular_ = new QComboBox(this);
    angular_->setObjectName(QStringLiteral("angular"));
    angular_->addItems({QStringLiteral("Centesimal"), QStringLiteral("Sexagesimal")});
    angular_->setCurrentIndex(f.sexagesimal ? 1 : 0);
    distancia_ = new QComboBox(this);
    distancia_->setObjectName(QStringLiteral("distancia"));
    distancia_->addItems({QStringLiteral("Metros"), QStringLiteral("Yardas")});
    distancia_->setCurrentIndex(f.yardas ? 1 : 0);

    auto grupo = [this](const QStringList& textos, int elegido, const char* nombre) {
        auto* caja = new QGroupBox(this);
        caja->setObjectName(QString::fromUtf8(nombre));
        auto* capa = new QVBoxLayout(caja);
        auto* botones = new QButtonGroup(caja);
        for (int i = 0; i < textos.size(); ++i) {
            auto* r = new QRadioButton(textos[i], caja);
            botones->addButton(r, i);
            capa->addWidget(r);
            r->setChecked(i == elegido);
        }
        return std::pair{caja, botones};
    };
    auto [cajaDistancia, tipoDistancia] =
        grupo({QStringLiteral("GEOMETRICAS"), QStringLiteral("GENERADORES"), QStringLiteral("Reducidas/Desnivel"),
               QStringLiteral("Reducidas/Vertical")},
              f.tipoDistancia, "tipoDistancia");
    auto [cajaVertical, tipoVertical] =
        grupo({QStringLiteral("ZENITAL"), QStringLiteral("INCLINACION"), QStringLiteral("NADIRAL")}, f.tipoVertical,
              "tipoVertical");
    tipoDistancia_ = tipoDistancia;
    tipoVertical_ = tipoVertical;
    esfRefr_ = new QCheckBox(QStringLiteral("Datos YA Correg de Esf-Refr"), this);
    esfRefr_->setObjectName(QStringLiteral("esfRefr"));
    esfRefr_->setChecked(f.corregidoEsfRefr);
    tempPres_ = new QCheckBox(QStringLiteral("Datos YA Correg de Temp-Pres"), this);
    tempPres_->setObjectName(QStringLiteral("tempPres"));
    tempPres_->setChecked(f.corregidoTempPres);
    tempPres_->setEnabled(false);

    auto* izquierda = new QVBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{angular_, distancia_, cajaDistancia, cajaVertical, esfRefr_, tempPres_})
        izquierda->addWidget(w);
    return izquierda;
}

QFormLayout* DialogoDatosComplementarios::construirFormulario(const FormularioDatosComplementarios& f) {
    auto* nombre = edicion(this, "estacionamiento", q(f.estacionamiento));
    nombre->setReadOnly(true);
    auto* estacion = edicion(this, "estacion", q(f.estacion));
    estacion->setEnabled(false);
    instrumento_ = edicion(this, "instrumento", q(f.instrumento));
    instrumento_->setMaxLength(49);
    operador_ = edicion(this, "operador", q(f.operador));
    operador_->setMaxLength(14);
    dia_ = edicion(this, "dia", q(f.dia));
    dia_->setMaxLength(14);
    hora_ = edicion(this, "hora", q(f.hora));
    hora_->setMaxLength(15);
    comentarios_ = edicion(this, "comentarios", q(f.comentarios));
    comentarios_->setMaxLength(49);
    auto* formulario = new QFormLayout;
    formulario->addRow(QStringLiteral("ESTACIONAMIENTO :"), nombre);
    formulario->addRow(QStringLiteral("ESTACION :"), estacion);
    auto* filaInstrumento = new QHBoxLayout;
    auto* botonInstrumento = boton(this, "INSTRUMENTO", "botonInstrumento");
    filaInstrumento->addWidget(botonInstrumento);
    filaInstrumento->addWidget(instrumento_);
    formulario->addRow(filaInstrumento);
    formulario->addRow(QStringLiteral("OPERADOR       :"), operador_);
    formulario->addRow(QStringLiteral("DIA :"), dia_);
    formulario->addRow(QStringLiteral("HORA      :"), hora_);
    for (auto [texto, valor] : {std::pair{"TEMPERATURA:", f.temperatura}, std::pair{"PRESION           :", f.presion},
                                std::pair{"P.P.M.                :", f.ppm}}) {
        auto* e = edicion(this, "", q(valor));
        e->setEnabled(false);
        formulario->addRow(QString::fromUtf8(texto), e);
    }
    formulario->addRow(QStringLiteral("COMENTARIOS :"), comentarios_);
    connect(botonInstrumento, &QPushButton::clicked, this, [this] {
        if (!elegirInstrumento) return;
        if (const auto nombre = elegirInstrumento(instrumento_->text()); nombre && !nombre->isEmpty())
            instrumento_->setText(*nombre);
    });
    return formulario;
}

void DialogoDatosComplementarios::aceptar() {
    auto f = FormularioDatosComplementarios::desde(s_);
    f.sexagesimal = angular_->currentIndex() == 1;
    f.yardas = distancia_->currentIndex() == 1;
    f.tipoDistancia = std::max(0, tipoDistancia_->checkedId());
    f.tipoVertical = std::max(0, tipoVertical_->checkedId());
    f.corregidoEsfRefr = esfRefr_->isChecked();
    f.corregidoTempPres = tempPres_->isChecked();
    f.instrumento = instrumento_->text().toStdString();
    f.operador = operador_->text().toStdString();
    f.dia = dia_->text().toStdString();
    f.hora = hora_->text().toStdString();
    f.comentarios = comentarios_->text().toStdString();
    f.aplicar(s_);
    accept();
}

bool DialogoDatosComplementarios::abrir(QWidget* padre, Estacionamiento& s, const CDatosGenerales& ajustes,
                                        const MapaRutas& mapa) {
    DialogoDatosComplementarios d(s, padre);
    d.elegirInstrumento = [&d, &ajustes, &mapa](const QString&) -> std::optional<QString> {
        std::string nombre;
        if (!abrirListadoInstrumentos(&d, ajustes, mapa, &nombre)) return std::nullopt;
        return q(cp1252AUtf8(nombre));
    };
    return d.exec() == QDialog::Accepted;
}

}  // namespace celvara::ui

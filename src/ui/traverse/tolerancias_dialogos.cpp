#include "ui/traverse/tolerancias_dialogos.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "datos/instrumentos.h"
#include "fieldbook/codificacion.h"
#include "ui/datos/instrumentos_dialogos.h"

namespace celvara::ui {

namespace {

QString deCp1252(std::string_view texto) { return QString::fromStdString(cp1252AUtf8(texto)); }
std::string aCp1252(const QString& texto) { return utf8ACp1252(texto.toStdString()); }

QLineEdit* edit(QWidget* padre, const char* nombre, const std::string& texto = {}) {
    auto* e = new QLineEdit(QString::fromStdString(texto), padre);
    e->setObjectName(QString::fromLatin1(nombre));
    return e;
}

QPushButton* boton(QWidget* padre, const QString& texto, const char* nombre) {
    auto* b = new QPushButton(texto, padre);
    b->setObjectName(QString::fromLatin1(nombre));
    return b;
}

QLabel* resultado(QWidget* padre, const char* nombre) {
    auto* l = new QLabel(padre);
    l->setObjectName(QString::fromLatin1(nombre));
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

// The picture of the window, when the file is there.
void cargarDibujo(QLabel* etiqueta, const MapaRutas& mapa, const char* rutaWindows) {
    const QPixmap dibujo(QString::fromStdString(mapa.aAnfitrion(rutaWindows).string()));
    if (!dibujo.isNull()) etiqueta->setPixmap(dibujo);
}

}  // namespace

// ---- shared fields

CamposTolerancia::CamposTolerancia(QDialog* dialogo, ParametrosEnTexto& parametros, std::string& instrumento)
    : QObject(dialogo), logica_(parametros), nombre_(instrumento) {
    static constexpr const char* kNombres[5] = {"ee", "ep", "ehe", "ehp", "incl"};
    auto* grupo = new QGroupBox(QStringLiteral("Parámetros de Trabajos"), dialogo);
    auto* forma = new QFormLayout(grupo);
    for (std::size_t i = 0; i < edits_.size(); ++i) {
        edits_[i] = edit(grupo, kNombres[i], logica_.textos[i]);
        forma->addRow(QString::fromLatin1(ParametrosEnTexto::kEtiquetas[i]), edits_[i]);
    }
    parametros_ = grupo;

    filaInstrumento_ = new QWidget(dialogo);
    auto* fila = new QHBoxLayout(filaInstrumento_);
    fila->setContentsMargins(0, 0, 0, 0);
    auto* elegir = boton(filaInstrumento_, QStringLiteral("Instrumento"), "instrumentoBoton");
    instrumento_ = edit(filaInstrumento_, "instrumento");
    fila->addWidget(elegir);
    fila->addWidget(instrumento_, 1);
    mostrarInstrumento();
    connect(elegir, &QPushButton::clicked, this, [this] {
        if (!pedirInstrumento) return;
        if (const auto nombre = pedirInstrumento(); nombre && !nombre->empty()) {
            nombre_ = *nombre;
            mostrarInstrumento();
        }
    });

    dibujo_ = new QLabel(dialogo);
    dibujo_->setObjectName(QStringLiteral("dibujo"));
}

void CamposTolerancia::leer() {
    for (std::size_t i = 0; i < edits_.size(); ++i) logica_.textos[i] = edits_[i]->text().toStdString();
    nombre_ = aCp1252(instrumento_->text());
}

void CamposTolerancia::mostrarInstrumento() { instrumento_->setText(deCp1252(nombre_)); }

namespace {

std::function<std::optional<std::string>()> listaInstrumentos(QWidget* padre, const CDatosGenerales& ajustes,
                                                               const MapaRutas& mapa) {
    return [padre, &ajustes, &mapa]() -> std::optional<std::string> {
        std::string nombre;
        if (!abrirListadoInstrumentos(padre, ajustes, mapa, &nombre)) return std::nullopt;
        return nombre;
    };
}

struct BotonesTolerancia {
    QPushButton* calcular;
    QPushButton* grabar;
};

// What the two tolerance windows lay out alike around their own fields
// (`datos`): the result labels, the buttons and the shared fields.
// "Cancelar" is connected here; the other two are the window's.
template <std::size_t N>
BotonesTolerancia montarVentana(QDialog* dialogo, CamposTolerancia& campos, QLayout* datos,
                                std::array<QLabel*, N>& resultados, const char* const (&nombres)[N]) {
    auto* textos = new QVBoxLayout;
    for (std::size_t k = 0; k < N; ++k) {
        resultados[k] = resultado(dialogo, nombres[k]);
        textos->addWidget(resultados[k]);
    }

    auto* calcular = boton(dialogo, QStringLiteral("Calcular ...."), "calcular");
    auto* grabar = boton(dialogo, QStringLiteral("Grabar"), "grabar");
    auto* cancelar = boton(dialogo, QStringLiteral("Cancelar"), "cancelar");
    auto* botones = new QHBoxLayout;
    botones->addWidget(calcular);
    botones->addStretch();
    botones->addWidget(grabar);
    botones->addWidget(cancelar);

    auto* izquierda = new QVBoxLayout;
    izquierda->addWidget(campos.instrumento());
    izquierda->addLayout(datos);
    izquierda->addWidget(campos.parametros());
    izquierda->addLayout(textos);
    auto* arriba = new QHBoxLayout;
    arriba->addLayout(izquierda);
    arriba->addWidget(campos.dibujo());
    auto* todo = new QVBoxLayout(dialogo);
    todo->addLayout(arriba);
    todo->addLayout(botones);

    QObject::connect(cancelar, &QPushButton::clicked, dialogo, &QDialog::reject);
    return {calcular, grabar};
}

template <std::size_t N>
void mostrarResultados(const std::array<QLabel*, N>& etiquetas, const std::array<std::string, N>& textos) {
    for (std::size_t k = 0; k < N; ++k) etiquetas[k]->setText(QString::fromStdString(textos[k]));
}

}  // namespace

// ---- "GESTOR DE TOLERANCIAS Y ERRORES"

DialogoGestorTolerancias::DialogoGestorTolerancias(const CLibretaCampo& libreta, CDatosGenerales& ajustes,
                                                   const MapaRutas& mapa, Avisos& avisos, QWidget* padre)
    : QDialog(padre), logica_(libreta, ajustes, rutaInstrumentos(ajustes, mapa), avisos) {
    setWindowTitle(QStringLiteral("GESTOR DE TOLERANCIAS Y ERRORES"));
    campos_ = new CamposTolerancia(this, logica_.parametros, logica_.instrumento);
    campos_->pedirInstrumento = listaInstrumentos(this, ajustes, mapa);
    cargarDibujo(campos_->dibujo(), mapa, "c:\\trabajos\\vestrum\\dibujo_tolerancias.bmp");

    estacion_ = new QComboBox(this);
    estacion_->setObjectName(QStringLiteral("estacion"));
    for (const auto& n : logica_.nombresEstaciones()) estacion_->addItem(deCp1252(n));
    estacion_->setCurrentIndex(-1);
    ocupa_ = new QComboBox(this);
    ocupa_->setObjectName(QStringLiteral("ocupa"));
    punto_ = new QComboBox(this);
    punto_->setObjectName(QStringLiteral("punto"));
    i_ = edit(this, "i");
    m_ = edit(this, "m");
    h_ = edit(this, "h");
    v_ = edit(this, "v");
    d_ = edit(this, "d");

    auto* visual = new QGridLayout;
    visual->addWidget(new QLabel(QStringLiteral("Estación"), this), 0, 0);
    visual->addWidget(estacion_, 0, 1);
    visual->addWidget(new QLabel(QStringLiteral("Ocupa"), this), 1, 0);
    visual->addWidget(ocupa_, 1, 1);
    visual->addWidget(new QLabel(QStringLiteral("I="), this), 1, 2);
    visual->addWidget(i_, 1, 3);
    visual->addWidget(new QLabel(QStringLiteral("Punto"), this), 2, 0);
    visual->addWidget(punto_, 2, 1);
    visual->addWidget(new QLabel(QStringLiteral("m="), this), 2, 2);
    visual->addWidget(m_, 2, 3);
    visual->addWidget(new QLabel(QStringLiteral("H ="), this), 3, 0);
    visual->addWidget(h_, 3, 1);
    visual->addWidget(new QLabel(QStringLiteral("V ="), this), 3, 2);
    visual->addWidget(v_, 3, 3);
    visual->addWidget(new QLabel(QStringLiteral("D ="), this), 4, 0);
    visual->addWidget(d_, 4, 1);

    static constexpr const char* kResultados[4] = {"ea", "ev", "ed", "desplazamientos"};
    const auto botones = montarVentana(this, *campos_, visual, resultados_, kResultados);

    connect(estacion_, &QComboBox::activated, this, &DialogoGestorTolerancias::estacionElegida);
    connect(ocupa_, &QComboBox::activated, this, &DialogoGestorTolerancias::estacionamientoElegido);
    connect(punto_, &QComboBox::activated, this, &DialogoGestorTolerancias::puntoElegido);
    connect(botones.calcular, &QPushButton::clicked, this, &DialogoGestorTolerancias::calcular);
    connect(botones.grabar, &QPushButton::clicked, this, &DialogoGestorTolerancias::grabar);
}

void DialogoGestorTolerancias::leer() {
    campos_->leer();
    logica_.textoI = i_->text().toStdString();
    logica_.textoM = m_->text().toStdString();
    logica_.textoH = h_->text().toStdString();
    logica_.textoV = v_->text().toStdString();
    logica_.textoD = d_->text().toStdString();
}

void DialogoGestorTolerancias::mostrarSeleccion() {
    i_->setText(QString::fromStdString(logica_.textoI));
    m_->setText(QString::fromStdString(logica_.textoM));
    h_->setText(QString::fromStdString(logica_.textoH));
    v_->setText(QString::fromStdString(logica_.textoV));
    d_->setText(QString::fromStdString(logica_.textoD));
    campos_->mostrarInstrumento();
}

void DialogoGestorTolerancias::estacionElegida(int indice) {
    leer();
    logica_.elegirEstacion(indice);
    ocupa_->clear();
    for (const auto& n : logica_.nombresEstacionamientos()) ocupa_->addItem(deCp1252(n));
    ocupa_->setCurrentIndex(-1);
    punto_->clear();
}

void DialogoGestorTolerancias::estacionamientoElegido(int indice) {
    leer();
    logica_.elegirEstacionamiento(indice);
    punto_->clear();
    for (const auto& n : logica_.nombresPuntos()) punto_->addItem(deCp1252(n));
    punto_->setCurrentIndex(-1);
    mostrarSeleccion();
}

void DialogoGestorTolerancias::puntoElegido(int indice) {
    leer();
    logica_.elegirPunto(indice);
    mostrarSeleccion();
}

void DialogoGestorTolerancias::calcular() {
    leer();
    if (logica_.calcular()) mostrarResultados(resultados_, logica_.resultados());
}

void DialogoGestorTolerancias::grabar() {
    leer();
    logica_.grabar();
    accept();
}

void DialogoGestorTolerancias::abrir(QWidget* padre, const CLibretaCampo& libreta, CDatosGenerales& ajustes,
                                     const MapaRutas& mapa, Avisos& avisos) {
    DialogoGestorTolerancias dialogo(libreta, ajustes, mapa, avisos, padre);
    dialogo.exec();
}

// ---- "TOLERANCIAS POLIGONAL"

DialogoToleranciasPoligonal::DialogoToleranciasPoligonal(CDatosGenerales& ajustes, const MapaRutas& mapa,
                                                         Avisos& avisos, QWidget* padre)
    : QDialog(padre), logica_(ajustes, rutaInstrumentos(ajustes, mapa), avisos) {
    setWindowTitle(QStringLiteral("TOLERANCIAS POLIGONAL"));
    campos_ = new CamposTolerancia(this, logica_.parametros, logica_.instrumento);
    campos_->pedirInstrumento = listaInstrumentos(this, ajustes, mapa);
    cargarDibujo(campos_->dibujo(), mapa, "c:\\trabajos\\vestrum\\dibujo_tolerancias_polig.bmp");

    tramos_ = edit(this, "tramos");
    longitud_ = edit(this, "longitud");
    auto* datos = new QFormLayout;
    datos->addRow(QStringLiteral("Nº Tramos:"), tramos_);
    datos->addRow(QStringLiteral("Long Total Poligonal:"), longitud_);

    static constexpr const char* kResultados[5] = {"ea", "ev", "ed", "tolerancias", "toleranciasXyz"};
    const auto botones = montarVentana(this, *campos_, datos, resultados_, kResultados);

    connect(botones.calcular, &QPushButton::clicked, this, &DialogoToleranciasPoligonal::calcular);
    connect(botones.grabar, &QPushButton::clicked, this, &DialogoToleranciasPoligonal::grabar);
}

void DialogoToleranciasPoligonal::leer() {
    campos_->leer();
    logica_.textoTramos = tramos_->text().toStdString();
    logica_.textoLongitud = longitud_->text().toStdString();
}

void DialogoToleranciasPoligonal::calcular() {
    leer();
    if (logica_.calcular()) mostrarResultados(resultados_, logica_.resultados());
}

void DialogoToleranciasPoligonal::grabar() {
    leer();
    logica_.grabar();
    accept();
}

void DialogoToleranciasPoligonal::abrir(QWidget* padre, CDatosGenerales& ajustes, const MapaRutas& mapa,
                                        Avisos& avisos) {
    DialogoToleranciasPoligonal dialogo(ajustes, mapa, avisos, padre);
    dialogo.exec();
}

// ---- "ERRORES y PESOS "

DialogoErroresPesos::DialogoErroresPesos(CDatosGenerales& ajustes, QWidget* padre)
    : QDialog(padre), logica_(ajustes) {
    setWindowTitle(QStringLiteral("ERRORES y PESOS "));
    conPesos_ = new QCheckBox(QStringLiteral("Calcular con PESOS"), this);
    conPesos_->setObjectName(QStringLiteral("conPesos"));
    conPesos_->setChecked(logica_.conPesos);
    varianza_ = edit(this, "varianza", logica_.textoVarianza);
    varianza_->setEnabled(logica_.varianzaHabilitada());

    auto* fila = new QHBoxLayout;
    fila->addWidget(new QLabel(QStringLiteral("Varianza de Referencia =\n-- Apriori --"), this));
    fila->addWidget(varianza_);
    fila->addWidget(new QLabel(QStringLiteral("m"), this));

    auto* aceptar = boton(this, QStringLiteral("Aceptar"), "aceptar");
    aceptar->setDefault(true);
    auto* cancelar = boton(this, QStringLiteral("Cancelar"), "cancelar");
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(aceptar);
    botones->addWidget(cancelar);

    auto* todo = new QVBoxLayout(this);
    todo->addWidget(conPesos_);
    todo->addLayout(fila);
    for (const char* linea : CErroresPesos::kTextoPesos) todo->addWidget(new QLabel(QString::fromUtf8(linea), this));
    todo->addLayout(botones);

    connect(conPesos_, &QCheckBox::toggled, this, [this](bool marcado) {
        logica_.conPesos = marcado;
        varianza_->setEnabled(logica_.varianzaHabilitada());
    });
    connect(aceptar, &QPushButton::clicked, this, &DialogoErroresPesos::aceptar);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void DialogoErroresPesos::aceptar() {
    logica_.conPesos = conPesos_->isChecked();
    logica_.textoVarianza = varianza_->text().toStdString();
    logica_.aceptar();
    accept();
}

bool DialogoErroresPesos::abrir(QWidget* padre, CDatosGenerales& ajustes) {
    DialogoErroresPesos dialogo(ajustes, padre);
    return dialogo.exec() == QDialog::Accepted;
}

}  // namespace celvara::ui

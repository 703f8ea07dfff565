#include "ui/manager/configuracion_dialogo.h"

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
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "manager/gestor_comandos.h"

namespace celvara::ui {

namespace {

QString qs(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
std::string utf8(const QString& s) { return s.toUtf8().toStdString(); }

QLineEdit* edicion(const std::string& texto, QWidget* padre, int longitud = 0, bool activa = true) {
    auto* e = new QLineEdit(qs(texto), padre);
    if (longitud > 0) e->setMaxLength(longitud);
    e->setEnabled(activa);
    return e;
}

QColor colorDe(std::uint32_t rgb) { return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

}  // namespace

// ---------------------------------------------------------------- complementary data

PanelDatosComplementarios::PanelDatosComplementarios(QWidget* padre) : QWidget(padre) {
    auto* capa = new QGridLayout(this);
    auto* botonInstrumento = new QPushButton(QStringLiteral("INSTRUMENTO"), this);
    instrumento_ = edicion("", this, 49);
    operador_ = edicion("", this, 14);
    dia_ = edicion("", this, 14);
    hora_ = edicion("", this, 15);
    temperatura_ = edicion("", this, 0, false);
    presion_ = edicion("", this, 0, false);
    ppm_ = edicion("", this, 0, false);
    comentarios_ = edicion("", this, 49);
    instrumento_->setObjectName(QStringLiteral("instrumento"));
    int f = 0;
    capa->addWidget(botonInstrumento, f, 0);
    capa->addWidget(instrumento_, f++, 1, 1, 3);
    capa->addWidget(new QLabel(QStringLiteral("OPERADOR       :"), this), f, 0);
    capa->addWidget(operador_, f++, 1, 1, 3);
    capa->addWidget(new QLabel(QStringLiteral("DIA :"), this), f, 0);
    capa->addWidget(dia_, f, 1);
    capa->addWidget(new QLabel(QStringLiteral("HORA      :"), this), f, 2);
    capa->addWidget(hora_, f++, 3);
    capa->addWidget(new QLabel(QStringLiteral("TEMPERATURA:"), this), f, 0);
    capa->addWidget(temperatura_, f, 1);
    capa->addWidget(new QLabel(QStringLiteral("PRESION           :"), this), f, 2);
    capa->addWidget(presion_, f++, 3);
    capa->addWidget(new QLabel(QStringLiteral("P.P.M.                :"), this), f, 0);
    capa->addWidget(ppm_, f++, 1);

    auto* grupoDistancia = new QGroupBox(QStringLiteral("Distancias"), this);
    auto* capaDistancia = new QVBoxLayout(grupoDistancia);
    const char* distancias[] = {"GEOMETRICAS", "GENERADORES", "Reducidas/Desnivel", "Reducidas/Vertical"};
    auto* botonesDistancia = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        distancia_[i] = new QRadioButton(QString::fromUtf8(distancias[i]), grupoDistancia);
        botonesDistancia->addButton(distancia_[i], i);
        capaDistancia->addWidget(distancia_[i]);
    }
    auto* grupoVertical = new QGroupBox(QStringLiteral("Vertical"), this);
    auto* capaVertical = new QVBoxLayout(grupoVertical);
    const char* verticales[] = {"ZENITAL", "INCLINACION", "NADIRAL"};
    auto* botonesVertical = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        vertical_[i] = new QRadioButton(QString::fromUtf8(verticales[i]), grupoVertical);
        botonesVertical->addButton(vertical_[i], i);
        capaVertical->addWidget(vertical_[i]);
    }
    capa->addWidget(grupoDistancia, f, 0, 1, 2);
    capa->addWidget(grupoVertical, f++, 2, 1, 2);

    angular_ = new QComboBox(this);
    angular_->addItems({QStringLiteral("Centesimal"), QStringLiteral("Sexagesimal")});
    angular_->setObjectName(QStringLiteral("angular"));
    distancias_ = new QComboBox(this);
    distancias_->addItems({QStringLiteral("Metros"), QStringLiteral("Yardas")});
    capa->addWidget(new QLabel(QStringLiteral("Angular:"), this), f, 0);
    capa->addWidget(angular_, f, 1);
    capa->addWidget(new QLabel(QStringLiteral("Distancias :"), this), f, 2);
    capa->addWidget(distancias_, f++, 3);
    esfRefr_ = new QCheckBox(QStringLiteral("Datos YA Correg de Esf-Refr"), this);
    tempPres_ = new QCheckBox(QStringLiteral("Datos YA Correg de Temp-Pres"), this);
    tempPres_->setEnabled(false);
    capa->addWidget(esfRefr_, f, 0, 1, 2);
    capa->addWidget(tempPres_, f++, 2, 1, 2);
    capa->addWidget(new QLabel(QStringLiteral("COMENTARIOS :"), this), f, 0);
    capa->addWidget(comentarios_, f++, 1, 1, 3);
    capa->setRowStretch(f, 1);

    connect(botonInstrumento, &QPushButton::clicked, this, [this] {
        if (!elegirInstrumento) return;  // the program always gives one
        EdicionDatosComplementarios d = leer();
        d.elegirInstrumento(elegirInstrumento(d.instrumento));
        instrumento_->setText(qs(d.instrumento));
    });
}

void PanelDatosComplementarios::mostrar(const EdicionDatosComplementarios& d) {
    instrumento_->setText(qs(d.instrumento));
    operador_->setText(qs(d.operador));
    dia_->setText(qs(d.dia));
    hora_->setText(qs(d.hora));
    temperatura_->setText(qs(d.temperatura));
    presion_->setText(qs(d.presion));
    ppm_->setText(qs(d.ppm));
    comentarios_->setText(qs(d.comentarios));
    distancia_[std::clamp(d.tipoDistancia, 0, 3)]->setChecked(true);
    vertical_[std::clamp(d.tipoVertical, 0, 2)]->setChecked(true);
    angular_->setCurrentIndex(d.indiceAngular == 0 ? 0 : 1);
    distancias_->setCurrentIndex(d.indiceDistancia == 0 ? 0 : 1);
    esfRefr_->setChecked(d.corregidoEsfRefr);
    tempPres_->setChecked(d.corregidoTempPres);
}

EdicionDatosComplementarios PanelDatosComplementarios::leer() const {
    EdicionDatosComplementarios d;
    d.instrumento = utf8(instrumento_->text());
    d.operador = utf8(operador_->text());
    d.dia = utf8(dia_->text());
    d.hora = utf8(hora_->text());
    d.temperatura = utf8(temperatura_->text());
    d.presion = utf8(presion_->text());
    d.ppm = utf8(ppm_->text());
    d.comentarios = utf8(comentarios_->text());
    for (int i = 0; i < 4; ++i)
        if (distancia_[i]->isChecked()) d.tipoDistancia = i;
    for (int i = 0; i < 3; ++i)
        if (vertical_[i]->isChecked()) d.tipoVertical = i;
    d.indiceAngular = angular_->currentIndex() == 0 ? 0 : 1;
    d.indiceDistancia = distancias_->currentIndex() == 0 ? 0 : 1;
    d.corregidoEsfRefr = esfRefr_->isChecked();
    d.corregidoTempPres = tempPres_->isChecked();
    return d;
}

// ---------------------------------------------------------------- the sheet

DialogoConfiguracion::DialogoConfiguracion(CConfiguracion& configuracion, QWidget* padre)
    : QDialog(padre), configuracion_(configuracion), paginas_(new QTabWidget(this)) {
    setWindowTitle(QString::fromUtf8(CConfiguracion::kTitulo));
    setObjectName(QStringLiteral("configuracion"));
    auto* capa = new QVBoxLayout(this);
    capa->addWidget(paginas_);
    paginas_->addTab(crearCalculo(), QStringLiteral("CALCULO"));
    datos_ = new PanelDatosComplementarios(this);
    datos_->mostrar(configuracion_.importar.datos);
    paginas_->addTab(datos_, QStringLiteral("IMPORTAR"));
    paginas_->addTab(crearVarios(), QStringLiteral("VARIOS"));
    // The sheet has no Apply and no Help.
    auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    capa->addWidget(botones);
}

void DialogoConfiguracion::fijarDialogos(DialogosGestor* dialogos, std::string directorioTrabajo) {
    dialogos_ = dialogos;
    directorio_ = std::move(directorioTrabajo);
}

QWidget* DialogoConfiguracion::crearCalculo() {
    const CConfigCalculo& c = configuracion_.calculo;
    auto* pagina = new QWidget(this);
    auto* capa = new QGridLayout(pagina);
    proyeccion_ = new QComboBox(pagina);
    for (const char* t : kTitulosProyeccion) proyeccion_->addItem(QString::fromUtf8(t));
    proyeccion_->setCurrentIndex(c.proyeccion);
    proyeccion_->setObjectName(QStringLiteral("proyeccion"));
    huso_ = new QSpinBox(pagina);
    huso_->setRange(kHusoMinimo, kHusoMaximo);
    huso_->setValue(c.huso);
    huso_->setObjectName(QStringLiteral("huso"));
    datum_ = new QComboBox(pagina);
    for (const char* t : kNombresDatum) datum_->addItem(QString::fromUtf8(t));
    datum_->setCurrentIndex(c.datum);
    datum_->setObjectName(QStringLiteral("datum"));
    escala_ = edicion(c.escalaAdicional, pagina);
    escala_->setObjectName(QStringLiteral("escala"));
    auto* rElip = new QPushButton(QStringLiteral("R.Elip"), pagina);
    coeficiente_ = edicion(c.coeficiente, pagina, 0, false);
    radio_ = edicion(c.radioTerrestre, pagina, 0, false);
    longitudinal_ = edicion(c.desplazamientoLongitudinal, pagina, 4, false);
    transversal_ = edicion(c.desplazamientoTransversal, pagina, 4, false);
    altura_ = edicion(c.desplazamientoAltura, pagina, 4, false);
    precisionX_ = edicion(c.precisionX, pagina, 4);
    precisionY_ = edicion(c.precisionY, pagina, 4);
    precisionZ_ = edicion(c.precisionZ, pagina, 4);
    informes_ = edicion(c.ficheroInformes, pagina, 255);
    auto* botonInformes = new QPushButton(QStringLiteral("Fichero de Informes:"), pagina);

    int f = 0;
    capa->addWidget(new QLabel(QStringLiteral("Proyección"), pagina), f, 0);
    capa->addWidget(proyeccion_, f++, 1);
    capa->addWidget(new QLabel(QStringLiteral("Huso UTM y datum del trabajo"), pagina), f, 0);
    capa->addWidget(huso_, f, 1);
    capa->addWidget(datum_, f++, 2);
    capa->addWidget(new QLabel(QStringLiteral("Escala Adicional al Cálculo:"), pagina), f, 0);
    capa->addWidget(escala_, f, 1);
    capa->addWidget(rElip, f++, 2);
    capa->addWidget(new QLabel(QStringLiteral("Coef para corrección de Curvatura + Refracción"), pagina), f, 0);
    capa->addWidget(coeficiente_, f++, 1);
    capa->addWidget(new QLabel(QStringLiteral("Radio Terrestre:"), pagina), f, 0);
    capa->addWidget(radio_, f++, 1);
    // The prefixes are texts printed before each value: titled and shown at
    // work, so that "Px=" does not read as the field's own label.
    auto* desplazamientos = new QGroupBox(QStringLiteral("Prefijo => desplazamientos"), pagina);
    auto* capaD = new QFormLayout(desplazamientos);
    capaD->addRow(QStringLiteral("En Distancia Longitudinal"), longitudinal_);
    capaD->addRow(QStringLiteral("En Distancia Transversal"), transversal_);
    capaD->addRow(QStringLiteral("En Distancia Altura"), altura_);
    auto* precisiones = new QGroupBox(QStringLiteral("Prefijo => precisiones de las Estaciones"), pagina);
    auto* capaP = new QFormLayout(precisiones);
    capaP->addRow(QStringLiteral("Para la X:"), precisionX_);
    capaP->addRow(QStringLiteral("Para la Y:"), precisionY_);
    capaP->addRow(QStringLiteral("Para la Z:"), precisionZ_);
    auto* ejemplo = new QLabel(precisiones);
    ejemplo->setObjectName(QStringLiteral("ejemploPrecision"));
    capaP->addRow(QStringLiteral("Se imprime:"), ejemplo);
    const auto mostrarEjemplo = [this, ejemplo] {
        ejemplo->setText(precisionX_->text() + QStringLiteral("0.012 ") + precisionY_->text() +
                         QStringLiteral("0.008 ") + precisionZ_->text() + QStringLiteral("0.015"));
    };
    for (QLineEdit* e : {precisionX_, precisionY_, precisionZ_}) connect(e, &QLineEdit::textChanged, this, mostrarEjemplo);
    mostrarEjemplo();
    capa->addWidget(desplazamientos, f, 0);
    capa->addWidget(precisiones, f++, 1, 1, 2);
    capa->addWidget(botonInformes, f, 0);
    capa->addWidget(informes_, f++, 1, 1, 2);
    capa->setRowStretch(f, 1);

    // Each choice brings the other along (Hayford is ED50).
    // On a copy: nothing reaches the settings before "Aceptar".
    const auto concordar = [this](bool porProyeccion) {
        CConfigCalculo eleccion = configuracion_.calculo;
        eleccion.proyeccion = proyeccion_->currentIndex();
        eleccion.datum = datum_->currentIndex();
        if (porProyeccion) eleccion.elegirProyeccion(eleccion.proyeccion);
        else eleccion.elegirDatum(eleccion.datum);
        const QSignalBlocker bp(proyeccion_), bd(datum_);
        proyeccion_->setCurrentIndex(eleccion.proyeccion);
        datum_->setCurrentIndex(eleccion.datum);
    };
    connect(proyeccion_, &QComboBox::currentIndexChanged, this, [concordar] { concordar(true); });
    connect(datum_, &QComboBox::currentIndexChanged, this, [concordar] { concordar(false); });
    connect(rElip, &QPushButton::clicked, this, [this] {
        if (!pedirFactorElipsoide) return;  // the program always gives one
        if (const auto factor = pedirFactorElipsoide()) {
            CConfigCalculo copia = configuracion_.calculo;
            copia.fijarFactorElipsoide(*factor);
            escala_->setText(qs(copia.escalaAdicional));
        }
    });
    connect(botonInformes, &QPushButton::clicked, this, [this] {
        if (!dialogos_) return;
        CConfigCalculo copia = configuracion_.calculo;
        copia.ficheroInformes = utf8(informes_->text());
        copia.elegirFicheroInformes(*dialogos_, directorio_);
        informes_->setText(qs(copia.ficheroInformes));
    });
    return pagina;
}

QWidget* DialogoConfiguracion::crearVarios() {
    const CConfigVarios& v = configuracion_.varios;
    auto* pagina = new QWidget(this);
    auto* capa = new QGridLayout(pagina);
    estaciones_ = new QCheckBox(QStringLiteral("Dibujar Estaciones"), pagina);
    puntos_ = new QCheckBox(QStringLiteral("Dibujar Ptos"), pagina);
    visuales_ = new QCheckBox(QStringLiteral("Dibujar Visuales"), pagina);
    estaciones_->setChecked(v.dibujarEstaciones);
    puntos_->setChecked(v.dibujarPuntos);
    visuales_->setChecked(v.dibujarVisuales);
    visuales_->setObjectName(QStringLiteral("dibujarVisuales"));
    instrumentos_ = edicion(v.ficheroInstrumentos, pagina, 255);
    datosTrabajo_ = edicion(v.ficheroDatosTrabajo, pagina, 255);
    logo_ = edicion(v.ficheroLogoEmpresa, pagina, 255);
    idioma_ = new QComboBox(pagina);
    idioma_->addItem(QStringLiteral("CASTELLANO"));
    int f = 0;
    capa->addWidget(estaciones_, f++, 0, 1, 2);
    capa->addWidget(puntos_, f++, 0, 1, 2);
    capa->addWidget(visuales_, f++, 0, 1, 2);
    capa->addWidget(new QLabel(QStringLiteral("Fichero Instrumentos      :"), pagina), f, 0);
    capa->addWidget(instrumentos_, f++, 1);
    capa->addWidget(new QLabel(QStringLiteral("Fichero Datos Trabajo    :"), pagina), f, 0);
    capa->addWidget(datosTrabajo_, f++, 1);
    capa->addWidget(new QLabel(QStringLiteral("Fichero *.BMP Empresa  : "), pagina), f, 0);
    capa->addWidget(logo_, f++, 1);
    capa->addWidget(new QLabel(QStringLiteral("Idioma:"), pagina), f, 0);
    capa->addWidget(idioma_, f++, 1);
    // The colour buttons are shown and do nothing.
    const char* colores[] = {"De la Tabla con Coordenadas    :", "De la Tabla Con Observaciones :",
                             "Del Gestor de Observaciones     :"};
    for (int i = 0; i < 3; ++i) {
        auto* boton = new QPushButton(QString::fromUtf8(colores[i]), pagina);
        auto* muestra = new QLabel(pagina);
        muestra->setAutoFillBackground(true);
        muestra->setFrameShape(QFrame::Box);
        muestra->setMinimumSize(40, 18);
        QPalette p = muestra->palette();
        p.setColor(QPalette::Window, colorDe(v.colores[static_cast<std::size_t>(i)]));
        muestra->setPalette(p);
        capa->addWidget(boton, f, 0);
        capa->addWidget(muestra, f++, 1, Qt::AlignLeft);
    }
    capa->setRowStretch(f, 1);
    return pagina;
}

void DialogoConfiguracion::leerCalculo() {
    CConfigCalculo& c = configuracion_.calculo;
    c.proyeccion = proyeccion_->currentIndex();
    c.huso = huso_->value();
    c.datum = datum_->currentIndex();
    c.escalaAdicional = utf8(escala_->text());
    c.coeficiente = utf8(coeficiente_->text());
    c.radioTerrestre = utf8(radio_->text());
    c.desplazamientoLongitudinal = utf8(longitudinal_->text());
    c.desplazamientoTransversal = utf8(transversal_->text());
    c.desplazamientoAltura = utf8(altura_->text());
    c.precisionX = utf8(precisionX_->text());
    c.precisionY = utf8(precisionY_->text());
    c.precisionZ = utf8(precisionZ_->text());
    c.ficheroInformes = utf8(informes_->text());
}

void DialogoConfiguracion::accept() {
    leerCalculo();
    configuracion_.importar.datos = datos_->leer();
    CConfigVarios& v = configuracion_.varios;
    v.dibujarEstaciones = estaciones_->isChecked();
    v.dibujarPuntos = puntos_->isChecked();
    v.dibujarVisuales = visuales_->isChecked();
    v.ficheroInstrumentos = utf8(instrumentos_->text());
    v.ficheroDatosTrabajo = utf8(datosTrabajo_->text());
    v.ficheroLogoEmpresa = utf8(logo_->text());
    v.idioma = 0;
    QDialog::accept();
}

}  // namespace celvara::ui

#include "ui/datos/instrumentos_dialogos.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "fieldbook/codificacion.h"
#include "ui/comun/gestor_avisos_qt.h"

namespace celvara::ui {

namespace {

QString deRegistro(std::string_view cp1252) { return QString::fromStdString(cp1252AUtf8(cp1252)); }
std::string aRegistro(const QString& texto) { return utf8ACp1252(texto.toStdString()); }

// One edit of the editor: the field it shows, its label and unit.
struct DefinicionCampo {
    std::string CamposInstrumento::*campo;
    const char* objeto;
    const char* etiqueta;
    const char* unidad;
    int longitud;
};

const std::array<DefinicionCampo, 17> kCampos{{
    {&CamposInstrumento::numero, "numero", "Nº", "", 12},                          // 1032
    {&CamposInstrumento::marca, "marca", "MARCA:", "", 17},                         // 1020
    {&CamposInstrumento::aumentos, "aumentos", "Aumentos :", "", 12},               // 1021
    {&CamposInstrumento::alcance1Prisma, "alcance1", "Alcance 1 P:", "m", 12},      // 1022
    {&CamposInstrumento::alcance3Prismas, "alcance3", "Alcance 3 P:", "m", 12},     // 1023
    {&CamposInstrumento::precisionDistancia, "precision", "Precisión :", "mm +-", 20},  // 1024
    {&CamposInstrumento::ppm, "ppm", "", "ppm", 20},                                // 1025
    {&CamposInstrumento::excentricidad, "excentricidad", "Exc", "m", 20},           // 1035
    {&CamposInstrumento::lecturaAngular, "lectura", "Lectura       :", "cc", 20},   // 1026
    {&CamposInstrumento::precisionH, "precisionH", "Precisión H :", "cc", 20},      // 1027
    {&CamposInstrumento::precisionV, "precisionV", "Precisión V :", "cc", 20},      // 1028
    {&CamposInstrumento::errorH, "errorH", "Error H :", "cc", 20},                  // 1033
    {&CamposInstrumento::errorV, "errorV", "Error V :", "cc", 20},                  // 1034
    {&CamposInstrumento::nivelEsferico, "nivelEsferico", "Nivel Esferico:", "'", 12},  // 1030
    {&CamposInstrumento::nivelTorico, "nivelTorico", "Compensa. Vertical:", "cc", 12}, // 1029
    {&CamposInstrumento::ejesCompensador, "ejes", "COMPENSADOR:", "Ejes.", 12},     // 1031
    {&CamposInstrumento::ficheroFoto, "ficheroFoto", "FICHERO FOTO ESTACION", "", 255},  // 1080
}};

QPushButton* boton(const char* texto, const char* objeto, QWidget* padre) {
    auto* b = new QPushButton(QString::fromUtf8(texto), padre);
    b->setObjectName(QString::fromUtf8(objeto));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

// ---------------------------------------------------------------------------
// NOMBRE DEL INSTRUMENTO

DialogoNombreInstrumento::DialogoNombreInstrumento(QWidget* padre) : QDialog(padre) {
    setWindowTitle(QStringLiteral("NOMBRE DEL INSTRUMENTO"));
    nombre_ = new QLineEdit(this);
    nombre_->setObjectName(QStringLiteral("nombre"));
    nombre_->setMaxLength(49);
    auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    botones->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
    botones->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(new QLabel(QStringLiteral("Introducir Nombre de la Estación Total:"), this));
    todo->addWidget(nombre_);
    todo->addWidget(botones);
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString DialogoNombreInstrumento::nombre() const { return nombre_->text(); }

std::optional<QString> DialogoNombreInstrumento::pedir(QWidget* padre) {
    DialogoNombreInstrumento dialogo(padre);
    if (dialogo.exec() != QDialog::Accepted) return std::nullopt;
    return dialogo.nombre();
}

// ---------------------------------------------------------------------------
// CARACTERISTICAS DE LAS ESTACIONES TOTALES

DialogoEditorInstrumentos::DialogoEditorInstrumentos(const CDatosGenerales& ajustes, const MapaRutas& mapa,
                                                     Avisos& avisos, QWidget* padre)
    : QDialog(padre), logica_(ajustes, mapa, avisos), mapa_(mapa) {
    setWindowTitle(QStringLiteral("CARACTERISTICAS DE LAS ESTACIONES TOTALES"));

    pedirNombre = [this] { return DialogoNombreInstrumento::pedir(this); };
    pedirFoto = [this]() -> std::optional<QString> {
        QFileDialog dialogo(this);
        dialogo.setAcceptMode(QFileDialog::AcceptOpen);
        dialogo.setFileMode(QFileDialog::ExistingFile);
        dialogo.setDefaultSuffix(QStringLiteral("bmp"));
        dialogo.setNameFilter(QStringLiteral("Archivos de imagen (*.BMP *.bmp)"));
        if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return std::nullopt;
        return dialogo.selectedFiles().front();
    };

    nombres_ = new QComboBox(this);
    nombres_->setObjectName(QStringLiteral("nombres"));
    nombres_->setMinimumContentsLength(30);

    auto* rejilla = new QGridLayout;
    rejilla->addWidget(new QLabel(QStringLiteral("NOMBRE ESTACION TOTAL :"), this), 0, 0);
    rejilla->addWidget(nombres_, 0, 1, 1, 2);
    for (std::size_t k = 0; k < kCampos.size(); ++k) {
        const auto& d = kCampos[k];
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromUtf8(d.objeto));
        edit->setMaxLength(d.longitud);
        edits_[k] = edit;
        const int fila = static_cast<int>(k) + 1;
        rejilla->addWidget(new QLabel(QString::fromUtf8(d.etiqueta), this), fila, 0);
        rejilla->addWidget(edit, fila, 1);
        rejilla->addWidget(new QLabel(QString::fromUtf8(d.unidad), this), fila, 2);
    }
    edits_[0]->setReadOnly(true);  // the number is never typed

    foto_ = new QLabel(this);
    foto_->setObjectName(QStringLiteral("imagenFoto"));
    foto_->setFixedSize(200, 150);
    foto_->setFrameShape(QFrame::Box);
    foto_->setAlignment(Qt::AlignCenter);
    auto* botonFoto = boton("Foto...", "foto", this);
    auto* columnaFoto = new QVBoxLayout;
    columnaFoto->addWidget(foto_);
    columnaFoto->addWidget(botonFoto);
    columnaFoto->addStretch();

    auto* anadir = boton("AÑADIR", "anadir", this);
    auto* grabar = boton("GRABAR", "grabar", this);
    auto* borrar = boton("BORRAR", "borrar", this);
    auto* salir = boton("SALIR", "salir", this);
    auto* botones = new QHBoxLayout;
    for (auto* b : {anadir, grabar, borrar}) botones->addWidget(b);
    botones->addStretch();
    botones->addWidget(salir);

    auto* arriba = new QHBoxLayout;
    arriba->addLayout(rejilla);
    arriba->addLayout(columnaFoto);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(arriba);
    todo->addLayout(botones);

    connect(nombres_, &QComboBox::activated, this, &DialogoEditorInstrumentos::elegir);
    connect(anadir, &QPushButton::clicked, this, &DialogoEditorInstrumentos::anadir);
    connect(grabar, &QPushButton::clicked, this, &DialogoEditorInstrumentos::grabar);
    connect(borrar, &QPushButton::clicked, this, &DialogoEditorInstrumentos::borrar);
    connect(botonFoto, &QPushButton::clicked, this, &DialogoEditorInstrumentos::elegirFoto);
    connect(salir, &QPushButton::clicked, this, &DialogoEditorInstrumentos::salir);
    connect(edits_.back(), &QLineEdit::editingFinished, this, [this] {
        leerCampos();
        mostrarFoto();
    });

    logica_.abrir();
    mostrarNombres();
    mostrarCampos();
}

void DialogoEditorInstrumentos::mostrarNombres() {
    const QSignalBlocker bloqueo(nombres_);
    nombres_->clear();
    for (const auto& n : logica_.nombres()) nombres_->addItem(deRegistro(n));
    nombres_->setCurrentIndex(logica_.seleccion());
}

void DialogoEditorInstrumentos::mostrarCampos() {
    const CamposInstrumento& c = logica_.campos();
    for (std::size_t k = 0; k < kCampos.size(); ++k) edits_[k]->setText(deRegistro(c.*(kCampos[k].campo)));
    mostrarFoto();
}

void DialogoEditorInstrumentos::leerCampos() {
    CamposInstrumento& c = logica_.campos();
    for (std::size_t k = 0; k < kCampos.size(); ++k) c.*(kCampos[k].campo) = aRegistro(edits_[k]->text());
}

void DialogoEditorInstrumentos::mostrarFoto() {
    const QPixmap imagen(QString::fromStdString(mapa_.aAnfitrion(cp1252AUtf8(logica_.fotoMostrada())).string()));
    if (imagen.isNull())
        foto_->clear();
    else
        foto_->setPixmap(imagen.scaled(foto_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void DialogoEditorInstrumentos::elegirInicial(int indice) {
    if (indice < 0 || indice >= static_cast<int>(logica_.nombres().size())) return;
    logica_.elegir(indice);
    mostrarNombres();
    mostrarCampos();
}

void DialogoEditorInstrumentos::elegir(int indice) {
    logica_.elegir(indice);
    mostrarCampos();
}

void DialogoEditorInstrumentos::anadir() {
    leerCampos();
    const auto nombre = pedirNombre ? pedirNombre() : std::nullopt;
    logica_.anadir(nombre ? std::optional<std::string>(aRegistro(*nombre)) : std::nullopt);
    mostrarNombres();
    mostrarCampos();
}

void DialogoEditorInstrumentos::grabar() {
    leerCampos();
    logica_.grabar();
    mostrarNombres();
}

void DialogoEditorInstrumentos::borrar() {
    leerCampos();
    logica_.borrar();
    mostrarNombres();
    mostrarCampos();
}

void DialogoEditorInstrumentos::elegirFoto() {
    leerCampos();
    const auto ruta = pedirFoto ? pedirFoto() : std::nullopt;
    std::optional<std::string> rutaWindows;
    if (ruta) rutaWindows = utf8ACp1252(mapa_.aWindows(std::filesystem::path(ruta->toStdString())));
    logica_.elegirFoto(rutaWindows);
    edits_.back()->setText(deRegistro(logica_.campos().ficheroFoto));
    mostrarFoto();
}

void DialogoEditorInstrumentos::salir() {
    if (logica_.salir()) {
        cerrando_ = true;
        accept();
    }
}

void DialogoEditorInstrumentos::closeEvent(QCloseEvent* evento) {
    if (cerrando_) {
        evento->accept();
        return;
    }
    if (logica_.salir()) {
        cerrando_ = true;
        evento->accept();
        QDialog::closeEvent(evento);
    } else {
        evento->ignore();
    }
}

// Escape is closing the window too.
void DialogoEditorInstrumentos::reject() {
    if (cerrando_ || logica_.salir()) {
        cerrando_ = true;
        QDialog::reject();
    }
}

// ---------------------------------------------------------------------------
// LISTADO DE ESTACIONES

DialogoListadoInstrumentos::DialogoListadoInstrumentos(const CDatosGenerales& ajustes, const MapaRutas& mapa,
                                                       Avisos& avisos, QWidget* padre)
    : QDialog(padre), logica_(ajustes, mapa, avisos) {
    setWindowTitle(QStringLiteral("LISTADO DE ESTACIONES"));
    ejecutarEditor = [this, &ajustes, &mapa, &avisos] {
        DialogoEditorInstrumentos editor(ajustes, mapa, avisos, this);
        editor.elegirInicial(filaAlEditor_);
        editor.exec();
    };

    nombres_ = new QListWidget(this);
    nombres_->setObjectName(QStringLiteral("nombres"));
    auto* marco = new QGroupBox(QStringLiteral("CARACTERISTICAS"), this);
    auto* columna = new QVBoxLayout(marco);
    for (std::size_t k = 0; k < lineas_.size(); ++k) {
        lineas_[k] = new QLabel(marco);
        lineas_[k]->setObjectName(QStringLiteral("caracteristica%1").arg(k));
        columna->addWidget(lineas_[k]);
    }
    columna->addStretch();

    auto* editor = boton("Editor...", "editor", this);
    auto* aceptar = boton("Aceptar", "aceptar", this);
    aceptar->setDefault(true);
    auto* cancelar = boton("Cancelar", "cancelar", this);
    auto* botones = new QHBoxLayout;
    botones->addWidget(editor);
    botones->addStretch();
    botones->addWidget(aceptar);
    botones->addWidget(cancelar);

    auto* arriba = new QHBoxLayout;
    arriba->addWidget(nombres_);
    arriba->addWidget(marco);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(arriba);
    todo->addLayout(botones);

    connect(nombres_, &QListWidget::currentRowChanged, this, [this](int fila) {
        logica_.elegir(fila);
        mostrarDescripcion();
    });
    connect(nombres_, &QListWidget::itemDoubleClicked, this, &DialogoListadoInstrumentos::aceptar);
    connect(editor, &QPushButton::clicked, this, &DialogoListadoInstrumentos::editor);
    connect(aceptar, &QPushButton::clicked, this, &DialogoListadoInstrumentos::aceptar);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);

    logica_.abrir();
    mostrarNombres();
}

void DialogoListadoInstrumentos::mostrarNombres() {
    const QSignalBlocker bloqueo(nombres_);
    nombres_->clear();
    for (const auto& n : logica_.nombres()) nombres_->addItem(deRegistro(n));
    nombres_->setCurrentRow(logica_.seleccion());
    mostrarDescripcion();
}

void DialogoListadoInstrumentos::mostrarDescripcion() {
    const auto texto = logica_.descripcion();
    for (std::size_t k = 0; k < lineas_.size(); ++k)
        lineas_[k]->setText(k < texto.size() ? deRegistro(texto[k]) : QString());
}

void DialogoListadoInstrumentos::editor() {
    filaAlEditor_ = logica_.seleccion();
    logica_.antesDelEditor();
    mostrarNombres();
    if (ejecutarEditor) ejecutarEditor();
    logica_.despuesDelEditor();
    mostrarNombres();
}

void DialogoListadoInstrumentos::aceptar() {
    elegido_ = logica_.aceptar();
    accept();
}

bool abrirListadoInstrumentos(QWidget* padre, const CDatosGenerales& ajustes, const MapaRutas& mapa,
                              std::string* nombreElegido) {
    AvisosQt avisos(padre);
    DialogoListadoInstrumentos dialogo(ajustes, mapa, avisos, padre);
    if (dialogo.exec() != QDialog::Accepted || !dialogo.nombreElegido()) return false;
    if (nombreElegido) *nombreElegido = *dialogo.nombreElegido();
    return true;
}

void abrirEditorInstrumentos(QWidget* padre, const CDatosGenerales& ajustes, const MapaRutas& mapa) {
    AvisosQt avisos(padre);
    DialogoEditorInstrumentos dialogo(ajustes, mapa, avisos, padre);
    dialogo.exec();
}

}  // namespace celvara::ui

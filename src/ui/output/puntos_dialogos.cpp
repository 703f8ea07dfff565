#include "ui/output/puntos_dialogos.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "manager/coordenadas_comandos.h"

namespace celvara::ui {

namespace {

QString qs(const std::string& utf8) { return QString::fromStdString(utf8); }

// The export formats for the file dialog, the one of the last export first.
std::string filtroExportar(const std::string& primero) {
    const std::pair<const char*, const char*> formatos[] = {
        {"csv", "CSV"}, {"txt", "Texto"}, {"dxf", "DXF"}, {"xml", "LandXML"}, {"kml", "KML"}};
    std::string delante, detras;
    for (const auto& [extension, nombre] : formatos)
        (primero == extension ? delante : detras) += std::string(nombre) + "|*." + extension + "|";
    return delante + detras + "|";
}

// What was done, naming the file as the window shows it (C:\...), not by its host path.
Resultado nombrandoEnWindows(Resultado r, const std::filesystem::path& anfitrion, const LugarFicheros& lugar) {
    const std::string host = anfitrion.string();
    if (const auto p = r.mensaje.find(host); r.ok && p != std::string::npos)
        r.mensaje.replace(p, host.size(), lugar.aWindows(anfitrion).toStdString());
    return r;
}

// The preferences file, or nothing kept when it cannot be read.
std::optional<AjustesPropios> cargarIni(const std::filesystem::path& ruta) {
    AjustesPropios ini;
    if (ruta.empty() || !ini.cargar(ruta)) return std::nullopt;
    return ini;
}

QWidget* conExaminar(QLineEdit* edit, const QString& nombreBoton, std::function<void()> examinar) {
    auto* fila = new QWidget;
    auto* h = new QHBoxLayout(fila);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(edit, 1);
    auto* boton = new QPushButton(QStringLiteral("..."));
    boton->setObjectName(nombreBoton);
    QObject::connect(boton, &QPushButton::clicked, edit, std::move(examinar));
    h->addWidget(boton);
    return fila;
}

QHBoxLayout* botones(QDialog* d, std::function<void()> aceptar) {
    auto* h = new QHBoxLayout;
    h->addStretch();
    auto* a = new QPushButton(QStringLiteral("Aceptar"));
    a->setObjectName(QStringLiteral("aceptar"));
    a->setDefault(true);
    auto* c = new QPushButton(QStringLiteral("Cancelar"));
    c->setObjectName(QStringLiteral("cancelar"));
    QObject::connect(a, &QPushButton::clicked, d, std::move(aceptar));
    QObject::connect(c, &QPushButton::clicked, d, &QDialog::reject);
    h->addWidget(a);
    h->addWidget(c);
    return h;
}

}  // namespace

class OpcionesColumnasQt : public QObject {
public:
    OpcionesColumnasQt(QFormLayout* f, QObject* padre) : QObject(padre) {
        columnas = new QLineEdit(QStringLiteral("nombre,x,y,z,codigo"));
        columnas->setObjectName(QStringLiteral("columnas"));
        columnas->setToolTip(QStringLiteral("nombre, x, y, z, codigo; n y e para el orden N E Z"));
        separador = new QComboBox;
        separador->setObjectName(QStringLiteral("separador"));
        separador->setEditable(true);
        separador->addItems({QStringLiteral(","), QStringLiteral(";"), QStringLiteral("tab"), QStringLiteral("espacio")});
        cabecera = new QCheckBox(QStringLiteral("Fila de cabecera"));
        cabecera->setObjectName(QStringLiteral("cabecera"));
        f->addRow(QStringLiteral("Columnas:"), columnas);
        f->addRow(QStringLiteral("Separador:"), separador);
        f->addRow(QString(), cabecera);
    }

    // nullopt with the reason when the columns or the separator are wrong.
    std::optional<OpcionesTexto> leer(std::string& error) const {
        OpcionesTexto t;
        const auto c = leerColumnas(columnas->text().toStdString(), error);
        if (!c) return std::nullopt;
        const auto s = leerSeparador(separador->currentText().toStdString(), error);
        if (!s) return std::nullopt;
        t.columnas = *c;
        t.separador = *s;
        t.cabecera = cabecera->isChecked();
        return t;
    }

    QLineEdit* columnas = nullptr;
    QComboBox* separador = nullptr;
    QCheckBox* cabecera = nullptr;
};

// ---- Export.

DialogoExportarPuntos::DialogoExportarPuntos(ListaPuntos puntos, Proyeccion proyeccion, LugarFicheros lugar,
                                             QWidget* padre, ProyeccionTrabajo trabajo)
    : QDialog(padre), puntos_(std::move(puntos)), lugar_(std::move(lugar)), datum_(trabajo.datum) {
    setWindowTitle(QStringLiteral("Exportar puntos"));
    auto* v = new QVBoxLayout(this);
    auto* f = new QFormLayout;
    v->addLayout(f);
    destino_ = new QLineEdit;
    destino_->setObjectName(QStringLiteral("destino"));
    f->addRow(QStringLiteral("Fichero (.csv .txt .dxf .xml .kml):"),
              conExaminar(destino_, QStringLiteral("examinar"), [this] { examinar(); }));
    const auto ini = cargarIni(lugar_.ajustesPropios);
    const PreferenciasExportacion recordadas = ini ? PreferenciasExportacion::leer(*ini) : PreferenciasExportacion{};
    formato_ = recordadas.formato;
    columnas_ = new OpcionesColumnasQt(f, this);
    columnas_->columnas->setText(qs(recordadas.columnas));
    columnas_->separador->setCurrentText(qs(recordadas.separador));
    columnas_->cabecera->setChecked(recordadas.cabecera);
    decimales_ = new QSpinBox;
    decimales_->setObjectName(QStringLiteral("decimales"));
    decimales_->setRange(0, kMaxDecimales);
    decimales_->setValue(recordadas.decimales);
    f->addRow(QStringLiteral("Decimales:"), decimales_);
    proyeccion_ = new QComboBox;
    proyeccion_->setObjectName(QStringLiteral("proyeccion"));
    // In the order of the book's projection values.
    proyeccion_->addItems({QStringLiteral("Planas"), QStringLiteral("UTM ED-50"), QStringLiteral("UTM WGS 84")});
    const int p = static_cast<int>(proyeccion);
    proyeccion_->setCurrentIndex(p >= 0 && p <= 2 ? p : 0);
    f->addRow(QStringLiteral("Proyección (KML):"), proyeccion_);
    huso_ = new QSpinBox;
    huso_->setObjectName(QStringLiteral("huso"));
    huso_->setRange(kHusoMinimo, kHusoMaximo);
    huso_->setValue(trabajo.huso >= kHusoMinimo && trabajo.huso <= kHusoMaximo ? trabajo.huso : kHusoPorDefecto);
    f->addRow(QStringLiteral("Huso UTM (KML, LandXML):"), huso_);
    v->addLayout(botones(this, [this] { aceptar(); }));
}

void DialogoExportarPuntos::examinar() {
    PeticionFichero p;
    p.guardar = true;
    p.confirmarSobrescribir = true;
    p.extension = formato_;
    p.filtro = filtroExportar(formato_);
    p.recordar = "exportar";
    if (const auto r = lugar_.pedir(this, p)) destino_->setText(qs(*r));
}

Resultado DialogoExportarPuntos::exportar() {
    std::string error;
    const auto t = columnas_->leer(error);
    if (!t) return {false, error};
    OpcionesExportacion o;
    o.texto = *t;
    o.texto.decimales = decimales_->value();
    o.proyeccion = static_cast<Proyeccion>(proyeccion_->currentIndex());
    o.trabajo = {huso_->value(), datum_};
    if (destino_->text().trimmed().isEmpty()) return {false, "Indique el fichero de salida"};
    const std::filesystem::path destino = lugar_.anfitrion(destino_->text());
    Resultado r = nombrandoEnWindows(exportarPuntos(puntos_, destino, o), destino, lugar_);
    if (!r.ok) return r;
    // What was chosen comes back in the next export.
    if (auto ini = cargarIni(lugar_.ajustesPropios)) {
        PreferenciasExportacion p;
        p.formato = QString::fromStdString(destino.extension().string()).mid(1).toLower().toStdString();
        p.columnas = columnas_->columnas->text().trimmed().toStdString();
        p.separador = columnas_->separador->currentText().toStdString();
        p.decimales = decimales_->value();
        p.cabecera = columnas_->cabecera->isChecked();
        p.escribir(*ini);
        ini->guardar(lugar_.ajustesPropios);
    }
    return r;
}

void DialogoExportarPuntos::aceptar() {
    const Resultado r = exportar();
    if (!r.ok) {
        QMessageBox::warning(this, windowTitle(), qs(r.mensaje));
        return;
    }
    hecho_ = r.mensaje;
    escrito_ = lugar_.anfitrion(destino_->text());
    accept();
}

// ---- Import.

DialogoImportarPuntos::DialogoImportarPuntos(LugarFicheros lugar, const QString& destino, QWidget* padre)
    : QDialog(padre), lugar_(std::move(lugar)) {
    setWindowTitle(QStringLiteral("Importar puntos"));
    preguntar = [this](const QString& lineas) {
        return QMessageBox::question(this, windowTitle(),
                                     lineas + QStringLiteral("\n¿Omitir estas líneas e importar los demás puntos?")) ==
               QMessageBox::Yes;
    };
    auto* v = new QVBoxLayout(this);
    auto* f = new QFormLayout;
    v->addLayout(f);
    origen_ = new QLineEdit;
    origen_->setObjectName(QStringLiteral("origen"));
    f->addRow(QStringLiteral("Fichero CSV/TXT:"), conExaminar(origen_, QStringLiteral("examinarOrigen"), [this] {
                  PeticionFichero p;
                  p.debeExistir = true;
                  p.filtro = "CSV/TXT|*.csv;*.txt|Todos|*||";
                  p.recordar = "importarPuntos";
                  if (const auto r = lugar_.pedir(this, p)) origen_->setText(qs(*r));
              }));
    destino_ = new QLineEdit(destino);
    destino_->setObjectName(QStringLiteral("destino"));
    f->addRow(QStringLiteral("Fichero de coordenadas:"), conExaminar(destino_, QStringLiteral("examinarDestino"), [this] {
                  // The points may be added to a file that exists: no question here.
                  PeticionFichero p;
                  p.guardar = true;
                  p.extension = kExtensionCrd;
                  p.filtro = kFiltroCrd;
                  p.recordar = "coordenadas";
                  if (const auto r = lugar_.pedir(this, p)) destino_->setText(qs(*r));
              }));
    columnas_ = new OpcionesColumnasQt(f, this);
    anadir_ = new QCheckBox(QStringLiteral("Añadir a los puntos del fichero"));
    anadir_->setObjectName(QStringLiteral("anadir"));
    anadir_->setChecked(true);
    f->addRow(QString(), anadir_);
    v->addLayout(botones(this, [this] { aceptar(); }));
}

QString DialogoImportarPuntos::destino() const { return destino_->text().trimmed(); }

Resultado DialogoImportarPuntos::importar() {
    std::string error;
    const auto t = columnas_->leer(error);
    if (!t) return {false, error};
    if (origen_->text().trimmed().isEmpty() || destino().isEmpty())
        return {false, "Indique el fichero de puntos y el de coordenadas"};
    LecturaPuntosTexto lectura;
    const bool leida = leerFicheroPuntosTexto(lugar_.anfitrion(origen_->text()), *t, lectura, error);
    // The first lines by number; a box taller than the screen helps nobody.
    constexpr std::size_t kMostradas = 30;
    QString lista;
    for (std::size_t i = 0; i < lectura.erroneas.size() && i < kMostradas; ++i)
        lista += qs(lectura.erroneas[i].motivo) + QLatin1Char('\n');
    if (lectura.erroneas.size() > kMostradas)
        lista += QStringLiteral("... y %1 líneas erróneas más\n").arg(lectura.erroneas.size() - kMostradas);
    if (!leida) return {false, lista.isEmpty() ? error : error + "\n\n" + lista.toStdString()};
    if (!lectura.erroneas.empty() && !preguntar(lista)) return {false, "Importación cancelada: no se ha escrito nada"};
    const std::filesystem::path crd = lugar_.anfitrion(destino());
    return nombrandoEnWindows(grabarPuntosEnCrd(lectura.puntos, crd, anadir_->isChecked()), crd, lugar_);
}

void DialogoImportarPuntos::aceptar() {
    const Resultado r = importar();
    if (!r.ok) {
        QMessageBox::warning(this, windowTitle(), qs(r.mensaje));
        return;
    }
    hecho_ = r.mensaje;
    accept();
}

}  // namespace celvara::ui

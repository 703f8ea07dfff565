#include "ui/output/puntos_dialogos.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace celvara::ui {

namespace {

QString qs(const std::string& utf8) { return QString::fromStdString(utf8); }
std::filesystem::path ruta(const QString& texto) { return std::filesystem::path(texto.toStdString()); }

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

DialogoExportarPuntos::DialogoExportarPuntos(ListaPuntos puntos, Proyeccion proyeccion, const QString& carpeta,
                                             QWidget* padre, ProyeccionTrabajo trabajo)
    : QDialog(padre), puntos_(std::move(puntos)), carpeta_(carpeta), datum_(trabajo.datum) {
    setWindowTitle(QStringLiteral("Exportar puntos"));
    auto* v = new QVBoxLayout(this);
    auto* f = new QFormLayout;
    v->addLayout(f);
    destino_ = new QLineEdit;
    destino_->setObjectName(QStringLiteral("destino"));
    f->addRow(QStringLiteral("Fichero (.csv .txt .dxf .xml .kml):"),
              conExaminar(destino_, QStringLiteral("examinar"), [this] {
                  const QString r = QFileDialog::getSaveFileName(
                      this, QStringLiteral("Guardar como"), carpeta_,
                      QStringLiteral("CSV (*.csv);;Texto (*.txt);;DXF (*.dxf);;LandXML (*.xml);;KML (*.kml)"));
                  if (!r.isEmpty()) destino_->setText(r);
              }));
    columnas_ = new OpcionesColumnasQt(f, this);
    decimales_ = new QSpinBox;
    decimales_->setObjectName(QStringLiteral("decimales"));
    decimales_->setRange(0, kMaxDecimales);
    decimales_->setValue(3);
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
    return exportarPuntos(puntos_, ruta(destino_->text().trimmed()), o);
}

void DialogoExportarPuntos::aceptar() {
    const Resultado r = exportar();
    if (!r.ok) {
        QMessageBox::warning(this, windowTitle(), qs(r.mensaje));
        return;
    }
    hecho_ = r.mensaje;
    escrito_ = ruta(destino_->text().trimmed());
    accept();
}

// ---- Import.

DialogoImportarPuntos::DialogoImportarPuntos(const QString& carpeta, const QString& destino, QWidget* padre)
    : QDialog(padre), carpeta_(carpeta) {
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
                  const QString r = QFileDialog::getOpenFileName(this, QStringLiteral("Abrir"), carpeta_,
                                                                 QStringLiteral("CSV/TXT (*.csv *.txt);;Todos (*)"));
                  if (!r.isEmpty()) origen_->setText(r);
              }));
    destino_ = new QLineEdit(destino);
    destino_->setObjectName(QStringLiteral("destino"));
    f->addRow(QStringLiteral("Fichero de coordenadas:"), conExaminar(destino_, QStringLiteral("examinarDestino"), [this] {
                  const QString r = QFileDialog::getSaveFileName(this, QStringLiteral("Guardar como"), carpeta_,
                                                                 QStringLiteral("Archivos de Coordenadas (*.CRD *.crd)"),
                                                                 nullptr, QFileDialog::DontConfirmOverwrite);
                  if (!r.isEmpty()) destino_->setText(r);
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
    const bool leida = leerFicheroPuntosTexto(ruta(origen_->text().trimmed()), *t, lectura, error);
    // The first lines by number; a box taller than the screen helps nobody.
    constexpr std::size_t kMostradas = 30;
    QString lista;
    for (std::size_t i = 0; i < lectura.erroneas.size() && i < kMostradas; ++i)
        lista += qs(lectura.erroneas[i].motivo) + QLatin1Char('\n');
    if (lectura.erroneas.size() > kMostradas)
        lista += QStringLiteral("... y %1 líneas erróneas más\n").arg(lectura.erroneas.size() - kMostradas);
    if (!leida) return {false, lista.isEmpty() ? error : error + "\n\n" + lista.toStdString()};
    if (!lectura.erroneas.empty() && !preguntar(lista)) return {false, "Importación cancelada: no se ha escrito nada"};
    return grabarPuntosEnCrd(lectura.puntos, ruta(destino()), anadir_->isChecked());
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

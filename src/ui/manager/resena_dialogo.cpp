#include "ui/manager/resena_dialogo.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "fieldbook/codificacion.h"
#include "manager/gestor_dialogos.h"
#include "manager/gestor_documento.h"
#include "ui/output/imprimir_dialogo.h"

namespace celvara::ui {

namespace {

QString deCp1252(std::string_view texto) { return QString::fromStdString(cp1252AUtf8(texto)); }
std::string aCp1252(const QString& texto) { return utf8ACp1252(texto.toStdString()); }

constexpr int kAnchoImagen = 300;
constexpr int kAltoImagen = 220;

}  // namespace

DialogoResena::DialogoResena(CResena& logica, const CDatosGenerales& ajustes, const MapaRutas& mapa, QWidget* padre)
    : QDialog(padre), logica_(logica), ajustes_(ajustes), mapa_(mapa), lugar_(lugarFicheros(ajustes, mapa)) {
    setWindowTitle(QStringLiteral("Reseña de ") + deCp1252(logica_.estacion().nombre.vista()));
    const CamposResena& c = logica_.campos();

    tipo_ = new QComboBox(this);
    tipo_->setObjectName(QStringLiteral("tipo"));
    // In the order of TipoBase.
    tipo_->addItems({QStringLiteral("Feno"), QStringLiteral("Clavo"), QStringLiteral("Vertice Geodésico")});
    tipo_->setCurrentIndex(c.tipo);
    descripcion1_ = new QLineEdit(deCp1252(c.descripcion1), this);
    descripcion1_->setObjectName(QStringLiteral("descripcion1"));
    descripcion1_->setMaxLength(static_cast<int>(decltype(Estacion::descripcion1)::capacidad));
    descripcion2_ = new QLineEdit(deCp1252(c.descripcion2), this);
    descripcion2_->setObjectName(QStringLiteral("descripcion2"));
    descripcion2_->setMaxLength(static_cast<int>(decltype(Estacion::descripcion2)::capacidad));
    QString croquis = deCp1252(c.croquis);
    croquis.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    croquis_ = new QPlainTextEdit(croquis, this);
    croquis_->setObjectName(QStringLiteral("croquis"));

    auto* datos = new QFormLayout;
    datos->addRow(QStringLiteral("Señal :"), tipo_);
    datos->addRow(QStringLiteral("Descripción 1:"), descripcion1_);
    datos->addRow(QStringLiteral("Descripción 2:"), descripcion2_);
    datos->addRow(QStringLiteral("Croquis:"), croquis_);

    auto* imagenes = new QHBoxLayout;
    imagenes->addWidget(crearImagen(true));
    imagenes->addWidget(crearImagen(false));

    auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    botones->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
    botones->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    auto* previa = botones->addButton(QStringLiteral("Vista previa"), QDialogButtonBox::ActionRole);
    previa->setObjectName(QStringLiteral("vistaPrevia"));
    connect(previa, &QPushButton::clicked, this, &DialogoResena::vistaPrevia);
    connect(botones, &QDialogButtonBox::accepted, this, &DialogoResena::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* todo = new QVBoxLayout(this);
    todo->addLayout(datos, 1);
    todo->addLayout(imagenes);
    todo->addWidget(botones);
    mostrarImagen(true);
    mostrarImagen(false);
    resize(760, 640);  // within 1024×700 with the frame
}

// A framed picture box with its file name and the button that chooses it.
QWidget* DialogoResena::crearImagen(bool foto) {
    auto* grupo = new QGroupBox(foto ? QStringLiteral("Foto :") : QStringLiteral("Croquis (imagen):"), this);
    auto* imagen = new QLabel(grupo);
    imagen->setObjectName(foto ? QStringLiteral("imagenFoto") : QStringLiteral("imagenCroquis"));
    imagen->setFixedSize(kAnchoImagen, kAltoImagen);
    imagen->setFrameShape(QFrame::Box);
    imagen->setAlignment(Qt::AlignCenter);
    imagen->setWordWrap(true);
    auto* ruta = new QLabel(grupo);
    ruta->setObjectName(foto ? QStringLiteral("rutaFoto") : QStringLiteral("rutaCroquis"));
    ruta->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* elegir = new QPushButton(QStringLiteral("Seleccionar Fichero  *.BMP . --->"), grupo);
    elegir->setObjectName(foto ? QStringLiteral("elegirFoto") : QStringLiteral("elegirCroquis"));
    connect(elegir, &QPushButton::clicked, this, [this, foto] { elegirImagen(foto); });
    auto* capa = new QVBoxLayout(grupo);
    capa->addWidget(imagen, 0, Qt::AlignHCenter);
    capa->addWidget(ruta);
    capa->addWidget(elegir);
    (foto ? imagenFoto_ : imagenCroquis_) = imagen;
    (foto ? rutaFoto_ : rutaCroquis_) = ruta;
    return grupo;
}

void DialogoResena::elegirImagen(bool foto) {
    PeticionFichero p;
    p.extension = "bmp";
    p.filtro = kFiltroImagen;
    p.debeExistir = true;
    p.recordar = "imagenes";
    const auto ruta = lugar_.pedir(this, p);
    if (!ruta || ruta->empty()) return;
    (foto ? logica_.campos().ficheroFoto : logica_.campos().ficheroCroquis) = utf8ACp1252(*ruta);
    mostrarImagen(foto);
}

// Scaled into its box; a file that is not there leaves the box empty with its name.
void DialogoResena::mostrarImagen(bool foto) {
    const std::string& ruta = foto ? logica_.campos().ficheroFoto : logica_.campos().ficheroCroquis;
    QLabel* imagen = foto ? imagenFoto_ : imagenCroquis_;
    (foto ? rutaFoto_ : rutaCroquis_)->setText(deCp1252(ruta));
    const QPixmap pixmap(ruta.empty() ? QString() : QString::fromStdString(mapa_.aAnfitrion(ruta).string()));
    if (pixmap.isNull()) {
        imagen->setPixmap(QPixmap());
        imagen->setText(deCp1252(ruta));
        return;
    }
    imagen->setText({});
    imagen->setPixmap(pixmap.scaled(imagen->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void DialogoResena::leerCampos() {
    CamposResena& c = logica_.campos();
    if (tipo_->currentIndex() >= 0) c.tipo = tipo_->currentIndex();  // a kind unknown to the list stays
    c.descripcion1 = aCp1252(descripcion1_->text());
    c.descripcion2 = aCp1252(descripcion2_->text());
    logica_.fijarCroquis(aCp1252(croquis_->toPlainText()));
}

void DialogoResena::vistaPrevia() {
    leerCampos();
    abrirImprimir(this, logica_.libreta(), ajustes_, mapa_,
                  "Reseña", logica_.vistaPrevia(entornoListado(ajustes_, mapa_)));
}

void DialogoResena::accept() {
    leerCampos();
    if (logica_.aplicar()) QDialog::accept();
}

bool abrirResena(QWidget* padre, CDocumentoObservaciones& documento, const Estacion& estacion,
                 const MapaRutas& mapa) {
    CResena logica(documento, estacion);
    DialogoResena dialogo(logica, documento.ajustes(), mapa, padre);
    return dialogo.exec() == QDialog::Accepted;
}

}  // namespace celvara::ui

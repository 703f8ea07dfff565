#include "ui/datos/datos_trabajo_dialogo.h"

#include <QDialogButtonBox>
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
#include "ui/comun/gestor_avisos_qt.h"

namespace celvara::ui {

namespace {

struct DefinicionCampo {
    std::string CamposDatosTrabajo::*campo;
    const char* objeto;
    const char* etiqueta;
    int longitud;  // characters the record keeps
};

// Company block first, then the job.
const std::array<DefinicionCampo, 12> kCampos{{
    {&CamposDatosTrabajo::empresa, "empresa", "EMPRESA :", 49},                    // 1000
    {&CamposDatosTrabajo::direccion, "direccion", "Dirección   :", 69},            // 1001
    {&CamposDatosTrabajo::provinciaEmpresa, "provinciaEmpresa", "Provincia   :", 39},  // 1002
    {&CamposDatosTrabajo::telefonos, "telefonos", "Tfns. FAX  :", 19},             // 1003
    {&CamposDatosTrabajo::titulo, "titulo", "TITULO     :", 59},                   // 1004
    {&CamposDatosTrabajo::zona, "zona", "Zona          :", 59},                    // 1005
    {&CamposDatosTrabajo::terminoMunicipal, "terminoMunicipal", "T. Municipal  :", 59},  // 1011
    {&CamposDatosTrabajo::provinciaTrabajo, "provinciaTrabajo", "Provincia   :", 39},    // 1006
    {&CamposDatosTrabajo::cliente, "cliente", "CLIENTE   :", 59},                  // 1012
    {&CamposDatosTrabajo::codigo, "codigo", "Código         :", 4},                // 1013
    {&CamposDatosTrabajo::fechaInicio, "fechaInicio", "Fecha Inicio :", 11},       // 1010
    {&CamposDatosTrabajo::fechaFin, "fechaFin", "Fecha Fin     :", 11},            // 1008
}};

constexpr std::size_t kCamposEmpresa = 4;

}  // namespace

DialogoDatosTrabajo::DialogoDatosTrabajo(const CDatosGenerales& ajustes, const MapaRutas& mapa, Avisos& avisos,
                                         QWidget* padre)
    : QDialog(padre), logica_(ajustes, mapa, avisos) {
    setWindowTitle(QStringLiteral("DATOS GENERALES"));
    logica_.abrir();

    auto* empresa = new QGroupBox(this);
    auto* rejillaEmpresa = new QGridLayout(empresa);
    auto* trabajo = new QGroupBox(this);
    auto* rejillaTrabajo = new QGridLayout(trabajo);
    const CamposDatosTrabajo& c = logica_.campos();
    for (std::size_t k = 0; k < kCampos.size(); ++k) {
        const auto& d = kCampos[k];
        auto* edit = new QLineEdit(QString::fromStdString(cp1252AUtf8(c.*(d.campo))), this);
        edit->setObjectName(QString::fromUtf8(d.objeto));
        edit->setMaxLength(d.longitud);
        edit->setCursorPosition(0);
        edits_[k] = edit;
        QGridLayout* rejilla = k < kCamposEmpresa ? rejillaEmpresa : rejillaTrabajo;
        const int fila = static_cast<int>(k < kCamposEmpresa ? k : k - kCamposEmpresa);
        rejilla->addWidget(new QLabel(QString::fromUtf8(d.etiqueta), this), fila, 0);
        rejilla->addWidget(edit, fila, 1);
    }

    logo_ = new QLabel(this);
    logo_->setObjectName(QStringLiteral("logo"));
    logo_->setFixedSize(200, 80);
    logo_->setAlignment(Qt::AlignCenter);
    const QPixmap imagen(QString::fromStdString(mapa.aAnfitrion(cp1252AUtf8(logica_.logo())).string()));
    if (!imagen.isNull()) logo_->setPixmap(imagen.scaled(logo_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));

    observaciones_ = new QPlainTextEdit(this);
    observaciones_->setObjectName(QStringLiteral("observaciones"));
    observaciones_->setPlainText(QString::fromStdString(cp1252AUtf8(observacionesParaVista(c.observaciones))));

    auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    botones->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
    botones->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("aceptar"));
    botones->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    botones->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelar"));

    auto* cabecera = new QHBoxLayout;
    cabecera->addWidget(logo_);
    cabecera->addWidget(empresa, 1);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(cabecera);
    todo->addWidget(trabajo);
    todo->addWidget(new QLabel(QStringLiteral("Observaciones:"), this));
    todo->addWidget(observaciones_);
    todo->addWidget(botones);

    connect(botones, &QDialogButtonBox::accepted, this, &DialogoDatosTrabajo::aceptar);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void DialogoDatosTrabajo::aceptar() {
    CamposDatosTrabajo& c = logica_.campos();
    for (std::size_t k = 0; k < kCampos.size(); ++k) c.*(kCampos[k].campo) = utf8ACp1252(edits_[k]->text().toStdString());
    c.observaciones = observacionesParaRegistro(utf8ACp1252(observaciones_->toPlainText().toStdString()));
    logica_.aceptar();
    accept();
}

void abrirDatosTrabajo(QWidget* padre, const CDatosGenerales& ajustes, const MapaRutas& mapa) {
    AvisosQt avisos(padre);
    DialogoDatosTrabajo dialogo(ajustes, mapa, avisos, padre);
    dialogo.exec();
}

}  // namespace celvara::ui

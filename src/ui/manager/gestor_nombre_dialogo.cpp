#include "ui/manager/gestor_nombre_dialogo.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace celvara::ui {

DialogoInsertarDato::DialogoInsertarDato(bool estacionamiento, const QString& textoInicial, QWidget* padre)
    : QDialog(padre), edicion_(new QLineEdit(textoInicial, this)) {
    setWindowTitle(QStringLiteral("INSERTAR DATO"));
    setObjectName(QStringLiteral("insertarDato"));
    auto* capa = new QVBoxLayout(this);
    capa->addWidget(new QLabel(QStringLiteral("Introducir Nombre de la"), this));
    capa->addWidget(new QLabel(estacionamiento ? QStringLiteral("SUBESTACION") : QStringLiteral("ESTACION o BASE:"), this));
    // Station names hold 15 characters, set-up names 14.
    edicion_->setMaxLength(estacionamiento ? 14 : 15);
    capa->addWidget(edicion_);
    auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    capa->addWidget(botones);
    edicion_->setFocus();
    edicion_->end(false);
}

QString DialogoInsertarDato::texto() const { return edicion_->text(); }

}  // namespace celvara::ui

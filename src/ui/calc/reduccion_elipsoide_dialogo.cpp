#include "ui/calc/reduccion_elipsoide_dialogo.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace celvara::ui {

DialogoReduccionElipsoide::DialogoReduccionElipsoide(const CDatosGenerales& ajustes, QWidget* padre)
    : QDialog(padre), logica_(ajustes) {
    setWindowTitle(QStringLiteral("Cálculo del F. Reduc de Distancias al Elipsoide"));

    radio_ = new QLineEdit(QString::fromStdString(logica_.textoRadio), this);
    radio_->setObjectName(QStringLiteral("radio"));
    altura_ = new QLineEdit(this);
    altura_->setObjectName(QStringLiteral("altura"));
    factor_ = new QLineEdit(this);
    factor_->setObjectName(QStringLiteral("factor"));

    auto* campos = new QFormLayout;
    campos->addRow(QStringLiteral("Radio medio Terrestre :"), radio_);
    campos->addRow(QStringLiteral("Altura media Trabajo   :"), altura_);

    auto* calc = new QPushButton(QStringLiteral("Calc"), this);
    calc->setObjectName(QStringLiteral("calc"));
    auto* filaFactor = new QHBoxLayout;
    filaFactor->addWidget(calc);
    filaFactor->addWidget(factor_);
    campos->addRow(QStringLiteral("Factor de Reducción Calculado"), filaFactor);

    auto* aceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    aceptar->setObjectName(QStringLiteral("aceptar"));
    aceptar->setDefault(true);
    auto* cancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    cancelar->setObjectName(QStringLiteral("cancelar"));
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(aceptar);
    botones->addWidget(cancelar);

    auto* todo = new QVBoxLayout(this);
    todo->addLayout(campos);
    todo->addLayout(botones);

    connect(calc, &QPushButton::clicked, this, &DialogoReduccionElipsoide::calcular);
    connect(aceptar, &QPushButton::clicked, this, &DialogoReduccionElipsoide::aceptar);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void DialogoReduccionElipsoide::calcular() {
    logica_.textoRadio = radio_->text().toStdString();
    logica_.textoAltura = altura_->text().toStdString();
    logica_.calcular();
    factor_->setText(QString::fromStdString(logica_.textoFactor));
}

void DialogoReduccionElipsoide::aceptar() {
    logica_.textoFactor = factor_->text().toStdString();
    logica_.aceptar();
    accept();
}

std::optional<double> DialogoReduccionElipsoide::pedirFactor(const CDatosGenerales& ajustes, QWidget* padre) {
    DialogoReduccionElipsoide dialogo(ajustes, padre);
    if (dialogo.exec() != QDialog::Accepted) return std::nullopt;
    return dialogo.factor();
}

}  // namespace celvara::ui

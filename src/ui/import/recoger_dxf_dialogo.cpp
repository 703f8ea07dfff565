#include "ui/import/recoger_dxf_dialogo.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "fieldbook/codificacion.h"
#include "fieldbook/numeros.h"

namespace celvara::ui {

namespace {

QTableWidgetItem* celda(const std::string& utf8) {
    auto* i = new QTableWidgetItem(QString::fromStdString(utf8));
    i->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return i;
}

}  // namespace

DialogoRecogerDxf::DialogoRecogerDxf(CLibretaCampo& libreta, std::vector<EstacionEnDibujo> halladas, QWidget* padre)
    : QDialog(padre), libreta_(libreta), halladas_(std::move(halladas)) {
    setObjectName(QStringLiteral("dialogoRecogerDxf"));
    setWindowTitle(QStringLiteral("Recoger Coordenadas de ACAD"));
    resize(620, 420);
    tabla_ = new QTableWidget(static_cast<int>(halladas_.size()), 5, this);
    tabla_->setObjectName(QStringLiteral("estaciones"));
    tabla_->setHorizontalHeaderLabels({QStringLiteral("Estación"), QStringLiteral("X"), QStringLiteral("Y"),
                                       QStringLiteral("Z"), QStringLiteral("Ya tiene coordenadas")});
    tabla_->verticalHeader()->hide();
    for (int f = 0; f < tabla_->rowCount(); ++f) {
        const EstacionEnDibujo& h = halladas_[static_cast<std::size_t>(f)];
        auto* nombre = celda(cp1252AUtf8(h.nombre));
        nombre->setFlags(nombre->flags() | Qt::ItemIsUserCheckable);
        nombre->setCheckState(h.otrasCoordenadas ? Qt::Unchecked : Qt::Checked);
        tabla_->setItem(f, 0, nombre);
        tabla_->setItem(f, 1, celda(formatear("%1.3lf", h.x)));
        tabla_->setItem(f, 2, celda(formatear("%1.3lf", h.y)));
        tabla_->setItem(f, 3, celda(formatear("%1.3lf", h.z)));
        tabla_->setItem(f, 4, celda(h.otrasCoordenadas ? "Sí" : ""));
    }
    tabla_->resizeColumnsToContents();

    auto* aceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    aceptar->setObjectName(QStringLiteral("aceptar"));
    aceptar->setDefault(true);
    auto* cancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    cancelar->setObjectName(QStringLiteral("cancelar"));
    connect(aceptar, &QPushButton::clicked, this, &DialogoRecogerDxf::aceptar);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(aceptar);
    botones->addWidget(cancelar);
    auto* v = new QVBoxLayout(this);
    v->addWidget(tabla_);
    v->addLayout(botones);
}

void DialogoRecogerDxf::aceptar() {
    std::vector<bool> elegidas;
    for (int f = 0; f < tabla_->rowCount(); ++f) elegidas.push_back(tabla_->item(f, 0)->checkState() == Qt::Checked);
    tomarCoordenadasDeDibujo(libreta_, halladas_, elegidas);
    accept();
}

}  // namespace celvara::ui

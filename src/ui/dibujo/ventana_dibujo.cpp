#include "ui/dibujo/ventana_dibujo.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/dibujo/panel_dibujo.h"

namespace celvara::ui {

VentanaDibujo::VentanaDibujo(const EntradasDibujo& entradas, QWidget* padre)
    : QDialog(padre), panel_(new PanelDibujo(this)) {
    setObjectName(QStringLiteral("ventanaDibujo"));
    setWindowTitle(QStringLiteral("D  I  B  U  J  O"));
    resize(900, 620);  // fits a 1024 × 700 screen with its title bar
    auto* capa = new QVBoxLayout(this);
    capa->addWidget(panel_, 1);
    auto* ayuda = new QLabel(
        QStringLiteral("Rueda: zoom · Arrastrar: desplazar · Doble clic o Inicio: ajustar a la extensión"), this);
    capa->addWidget(ayuda);
    auto* botones = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* ajustar = botones->addButton(QStringLiteral("Ajustar"), QDialogButtonBox::ActionRole);
    connect(ajustar, &QPushButton::clicked, panel_, &PanelDibujo::ajustar);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    capa->addWidget(botones);
    panel_->fijarEntradas(entradas, true);
}

}  // namespace celvara::ui

#include "ui/traverse/resultado_poligonal_dialogo.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

#include "ui/comun/gestor_informes_qt.h"
#include "ui/rejilla/rejilla.h"

namespace celvara::ui {

DialogoResultadoPoligonal::DialogoResultadoPoligonal(CResultadoPoligonal& logica, CLibretaCampo& libreta,
                                                     QWidget* padre)
    : QDialog(padre),
      logica_(logica),
      libreta_(libreta),
      pestanas_(new QTabBar(this)),
      rejilla_(new CRejilla(this)),
      resumen_(new QLabel(this)) {
    setWindowTitle(QStringLiteral("RESULTADO DEL CALCULO DE LA POLIGONAL"));
    pestanas_->setObjectName(QStringLiteral("pestanas"));
    rejilla_->setObjectName(QStringLiteral("rejilla"));
    resumen_->setObjectName(QStringLiteral("resumen"));
    resumen_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    resumen_->setFont(QFont(QStringLiteral("Monospace")));
    for (const auto& p : CResultadoPoligonal::pestanas()) pestanas_->addTab(QString::fromStdString(p));
    rejilla_->fijarFuente(&logica_.rejilla());
    rejilla_->fijarSoloLectura(true);

    auto* imprimir = new QPushButton(QStringLiteral("Imprimir..."), this);
    auto* grabar = new QPushButton(QStringLiteral("Grabar (x,y,z,des)"), this);
    auto* grafico = new QPushButton(QStringLiteral("Gráfico"), this);
    auto* salir = new QPushButton(QStringLiteral("Salir"), this);
    imprimir->setObjectName(QStringLiteral("imprimir"));
    grabar->setObjectName(QStringLiteral("grabar"));
    grafico->setObjectName(QStringLiteral("grafico"));
    salir->setObjectName(QStringLiteral("salir"));
    grafico->setEnabled(false);

    auto* botones = new QHBoxLayout;
    botones->addWidget(imprimir);
    botones->addWidget(grabar);
    botones->addWidget(grafico);
    botones->addStretch();
    botones->addWidget(salir);
    auto* capa = new QVBoxLayout(this);
    capa->addWidget(pestanas_);
    capa->addWidget(rejilla_, 1);
    capa->addWidget(resumen_);
    capa->addLayout(botones);
    resize(900, 560);

    mostrarInforme = [this](const QString& ruta) {
        VisorInforme visor(ruta, this);
        visor.exec();
    };
    connect(pestanas_, &QTabBar::currentChanged, this, &DialogoResultadoPoligonal::elegirPestana);
    connect(imprimir, &QPushButton::clicked, this, &DialogoResultadoPoligonal::pulsarImprimir);
    connect(grabar, &QPushButton::clicked, this, &DialogoResultadoPoligonal::pulsarGrabar);
    connect(salir, &QPushButton::clicked, this, &QDialog::accept);

    resumen_->setText(QString::fromStdString(logica_.resumen()));
    pestanas_->setCurrentIndex(logica_.pestana());
    rejilla_->recargar();
}

void DialogoResultadoPoligonal::elegirPestana(int pestana) {
    logica_.elegirPestana(pestana);
    rejilla_->recargar();
}

void DialogoResultadoPoligonal::pulsarImprimir() {
    QString ruta = elegirInforme ? elegirInforme() : QString();
    if (ruta.isEmpty()) return;
    if (QFileInfo(ruta).suffix().isEmpty()) ruta += QStringLiteral(".TXT");
    if (logica_.imprimir(ruta.toStdString()) && mostrarInforme) mostrarInforme(ruta);
}

void DialogoResultadoPoligonal::pulsarGrabar() { logica_.grabar(libreta_); }

}  // namespace celvara::ui

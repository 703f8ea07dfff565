#include "ui/manager/gestor_paneles.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

#include "manager/gestor_observaciones.h"

namespace celvara::ui {

namespace {
// `caracteres`: how many digits the box must show whole at any window size.
QLineEdit* linea(QWidget* padre, const char* nombre, int longitud, int caracteres) {
    auto* e = new QLineEdit(padre);
    e->setObjectName(QString::fromLatin1(nombre));
    if (longitud > 0) e->setMaxLength(longitud);
    e->setMinimumWidth(e->fontMetrics().horizontalAdvance(QString(caracteres, u'0')) + 16);
    return e;
}
}  // namespace

PanelEstacionQt::PanelEstacionQt(QWidget* padre) : QWidget(padre) {
    setObjectName(QStringLiteral("panelEstacion"));
    nombre = linea(this, "nombre", 15, 9);
    nombre->setReadOnly(true);
    tipo = new QComboBox(this);
    tipo->setObjectName(QStringLiteral("tipo"));
    for (const char* t : kTitulosTipoBase) tipo->addItem(QString::fromLatin1(t));
    x = linea(this, "x", 0, 11);
    y = linea(this, "y", 0, 11);
    z = linea(this, "z", 0, 8);
    descripcion1 = linea(this, "descripcion1", 99, 10);
    descripcion2 = linea(this, "descripcion2", 99, 10);
    croquis = new QPlainTextEdit(this);
    croquis->setObjectName(QStringLiteral("croquis"));
    pestanas = new QTabBar(this);
    pestanas->setObjectName(QStringLiteral("pestanas"));
    pestanas->addTab(QStringLiteral("F O T O"));
    pestanas->addTab(QStringLiteral("C R O Q U I S"));
    imagen = new QLabel(this);
    imagen->setObjectName(QStringLiteral("imagen"));
    imagen->setAlignment(Qt::AlignCenter);
    imagen->setMinimumSize(160, 120);
    imagen->setFrameShape(QFrame::StyledPanel);
    imagen->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    elegirImagen = new QPushButton(QStringLiteral("Seleccionar Fichero  *.BMP . --->"), this);
    elegirImagen->setObjectName(QStringLiteral("elegirImagen"));

    auto* datos = new QGridLayout;
    int f = 0;
    datos->addWidget(new QLabel(QStringLiteral("B A S E         :"), this), f, 0);
    datos->addWidget(nombre, f, 1);
    datos->addWidget(new QLabel(QStringLiteral("Tipo de Base :"), this), f, 2);
    datos->addWidget(tipo, f++, 3);
    auto* coordenadas = new QHBoxLayout;
    coordenadas->addWidget(new QLabel(QStringLiteral("X ="), this));
    coordenadas->addWidget(x);
    coordenadas->addWidget(new QLabel(QStringLiteral("Y ="), this));
    coordenadas->addWidget(y);
    coordenadas->addWidget(new QLabel(QStringLiteral("Z ="), this));
    coordenadas->addWidget(z);
    datos->addLayout(coordenadas, f++, 0, 1, 4);
    datos->addWidget(new QLabel(QStringLiteral("Descripción     :"), this), f, 0);
    datos->addWidget(descripcion1, f++, 1, 1, 3);
    datos->addWidget(descripcion2, f++, 1, 1, 3);
    datos->addWidget(new QLabel(QStringLiteral("Croquis:"), this), f++, 0);
    datos->addWidget(croquis, f++, 0, 1, 4);

    auto* dibujo = new QVBoxLayout;
    dibujo->addWidget(pestanas);
    dibujo->addWidget(imagen, 1);
    dibujo->addWidget(elegirImagen);

    auto* capa = new QHBoxLayout(this);
    capa->addLayout(datos, 3);
    capa->addLayout(dibujo, 2);
}

CabeceraEstacionamientoQt::CabeceraEstacionamientoQt(QWidget* padre) : QWidget(padre) {
    setObjectName(QStringLiteral("cabeceraEstacionamiento"));
    nombre = linea(this, "nombreEstacionamiento", 14, 12);
    nombre->setReadOnly(true);
    estacion = linea(this, "estacionEstacionamiento", 16, 12);
    estacion->setReadOnly(true);
    altura = linea(this, "altura", 0, 8);
    desorientacion = linea(this, "desorientacion", 0, 9);
    datos = new QPushButton(QStringLiteral("DATOS ...."), this);
    datos->setObjectName(QStringLiteral("datos"));
    auto* capa = new QGridLayout(this);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(new QLabel(QStringLiteral("Estacionamiento:"), this), 0, 0);
    capa->addWidget(nombre, 0, 1);
    capa->addWidget(new QLabel(QStringLiteral("Estacion:"), this), 0, 2);
    capa->addWidget(estacion, 0, 3);
    capa->addWidget(datos, 0, 4, 2, 1);
    capa->addWidget(new QLabel(QStringLiteral("Altura Instrumento :"), this), 1, 0);
    capa->addWidget(altura, 1, 1);
    capa->addWidget(new QLabel(QStringLiteral("Desorientación     :"), this), 1, 2);
    capa->addWidget(desorientacion, 1, 3);
}

}  // namespace celvara::ui

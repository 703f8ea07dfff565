#include "ui/calc/matrices_dialogo.h"

#include <QDialogButtonBox>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

#include "ui/rejilla/rejilla.h"

namespace celvara::ui {

DialogoMatrices::DialogoMatrices(const CMatricesMMCC& matrices, QWidget* padre)
    : QDialog(padre), logica_(matrices) {
    setWindowTitle(QStringLiteral("MATRICES"));
    resize(640, 420);

    menu_ = new QMenuBar(this);
    auto* archivo = menu_->addMenu(QStringLiteral("&Archivo"));
    auto* ascii = archivo->addAction(QStringLiteral("Exportar &Ascii"));
    ascii->setObjectName(QStringLiteral("exportarAscii"));
    connect(ascii, &QAction::triggered, this, [this] { exportarAscii(); });
    archivo->addAction(QStringLiteral("Exportar &Esxcell"));
    archivo->addSeparator();
    archivo->addAction(QStringLiteral("&Salir"));

    auto* editar = menu_->addMenu(QStringLiteral("&Editar"));
    editar->addAction(QStringLiteral("Cor&tar"));
    editar->addAction(QStringLiteral("&Copiar"));
    editar->addAction(QStringLiteral("&Pegar"));

    auto* lista = menu_->addMenu(QStringLiteral("&Matrices"));
    lista->addAction(QStringLiteral("Matriz &A"));
    for (const auto& [cual, texto] : CMatrices::entradasMenu()) {
        auto* accion = lista->addAction(QString::fromStdString(texto));
        connect(accion, &QAction::triggered, this, [this, cual = cual] { mostrar(cual); });
    }
    lista->addSeparator();
    lista->addAction(QStringLiteral("Lista &1"));
    lista->addAction(QStringLiteral("Lista &2"));

    rejilla_ = new CRejilla(this);
    rejilla_->setObjectName(QStringLiteral("rejilla"));
    auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* todo = new QVBoxLayout(this);
    todo->setMenuBar(menu_);
    todo->addWidget(rejilla_, 1);
    todo->addWidget(botones);
}

void DialogoMatrices::mostrar(MatrizMostrada cual) {
    logica_.mostrar(cual);
    const auto& celdas = logica_.rejilla();
    rejilla_->vaciar();
    rejilla_->fijarNumeroColumnas(celdas.empty() ? 0 : static_cast<int>(celdas.front().size()));
    rejilla_->fijarFilas(static_cast<int>(celdas.size()));
    for (std::size_t i = 0; i < celdas.size(); ++i)
        for (std::size_t j = 0; j < celdas[i].size(); ++j)
            rejilla_->fijarValorCelda(static_cast<int>(i), static_cast<int>(j), QString::fromStdString(celdas[i][j]));
}

bool DialogoMatrices::exportarAscii() {
    // The grid as shown, with whatever the user typed into it.
    const auto& celdas = logica_.rejilla();
    for (std::size_t i = 0; i < celdas.size(); ++i)
        for (std::size_t j = 0; j < celdas[i].size(); ++j)
            logica_.ponerCelda(i, j, rejilla_->textoCelda(static_cast<int>(i), static_cast<int>(j)).toStdString());
    const auto ruta = pedirFichero ? pedirFichero() : std::nullopt;
    return ruta && logica_.exportarAscii(*ruta);
}

void DialogoMatrices::abrir(QWidget* padre, const CMatricesMMCC& matrices, const LugarFicheros& lugar) {
    DialogoMatrices dialogo(matrices, padre);
    dialogo.pedirFichero = [&dialogo, &lugar] {
        return lugar.pedirEnAnfitrion(&dialogo, true, "TXT", "Archivo por espacios (*.TXT) |*.TXT||", "informes");
    };
    dialogo.exec();
}

}  // namespace celvara::ui

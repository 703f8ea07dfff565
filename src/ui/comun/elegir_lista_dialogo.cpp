#include "ui/comun/elegir_lista_dialogo.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace celvara::ui {

DialogoElegirLista::DialogoElegirLista(const QString& titulo, const QString& indicacion,
                                       const std::vector<std::string>& lineas, QWidget* padre)
    : QDialog(padre), lista_(new QListWidget(this)) {
    setWindowTitle(titulo);
    setObjectName(QStringLiteral("dialogoElegirLista"));
    lista_->setObjectName(QStringLiteral("lista"));
    // The set-up lines line their numbers up with blanks.
    QFont fija(QStringLiteral("Courier New"));
    fija.setStyleHint(QFont::Monospace);
    lista_->setFont(fija);
    for (const auto& l : lineas) lista_->addItem(QString::fromUtf8(l.data(), static_cast<qsizetype>(l.size())));
    auto* capa = new QVBoxLayout(this);
    if (!indicacion.isEmpty()) capa->addWidget(new QLabel(indicacion, this));
    capa->addWidget(lista_);
    auto* botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(lista_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    capa->addWidget(botones);
}

std::optional<int> DialogoElegirLista::elegida() const {
    if (result() != QDialog::Accepted || lista_->currentRow() < 0) return std::nullopt;
    return lista_->currentRow();
}

std::optional<int> DialogoElegirLista::elegir(QWidget* padre, const QString& titulo, const QString& indicacion,
                                              const std::vector<std::string>& lineas) {
    DialogoElegirLista d(titulo, indicacion, lineas, padre);
    d.exec();
    return d.elegida();
}

}  // namespace celvara::ui

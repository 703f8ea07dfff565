// A picker: a title, an optional prompt and a list of lines; OK (or a double
// click) hands back the chosen line, Cancel nothing. The lines and what a
// line stands for come from the caller's logic.
#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

class QListWidget;

namespace celvara::ui {

class DialogoElegirLista : public QDialog {
    Q_OBJECT
public:
    // `lineas` in UTF-8.
    DialogoElegirLista(const QString& titulo, const QString& indicacion, const std::vector<std::string>& lineas,
                       QWidget* padre = nullptr);
    QListWidget* lista() const { return lista_; }
    // The line chosen on OK; nothing on Cancel or with no line selected.
    std::optional<int> elegida() const;

    // Runs the picker modally.
    static std::optional<int> elegir(QWidget* padre, const QString& titulo, const QString& indicacion,
                                     const std::vector<std::string>& lineas);

private:
    QListWidget* lista_;
};

}  // namespace celvara::ui

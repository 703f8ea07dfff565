// The user manual inside the program: the pages of docs/manual, turned into
// HTML when the program is built and carried as a Qt resource (:/manual), in
// one window with the list of pages, a word search and the page itself. F1
// anywhere opens the page of the window that has the focus.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <vector>

class QLineEdit;
class QListWidget;
class QTextBrowser;

namespace celvara::ui {

// The first page of the manual: its contents.
inline constexpr const char* kPaginaIndice = "indice.html";
// The page of the main window, for a window the manual has no page for.
inline constexpr const char* kPaginaGestor = "gestor.html";

class VentanaAyuda : public QDialog {
    Q_OBJECT
public:
    explicit VentanaAyuda(QWidget* padre = nullptr);

    // Opens the manual's window (one for the whole program) on `pagina`
    // (a file name such as "radiacion.html"), in front of `padre`.
    static VentanaAyuda* abrir(QWidget* padre, const QString& pagina = QString::fromLatin1(kPaginaIndice));
    // The open window, or none.
    static VentanaAyuda* abierta();

    // The page shown, as its file name.
    QString pagina() const;
    void mostrar(const QString& pagina);
    // The pages holding every word of `texto` (case and accents aside), by
    // file name, in the order of the contents; all pages for an empty text.
    QStringList buscar(const QString& texto) const;

    QSize sizeHint() const override { return {900, 620}; }

private:
    struct Pagina {
        QString fichero, titulo, texto;  // texto: plain, folded for the search
    };
    void cargarPaginas();
    void listar(const QString& texto);
    void saltar(bool atras);

    std::vector<Pagina> paginas_;
    QLineEdit* buscar_;
    QListWidget* lista_;
    QTextBrowser* texto_;
    static QPointer<VentanaAyuda> abierta_;
};

// The page of a window of the program (by its class), walking up to the
// window it was opened from; the main window's page when none has one.
QString paginaDeVentana(const QWidget* ventana);

// F1, whatever window has the focus (a modal one too), opens that window's
// page. Installed on the application; lives as long as `dueno`.
void instalarAyudaContextual(QObject* dueno);

}  // namespace celvara::ui

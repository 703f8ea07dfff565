#include "ui/comun/gestor_informes_qt.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "fieldbook/codificacion.h"

namespace celvara::ui {

void mostrarInformeQt(QWidget* padre, const MapaRutas& mapa, std::string_view rutaWindows) {
    const auto corte = rutaWindows.find_last_of("\\/");
    const std::string carpeta(corte == std::string_view::npos ? std::string_view() : rutaWindows.substr(0, corte + 1));
    mostrarInformeQt(padre, LugarFicheros{&mapa, carpeta, {}}, rutaWindows);
}

void mostrarInformeQt(QWidget* padre, const LugarFicheros& lugar, std::string_view rutaWindows) {
    const QString ruta = QString::fromStdString(lugar.mapa->aAnfitrion(rutaWindows).string());
#ifdef Q_OS_WIN
    // "NOTEPAD %s" as the command line, exactly; nothing is shown when it fails.
    QProcess proceso;
    proceso.setProgram(QStringLiteral("NOTEPAD"));
    proceso.setNativeArguments(QString::fromUtf8(rutaWindows.data(), static_cast<qsizetype>(rutaWindows.size())));
    proceso.startDetached();
    (void)padre;
#else
    auto* visor = new VisorInforme(ruta, padre, lugar);
    visor->setAttribute(Qt::WA_DeleteOnClose);
    visor->show();
#endif
}

VisorInforme::VisorInforme(const QString& rutaAnfitrion, QWidget* padre, LugarFicheros lugar)
    : QDialog(padre), ruta_(rutaAnfitrion), lugar_(std::move(lugar)), texto_(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("visorInforme"));
    setWindowTitle(QFileInfo(ruta_).fileName());
    setModal(false);
    resize(900, 640);
    auto* capa = new QVBoxLayout(this);
    texto_->setReadOnly(true);
    texto_->setLineWrapMode(QPlainTextEdit::NoWrap);
    texto_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    texto_->setTabStopDistance(8 * texto_->fontMetrics().horizontalAdvance(u' '));
    QFile f(ruta_);
    if (f.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = f.readAll();
        texto_->setPlainText(QString::fromStdString(cp1252AUtf8(std::string_view(bytes.constData(),
                                                                                  static_cast<std::size_t>(bytes.size())))));
    }
    capa->addWidget(texto_);
    auto* botones = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* guardar = botones->addButton(QStringLiteral("Guardar como"), QDialogButtonBox::ActionRole);
    auto* imprimir = botones->addButton(QStringLiteral("Imprimir"), QDialogButtonBox::ActionRole);
    auto* abrir = botones->addButton(QStringLiteral("Abrir con el editor del sistema"), QDialogButtonBox::ActionRole);
    connect(guardar, &QPushButton::clicked, this, &VisorInforme::guardarComo);
    connect(imprimir, &QPushButton::clicked, this, &VisorInforme::imprimir);
    connect(abrir, &QPushButton::clicked, this, &VisorInforme::abrirConElSistema);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::close);
    capa->addWidget(botones);
}

QString VisorInforme::texto() const { return texto_->toPlainText(); }

void VisorInforme::guardarComo() {
    if (!lugar_.mapa) return;
    PeticionFichero p;
    p.guardar = true;
    p.confirmarSobrescribir = true;
    p.extension = "txt";
    p.filtro = "Archivos TEXTO|*.TXT|Todos los archivos|*||";
    p.recordar = "informes";
    const auto elegido = lugar_.pedir(this, p);
    if (!elegido || elegido->empty()) return;
    const QString destino = QString::fromStdString(lugar_.anfitrion(QString::fromStdString(*elegido)).string());
    if (QFileInfo(destino) == QFileInfo(ruta_)) return;
    // The report's bytes, unchanged.
    QFile::remove(destino);
    if (!QFile::copy(ruta_, destino))
        QMessageBox::critical(this, QString(), QStringLiteral("No se pudo escribir el fichero ") + QString::fromStdString(*elegido));
}

void VisorInforme::imprimir() {
    QPrinter impresora;
    QPrintDialog dialogo(&impresora, this);
    if (dialogo.exec() == QDialog::Accepted) texto_->print(&impresora);
}

void VisorInforme::abrirConElSistema() { QDesktopServices::openUrl(QUrl::fromLocalFile(ruta_)); }

}  // namespace celvara::ui

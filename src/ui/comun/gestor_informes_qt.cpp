#include "ui/comun/gestor_informes_qt.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
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
    const QString ruta = QString::fromStdString(mapa.aAnfitrion(rutaWindows).string());
#ifdef Q_OS_WIN
    // "NOTEPAD %s" as the command line, exactly; nothing is shown when it fails.
    QProcess proceso;
    proceso.setProgram(QStringLiteral("NOTEPAD"));
    proceso.setNativeArguments(QString::fromUtf8(rutaWindows.data(), static_cast<qsizetype>(rutaWindows.size())));
    proceso.startDetached();
    (void)padre;
#else
    auto* visor = new VisorInforme(ruta, padre);
    visor->setAttribute(Qt::WA_DeleteOnClose);
    visor->show();
#endif
}

VisorInforme::VisorInforme(const QString& rutaAnfitrion, QWidget* padre)
    : QDialog(padre), ruta_(rutaAnfitrion), texto_(new QPlainTextEdit(this)) {
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
    QFileDialog dialogo(this, QStringLiteral("Guardar como"), QFileInfo(ruta_).absolutePath());
    dialogo.setOption(QFileDialog::DontUseNativeDialog, true);
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setNameFilters({QStringLiteral("Archivos TEXTO (*.TXT *.txt)"), QStringLiteral("Todos los archivos (*)")});
    dialogo.setDefaultSuffix(QStringLiteral("txt"));
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return;
    const QString destino = dialogo.selectedFiles().constFirst();
    if (destino == ruta_) return;
    // The report's bytes, unchanged.
    QFile::remove(destino);
    if (!QFile::copy(ruta_, destino))
        QMessageBox::critical(this, QString(), QStringLiteral("No se pudo escribir el fichero ") + destino);
}

void VisorInforme::imprimir() {
    QPrinter impresora;
    QPrintDialog dialogo(&impresora, this);
    if (dialogo.exec() == QDialog::Accepted) texto_->print(&impresora);
}

void VisorInforme::abrirConElSistema() { QDesktopServices::openUrl(QUrl::fromLocalFile(ruta_)); }

}  // namespace celvara::ui

#include "ui/manager/gestor_idioma.h"

#include <QCoreApplication>
#include <QDate>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace celvara::ui {

bool instalarIdiomaEspanol(QCoreApplication& aplicacion) {
    const QLocale espanol(QLocale::Spanish, QLocale::Spain);
    QLocale::setDefault(espanol);
    const QString carpeta = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* catalogo : {"qt", "qtbase"}) {
        auto* traductor = new QTranslator(&aplicacion);
        if (traductor->load(espanol, QString::fromLatin1(catalogo), QStringLiteral("_"), carpeta) &&
            QCoreApplication::installTranslator(traductor))
            return true;
        delete traductor;
    }
    return false;
}

QString fechaCompilacion() {
    // __DATE__ is "Mmm dd yyyy" in English whatever the locale.
    const QDate fecha = QLocale::c().toDate(QString::fromLatin1(__DATE__).simplified(), QStringLiteral("MMM d yyyy"));
    if (!fecha.isValid()) return QString::fromLatin1(__DATE__);
    return QLocale(QLocale::Spanish, QLocale::Spain).toString(fecha, QStringLiteral("d 'de' MMMM 'de' yyyy"));
}

}  // namespace celvara::ui

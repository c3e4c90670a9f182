#include "app/view/ViewTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace {

QPointer<QTranslator>& Installed() {
  static QPointer<QTranslator> translator;
  return translator;
}

}  // namespace

namespace ViewTranslations {

bool InstallPolish(QCoreApplication& application) {
  if (Installed()) return true;
  auto* translator = new QTranslator(&application);
  if (!translator->load(QLocale(QLocale::Polish, QLocale::Poland), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return false;
  }
  Installed() = translator;
  return true;
}

void RemovePolish(QCoreApplication&) {
  if (!Installed()) return;
  QCoreApplication::removeTranslator(Installed());
  delete Installed().data();
}

}  // namespace ViewTranslations

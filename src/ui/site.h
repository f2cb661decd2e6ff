// Pages of the program's web site.
#pragma once

#include <QUrl>

inline QUrl SitePage(const char* path) {
  return QUrl(QStringLiteral("https://corvane.org") + QLatin1String(path));
}

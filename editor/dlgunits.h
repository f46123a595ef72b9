// Dialog sizes given in dialog units: a quarter of the average character
// width across, an eighth of the character height down.
#pragma once

#include <QFontMetrics>
#include <QSize>
#include <QWidget>

namespace vaarikas::sirel {

inline QSize DialogUnits(const QWidget* w, int x, int y) {
  QFontMetrics fm(w->font());
  int cx = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 52;
  int cy = fm.height();
  return QSize((x * cx + 2) / 4, (y * cy + 4) / 8);
}

}  // namespace vaarikas::sirel

#include "ui/status_images.h"

#include <QPainter>
#include <QPainterPath>

#include "core/file_list.h"

namespace {

QPixmap Draw(bool success) {
  QPixmap pixmap(16, 15);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(success ? QColor(0x2e, 0x9e, 0x3b) : QColor(0xd3, 0x2f, 0x2f));
  painter.drawEllipse(QRectF(0.5, 0.5, 14, 14));
  painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  if (success) {
    QPainterPath tick;
    tick.moveTo(4, 7.5);
    tick.lineTo(6.5, 10);
    tick.lineTo(11, 5);
    painter.drawPath(tick);
  } else {
    painter.drawLine(QPointF(5, 5), QPointF(10, 10));
    painter.drawLine(QPointF(10, 5), QPointF(5, 10));
  }
  return pixmap;
}

}  // namespace

QPixmap StatusImage(int image) {
  static const QPixmap success = Draw(true);
  static const QPixmap failure = Draw(false);
  if (image == core::kSuccessImage) return success;
  if (image == core::kFailureImage) return failure;
  return {};
}

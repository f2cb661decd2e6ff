#include "ui/icons.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// Drawn on a 16×16 grid at twice the size, for sharp edges on any screen.
QPixmap Draw(IconKind kind) {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(2, 2);
  const QColor outline(70, 70, 70);
  switch (kind) {
    case IconKind::Directory: {
      p.setPen(QPen(QColor(176, 124, 20), 1));
      p.setBrush(QColor(244, 196, 72));
      QPainterPath folder;
      folder.moveTo(1.5, 3.5);
      folder.lineTo(6, 3.5);
      folder.lineTo(7.5, 5);
      folder.lineTo(14.5, 5);
      folder.lineTo(14.5, 13.5);
      folder.lineTo(1.5, 13.5);
      folder.closeSubpath();
      p.drawPath(folder);
      p.setBrush(QColor(252, 220, 120));
      p.drawRect(QRectF(1.5, 7, 13, 6.5));
      break;
    }
    case IconKind::AddFiles: {
      p.setPen(QPen(outline, 1));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(4.5, 1.5, 8, 10));
      p.drawRect(QRectF(2.5, 3.5, 8, 10));
      p.setPen(QPen(QColor(30, 140, 50), 2));
      p.drawLine(QPointF(12, 9.5), QPointF(12, 15));
      p.drawLine(QPointF(9.25, 12.25), QPointF(14.75, 12.25));
      break;
    }
    case IconKind::Undo: {
      p.setPen(QPen(QColor(40, 90, 170), 2, Qt::SolidLine, Qt::RoundCap));
      p.setBrush(Qt::NoBrush);
      QPainterPath arc;
      arc.moveTo(4, 7);
      arc.cubicTo(7, 3.5, 14, 4, 13.5, 10);
      arc.cubicTo(13, 13, 10, 13.5, 8, 13.5);
      p.drawPath(arc);
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(40, 90, 170));
      p.drawPolygon(QPolygonF({QPointF(1.5, 9), QPointF(2.5, 3), QPointF(7.5, 6.5)}));
      break;
    }
    case IconKind::Preview: {
      p.setPen(QPen(outline, 1));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(1.5, 1.5, 10, 12));
      p.setPen(QPen(QColor(150, 150, 150), 1));
      for (double y : {4.5, 6.5, 8.5}) p.drawLine(QPointF(3.5, y), QPointF(9.5, y));
      p.setPen(QPen(QColor(40, 90, 170), 1.6));
      p.setBrush(QColor(200, 225, 250, 200));
      p.drawEllipse(QPointF(9.5, 9.5), 3.2, 3.2);
      p.drawLine(QPointF(11.8, 11.8), QPointF(14.5, 14.5));
      break;
    }
    case IconKind::Rename: {
      p.setPen(QPen(QColor(20, 110, 40), 1));
      p.setBrush(QColor(50, 170, 70));
      p.drawPolygon(QPolygonF({QPointF(3.5, 2), QPointF(14, 8), QPointF(3.5, 14)}));
      break;
    }
    case IconKind::Help: {
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(40, 100, 190));
      p.drawEllipse(QRectF(1, 1, 14, 14));
      QFont font;
      font.setPixelSize(12);
      font.setBold(true);
      p.setFont(font);
      p.setPen(Qt::white);
      p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
      break;
    }
    case IconKind::Settings: {
      p.setPen(QPen(outline, 1));
      p.setBrush(QColor(190, 190, 190));
      QPainterPath gear;
      for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(8, 8);
        p.rotate(i * 45);
        p.drawRect(QRectF(-1.5, -7.5, 3, 4));
        p.restore();
      }
      p.drawEllipse(QPointF(8, 8), 5, 5);
      p.setBrush(Qt::white);
      p.drawEllipse(QPointF(8, 8), 2, 2);
      break;
    }
  }
  return pixmap;
}

}  // namespace

QIcon ProgramIcon(IconKind kind) {
  return QIcon(Draw(kind));
}

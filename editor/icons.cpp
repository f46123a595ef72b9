#include "editor/icons.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace vaarikas::sirel {
namespace {

// Draws on a 24 by 24 canvas; the 16-pixel picture is the same drawing scaled.
void Draw(QPainter& p, Glyph g) {
  const QColor ink(0x30, 0x30, 0x30);
  const QColor paper(0xFF, 0xFF, 0xFF);
  const QColor accent(0x1E, 0x6F, 0xC8);
  p.setRenderHint(QPainter::Antialiasing);
  QPen pen(ink, 1.6);
  p.setPen(pen);
  auto page = [&](QRectF r) {
    p.setBrush(paper);
    p.drawRect(r);
  };
  auto letter = [&](const QString& s, bool bold, bool italic, bool underline) {
    QFont f(QStringLiteral("DejaVu Serif"));
    f.setPixelSize(19);
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    p.setFont(f);
    p.drawText(QRectF(0, 0, 24, 24), Qt::AlignCenter, s);
  };
  auto lines = [&](const int* starts, const int* ends) {
    for (int i = 0; i < 4; ++i) p.drawLine(QPointF(starts[i], 5 + i * 4.5), QPointF(ends[i], 5 + i * 4.5));
  };
  switch (g) {
    case Glyph::kNew: page(QRectF(5, 2, 14, 20)); break;
    case Glyph::kOpen:
      p.setBrush(QColor(0xF2, 0xC9, 0x4C));
      p.drawRect(QRectF(2, 7, 20, 14));
      p.drawRect(QRectF(2, 4, 8, 3));
      break;
    case Glyph::kSave:
      p.setBrush(accent);
      p.drawRect(QRectF(3, 3, 18, 18));
      p.setBrush(paper);
      p.drawRect(QRectF(7, 3, 10, 7));
      break;
    case Glyph::kPrint:
      page(QRectF(6, 2, 12, 8));
      p.setBrush(QColor(0xB0, 0xB0, 0xB0));
      p.drawRect(QRectF(2, 10, 20, 8));
      page(QRectF(6, 15, 12, 7));
      break;
    case Glyph::kPreview:
      page(QRectF(3, 2, 13, 18));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QRectF(10, 10, 8, 8));
      p.drawLine(QPointF(17, 17), QPointF(22, 22));
      break;
    case Glyph::kCut:
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QRectF(3, 15, 6, 6));
      p.drawEllipse(QRectF(15, 15, 6, 6));
      p.drawLine(QPointF(8, 16), QPointF(17, 2));
      p.drawLine(QPointF(16, 16), QPointF(7, 2));
      break;
    case Glyph::kCopy:
      page(QRectF(3, 3, 11, 14));
      page(QRectF(10, 7, 11, 14));
      break;
    case Glyph::kPaste:
      p.setBrush(QColor(0xC8, 0x9A, 0x5A));
      p.drawRect(QRectF(3, 4, 15, 18));
      page(QRectF(10, 9, 11, 13));
      p.drawRect(QRectF(7, 2, 7, 4));
      break;
    case Glyph::kUndo:
    case Glyph::kRedo: {
      if (g == Glyph::kRedo) {
        p.translate(24, 0);
        p.scale(-1, 1);
      }
      p.setBrush(Qt::NoBrush);
      QPainterPath path(QPointF(6, 10));
      path.cubicTo(QPointF(12, 4), QPointF(22, 8), QPointF(18, 19));
      p.drawPath(path);
      p.setBrush(ink);
      p.drawPolygon(QPolygonF({QPointF(2, 6), QPointF(9, 6), QPointF(4, 13)}));
      break;
    }
    case Glyph::kFind:
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QRectF(3, 3, 12, 12));
      p.setPen(QPen(ink, 3));
      p.drawLine(QPointF(14, 14), QPointF(21, 21));
      break;
    case Glyph::kBold: letter(QStringLiteral("B"), true, false, false); break;
    case Glyph::kItalic: letter(QStringLiteral("I"), false, true, false); break;
    case Glyph::kUnderline: letter(QStringLiteral("U"), false, false, true); break;
    case Glyph::kColour:
      p.setPen(ink);
      letter(QStringLiteral("A"), true, false, false);
      p.fillRect(QRectF(3, 19, 18, 4), QColor(0xD0, 0x20, 0x20));
      break;
    case Glyph::kAlignLeft: {
      const int s[] = {3, 3, 3, 3}, e[] = {21, 14, 21, 14};
      lines(s, e);
      break;
    }
    case Glyph::kAlignCenter: {
      const int s[] = {3, 7, 3, 7}, e[] = {21, 17, 21, 17};
      lines(s, e);
      break;
    }
    case Glyph::kAlignRight: {
      const int s[] = {3, 10, 3, 10}, e[] = {21, 21, 21, 21};
      lines(s, e);
      break;
    }
    case Glyph::kAlignJustify: {
      const int s[] = {3, 3, 3, 3}, e[] = {21, 21, 21, 21};
      lines(s, e);
      break;
    }
    case Glyph::kBullets:
      for (int i = 0; i < 3; ++i) {
        p.setBrush(ink);
        p.drawEllipse(QPointF(5, 6 + i * 6), 1.8, 1.8);
        p.drawLine(QPointF(10, 6 + i * 6), QPointF(21, 6 + i * 6));
      }
      break;
    case Glyph::kDate:
      page(QRectF(3, 4, 18, 17));
      p.fillRect(QRectF(3, 4, 18, 5), QColor(0xD0, 0x20, 0x20));
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(3, 4, 18, 17));
      p.drawLine(QPointF(7, 13), QPointF(17, 13));
      p.drawLine(QPointF(7, 17), QPointF(14, 17));
      break;
    case Glyph::kAnalyse: {
      // Three words, the middle one marked, under a magnifier.
      p.fillRect(QRectF(2, 5, 6, 4), QColor(0xF4, 0xA2, 0xA2));
      p.fillRect(QRectF(9, 5, 7, 4), QColor(0xFF, 0xEE, 0x70));
      p.fillRect(QRectF(2, 11, 9, 4), QColor(0x9F, 0xC5, 0xF8));
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(ink, 2));
      p.drawEllipse(QRectF(9, 9, 9, 9));
      p.setPen(QPen(ink, 3));
      p.drawLine(QPointF(17, 17), QPointF(22, 22));
      break;
    }
  }
}

QPixmap Render(Glyph g, int size) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.scale(size / 24.0, size / 24.0);
  Draw(p, g);
  return pm;
}

}  // namespace

QIcon GlyphIcon(Glyph g) {
  QIcon icon;
  icon.addPixmap(Render(g, 16));
  icon.addPixmap(Render(g, 24));
  return icon;
}

}  // namespace vaarikas::sirel

// Toolbar pictures drawn at run time, at 16 and 24 pixels.
#pragma once

#include <QIcon>

namespace vaarikas::sirel {

enum class Glyph {
  kNew, kOpen, kSave, kPrint, kPreview, kCut, kCopy, kPaste, kUndo, kRedo, kFind,
  kBold, kItalic, kUnderline, kColour, kAlignLeft, kAlignCenter, kAlignRight, kAlignJustify,
  kBullets, kDate, kAnalyse,
};

QIcon GlyphIcon(Glyph g);

}  // namespace vaarikas::sirel

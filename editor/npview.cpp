#include "editor/npview.h"

#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

#include "common/encoding.h"
#include "common/ui.h"
#include "pipeline/mainframe.h"

namespace vaarikas::sirel {

QColor FunctionColour(Function f) {
  switch (f) {
    case Function::kSubject: return QColor(0xF4, 0xA2, 0xA2);       // red
    case Function::kObject: return QColor(0x9F, 0xC5, 0xF8);        // blue
    case Function::kPredicative: return QColor(0xD7, 0xB4, 0xF3);   // violet
    case Function::kAdverbial: return QColor(0xF8, 0xD3, 0x8C);     // orange
    case Function::kPremodifier: return QColor(0xB8, 0xE6, 0xB0);   // green
    case Function::kPostmodifier: return QColor(0xC9, 0xD8, 0x8E);  // olive
    case Function::kAdpComplement: return QColor(0x9E, 0xE3, 0xE0); // teal
    case Function::kVerb: return QColor(0xFF, 0xEE, 0x70);          // yellow
    case Function::kConjunction: return QColor(0xDD, 0xDD, 0xDD);   // grey
    case Function::kOther: return QColor(0xEE, 0xEE, 0xEE);
    case Function::kNone: return QColor(Qt::transparent);
  }
  return QColor(Qt::transparent);
}

namespace {

QString Decode(const std::string& bytes) { return QString::fromStdString(Cp1257ToUtf8(bytes)); }

bool IsPunctuation(const QString& w) {
  for (QChar c : w)
    if (c.isLetterOrNumber()) return false;
  return !w.isEmpty();
}

QString LegendHtml() {
  QString html;
  for (int i = 0; i < kFunctionCount - 1; ++i) {
    auto f = static_cast<Function>(i);
    html += QStringLiteral("<span style=\"background-color:%1\">&nbsp;%2&nbsp;</span>&nbsp; ")
                .arg(FunctionColour(f).name(), QString::fromLatin1(FunctionName(f)));
  }
  html += QStringLiteral("<span style=\"text-decoration:underline; text-decoration-style:dotted\">"
                         "several functions</span>");
  return html;
}

}  // namespace

CNPView::CNPView(CSirelDoc* doc, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_tabs(new QTabWidget(this)), m_coloured(new QTextBrowser), m_raw(new QPlainTextEdit) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_tabs);

  auto* page = new QWidget;
  auto* pl = new QVBoxLayout(page);
  pl->setContentsMargins(2, 2, 2, 2);
  pl->setSpacing(2);
  auto* legend = new QLabel(LegendHtml(), page);
  legend->setObjectName(QStringLiteral("legend"));
  legend->setWordWrap(true);
  legend->setTextFormat(Qt::RichText);
  pl->addWidget(legend);
  pl->addWidget(m_coloured, 1);
  m_coloured->setOpenLinks(false);
  m_coloured->setOpenExternalLinks(false);
  m_coloured->setUndoRedoEnabled(false);
  connect(m_coloured, &QTextBrowser::anchorClicked, this, &CNPView::OnAnchor);

  m_raw->setReadOnly(true);
  m_raw->setUndoRedoEnabled(false);
  m_raw->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_raw->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

  m_tabs->addTab(page, QStringLiteral("Functions"));
  m_tabs->addTab(m_raw, QStringLiteral("Result text"));
  m_tabs->setDocumentMode(true);
  doc->AddView(this);
}

CNPView::~CNPView() { m_doc->RemoveView(this); }

void CNPView::OnUpdate(CView*, int hint) {
  if (hint != kHintPipelineRan) {
    update();
    return;
  }
  LoadResultFile(m_doc->Frame()->WorkPath("source.snx"));
}

void CNPView::LoadResultFile(const std::string& path) {
  QFile f(QString::fromStdString(path));
  if (!f.open(QIODevice::ReadOnly)) throw FileError(path);
  QByteArray content = f.readAll();
  f.close();
  if (qsizetype z = content.indexOf('\0'); z >= 0) content.truncate(z);
  const std::string bytes = content.toStdString();

  m_raw->setPlainText(Decode(bytes));
  QTextCursor c = m_raw->textCursor();
  c.movePosition(QTextCursor::Start);
  m_raw->setTextCursor(c);

  m_sentences = ParseResult(bytes);
  Render();
}

QString CNPView::RawText() const { return m_raw->toPlainText(); }

void CNPView::Render() {
  QTextDocument* out = m_coloured->document();
  out->clear();
  m_places.clear();

  // Where each word lies in the text that was analysed: searched in order,
  // so a word that appears twice is found at its own place.
  const QString analysed = m_doc->AnalysedText();
  const int base = m_doc->AnalysedStart();
  int from = 0;

  QTextCursor c(out);
  int index = 0;
  bool firstSentence = true;
  for (const ResultSentence& s : m_sentences) {
    if (!firstSentence) c.insertBlock();
    firstSentence = false;
    bool firstWord = true;
    for (const ResultWord& w : s.words) {
      const QString word = Decode(w.word);
      Place place;
      if (!analysed.isEmpty()) {
        int at = analysed.indexOf(word, from);
        if (at >= 0) {
          place.start = base + at;
          place.length = static_cast<int>(word.size());
          from = at + static_cast<int>(word.size());
        }
      }
      m_places.push_back(place);

      if (!firstWord && !IsPunctuation(word)) c.insertText(QStringLiteral(" "), QTextCharFormat());
      firstWord = false;
      QTextCharFormat fmt;
      if (w.function != Function::kNone) fmt.setBackground(FunctionColour(w.function));
      fmt.setForeground(QColor(Qt::black));
      // Several functions left open: a dotted underline says so.
      if (w.tags.size() > 1) {
        fmt.setUnderlineStyle(QTextCharFormat::DotLine);
        fmt.setUnderlineColor(QColor(0x40, 0x40, 0x40));
      }
      fmt.setAnchor(true);
      fmt.setAnchorHref(QStringLiteral("w:%1").arg(index));
      QStringList tags;
      for (const auto& t : w.tags) tags << Decode(t);
      fmt.setToolTip(tags.isEmpty() ? word : word + QStringLiteral("  ") + tags.join(QLatin1Char(' ')));
      c.insertText(word, fmt);
      ++index;
    }
  }
  m_coloured->moveCursor(QTextCursor::Start);
}

void CNPView::OnAnchor(const QUrl& url) {
  const QString s = url.toString();
  if (!s.startsWith(QStringLiteral("w:"))) return;
  bool ok = false;
  int index = s.mid(2).toInt(&ok);
  if (ok) ActivateWord(index);
}

void CNPView::ActivateWord(int index) {
  if (index < 0 || index >= static_cast<int>(m_places.size())) return;
  const Place p = m_places[index];
  if (p.start < 0) return;
  // The text may have been edited since the analysis: only a place that still
  // holds the word is selected.
  QTextDocument* text = m_doc->Text();
  QTextCursor c(text);
  int end = p.start + p.length;
  if (end > text->characterCount() - 1) return;
  c.setPosition(p.start);
  c.setPosition(end, QTextCursor::KeepAnchor);
  const QString now = c.selectedText();
  if (now != m_doc->AnalysedText().mid(p.start - m_doc->AnalysedStart(), p.length)) return;
  emit WordActivated(p.start, p.length);
}

}  // namespace vaarikas::sirel

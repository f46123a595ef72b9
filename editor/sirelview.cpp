#include "editor/sirelview.h"

#include <QTextBlock>
#include <QTextCursor>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "common/encoding.h"
#include "common/platform.h"
#include "common/ui.h"
#include "pipeline/export.h"
#include "pipeline/mainframe.h"

namespace vaarikas::sirel {

std::string SourceBytes(const QString& text, std::size_t* unencodable) {
  std::size_t replaced = 0;
  std::string bytes = Utf8ToCp1257(text.toStdString(), &replaced);
  for (char& c : bytes) {
    switch (static_cast<unsigned char>(c)) {
      // A zero byte would end the source file early; 0x8E and 0x9E (the
      // spacing caron and ogonek in Windows-1257) would be read as Z and z
      // with caron after the export's letter move.
      case 0x00:
      case 0x8E:
      case 0x9E:
        c = '?';
        ++replaced;
        break;
      default:
        break;
    }
  }
  if (unencodable) *unencodable = replaced;
  // Whether the text needs a full stop is decided on the text as typed: a "?"
  // standing for a character without a Windows-1257 form is not an ending.
  if (!text.contains(QLatin1Char('.')) && !text.contains(QLatin1Char('?')) && !text.contains(QLatin1Char('!')))
    bytes.push_back('.');
  return ExportBytes(bytes);
}

namespace {

// Creates or truncates path and writes bytes; errno-style reason on failure.
bool WriteFile(const std::string& path, const std::string& bytes, std::string* error) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) {
    if (error) *error = std::strerror(errno);
    return false;
  }
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  int saved = errno;
  if (std::fclose(f) != 0 && ok) {
    ok = false;
    saved = errno;
  }
  if (!ok && error) *error = std::strerror(saved);
  return ok;
}

}  // namespace

CSirelView::CSirelView(CSirelDoc* doc, QWidget* parent) : QTextEdit(parent), m_doc(doc) {
  setDocument(doc->Text());
  setAcceptRichText(true);
  setTabChangesFocus(false);
  doc->AddView(this);
}

CSirelView::~CSirelView() { m_doc->RemoveView(this); }

QString CSirelView::TextToAnalyse(int* start) const {
  QTextCursor c = textCursor();
  if (!c.hasSelection()) c.select(QTextCursor::Document);
  if (start) *start = c.selectionStart();
  QString text = c.selectedText();
  // Paragraph and line separators of the rich text are line ends in the file.
  text.replace(QChar::ParagraphSeparator, QChar('\n'));
  text.replace(QChar::LineSeparator, QChar('\n'));
  return text;
}

bool CSirelView::ExportSelection(const std::string& path, std::string* error, std::size_t* unencodable) const {
  return WriteFile(path, SourceBytes(TextToAnalyse(), unencodable), error);
}

void CSirelView::OnAnalyse() {
  CMainFrame& frame = *m_doc->Frame();
  IUserInterface& ui = frame.UI();

  int start = 0;
  const QString text = TextToAnalyse(&start);
  if (static_cast<std::size_t>(text.toUcs4().size()) < kMinAnalyseLength) {
    ui.MessageBox(kMsgTooShort);
    return;
  }

  std::string error;
  const std::string phrases = frame.WorkPath(frame.m_strPhraseFile);
  if (!WriteFile(phrases, std::string(), &error)) {
    ui.MessageBox("Cannot write " + Utf8ToCp1257(phrases) + ": " + error + ".");
    return;
  }
  const std::string source = frame.WorkPath(frame.m_strSourceFile);
  std::size_t unencodable = 0;
  if (!ExportSelection(source, &error, &unencodable)) {
    ui.MessageBox("Cannot write " + Utf8ToCp1257(source) + ": " + error + ".");
    return;
  }
  m_doc->SetAnalysed(text, start);

  ui.BeginWaitCursor();
  ui.SetStatusText("Analysing ...");

  std::optional<std::string> fileError;
  const std::string previous = plat::CurrentDir();
  if (!plat::SetCurrentDir(frame.m_strWorkDir)) {
    fileError = "Cannot enter the working directory " + Utf8ToCp1257(frame.m_strWorkDir) + ".";
  } else {
    try {
      frame.RunPipeline();
    } catch (const FileError& e) {
      fileError = e.Message();
    }
    plat::SetCurrentDir(previous);
  }

  if (!fileError) {
    try {
      m_doc->UpdateAllViews(this, kHintPipelineRan);
    } catch (const FileError& e) {
      fileError = e.Message();
    }
  }
  // A file error ends the command; the wait cursor, the status text and the
  // current directory are put back all the same.
  if (fileError) ui.MessageBox(*fileError);

  if (unencodable > 0)
    ui.SetStatusText("Ready (" + std::to_string(unencodable) +
                     " character(s) without a Windows-1257 form were analysed as \"?\")");
  else
    ui.SetStatusText("Ready");
  ui.EndWaitCursor();
}

void CSirelView::SelectRange(int start, int length) {
  QTextCursor c(document());
  int end = qMin(start + length, document()->characterCount() - 1);
  c.setPosition(qBound(0, start, end));
  c.setPosition(end, QTextCursor::KeepAnchor);
  setTextCursor(c);
  ensureCursorVisible();
  setFocus();
}

void CSirelView::OnUpdate(CView*, int) {}

}  // namespace vaarikas::sirel

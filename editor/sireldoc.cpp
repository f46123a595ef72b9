#include "editor/sireldoc.h"

#include <QFileInfo>
#include <QTextDocument>
#include <algorithm>

namespace vaarikas::sirel {

CSirelDoc::CSirelDoc(CMainFrame* frame, QObject* parent)
    : QObject(parent), m_frame(frame), m_text(new QTextDocument(this)) {
  m_text->setUndoRedoEnabled(true);
}

void CSirelDoc::AddView(CView* view) { m_views.push_back(view); }

void CSirelDoc::RemoveView(CView* view) { m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end()); }

void CSirelDoc::UpdateAllViews(CView* sender, int hint) {
  std::vector<CView*> views = m_views;
  for (CView* v : views)
    if (v != sender) v->OnUpdate(sender, hint);
}

QString CSirelDoc::Title() const { return m_path.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(m_path).fileName(); }

bool CSirelDoc::IsModified() const { return m_text->isModified(); }

void CSirelDoc::SetModified(bool modified) { m_text->setModified(modified); }

void CSirelDoc::NewDocument() {
  m_text->clear();
  m_text->clearUndoRedoStacks();
  m_text->setModified(false);
  m_path.clear();
  m_format = TextFormat::kPlainUtf8;
  m_analysedText.clear();
  m_analysedStart = 0;
  emit PathChanged();
}

bool CSirelDoc::Open(const QString& path, QString* error) {
  TextFormat format = FormatFromName(path);
  if (!LoadDocument(m_text, path, &format, error)) return false;
  m_text->clearUndoRedoStacks();
  m_text->setModified(false);
  m_path = path;
  m_format = format;
  m_analysedText.clear();
  m_analysedStart = 0;
  emit PathChanged();
  return true;
}

bool CSirelDoc::SaveAs(const QString& path, TextFormat format, QString* error) {
  if (!SaveDocument(*m_text, path, format, error)) return false;
  m_text->setModified(false);
  bool changed = path != m_path;
  m_path = path;
  m_format = format;
  if (changed) emit PathChanged();
  return true;
}

}  // namespace vaarikas::sirel

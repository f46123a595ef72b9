// The document: the rich text being edited, its file, and the views that show
// it. Views are told about changes with UpdateAllViews (sender, hint).
#pragma once

#include <QObject>
#include <QString>
#include <vector>

#include "editor/textio.h"

class QTextDocument;

namespace vaarikas {
class CMainFrame;
}

namespace vaarikas::sirel {

class CSirelDoc;

// What every view of a document can be told.
class CView {
 public:
  virtual ~CView() = default;
  // hint kHintPipelineRan: the analysis pipeline has run.
  virtual void OnUpdate(CView* sender, int hint) = 0;
};

inline constexpr int kHintPipelineRan = 3;

class CSirelDoc : public QObject {
  Q_OBJECT
 public:
  // frame: the settings of the pipeline (working directory and so on).
  CSirelDoc(CMainFrame* frame, QObject* parent = nullptr);

  QTextDocument* Text() const { return m_text; }
  CMainFrame* Frame() const { return m_frame; }

  void AddView(CView* view);
  void RemoveView(CView* view);
  // Tells every view but the sender. Exceptions from a view (FileError) pass
  // through to the caller.
  void UpdateAllViews(CView* sender, int hint);

  // File name shown in the title: the file's name, or "Untitled".
  QString Title() const;
  QString Path() const { return m_path; }
  TextFormat Format() const { return m_format; }
  bool IsModified() const;
  void SetModified(bool modified);

  // Empties the document (File > New).
  void NewDocument();
  // Loads a file; on failure the document is unchanged and *error says why.
  bool Open(const QString& path, QString* error);
  // Writes the document; on failure the file on disk is unchanged (the old
  // contents stay), the document stays modified and *error says why.
  bool SaveAs(const QString& path, TextFormat format, QString* error);

  // The text the last Analyse command sent and where it started in the
  // document: the result view uses it to find its words in the text.
  QString AnalysedText() const { return m_analysedText; }
  int AnalysedStart() const { return m_analysedStart; }
  void SetAnalysed(const QString& text, int start) {
    m_analysedText = text;
    m_analysedStart = start;
  }

 signals:
  void PathChanged();

 private:
  CMainFrame* m_frame;
  QTextDocument* m_text;
  std::vector<CView*> m_views;
  QString m_path;
  TextFormat m_format = TextFormat::kPlainUtf8;
  QString m_analysedText;
  int m_analysedStart = 0;
};

}  // namespace vaarikas::sirel

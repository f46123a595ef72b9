// The result view, the lower pane of the main window: the analysis result
// with every word coloured by its syntactic function, and the result file as
// text in a second tab.
#pragma once

#include <QColor>
#include <QWidget>
#include <string>
#include <vector>

#include "editor/resultmodel.h"
#include "editor/sireldoc.h"

class QPlainTextEdit;
class QTabWidget;
class QTextBrowser;
class QUrl;

namespace vaarikas::sirel {

// Colour of a function group in the result view and its legend.
QColor FunctionColour(Function f);

class CNPView : public QWidget, public CView {
  Q_OBJECT
 public:
  explicit CNPView(CSirelDoc* doc, QWidget* parent = nullptr);
  ~CNPView() override;

  // Hint kHintPipelineRan reloads "source.snx" from the working directory.
  void OnUpdate(CView* sender, int hint) override;

  // Replaces the view's text by the file's (Windows-1257, up to its first zero
  // byte). A file that cannot be opened throws FileError.
  void LoadResultFile(const std::string& path);

  // The result file's text, decoded.
  QString RawText() const;
  QPlainTextEdit* RawView() const { return m_raw; }
  QTextBrowser* FunctionView() const { return m_coloured; }
  QTabWidget* Tabs() const { return m_tabs; }
  const std::vector<ResultSentence>& Sentences() const { return m_sentences; }

  // Where the i-th word of the result lies in the document (-1: not found).
  struct Place {
    int start = -1;
    int length = 0;
  };
  const std::vector<Place>& Places() const { return m_places; }
  // Selects the i-th word of the result in the text above.
  void ActivateWord(int index);

 signals:
  // The user picked a word of the result that lies at [start, start+length)
  // in the document.
  void WordActivated(int start, int length);

 private:
  void Render();
  void OnAnchor(const QUrl& url);

  CSirelDoc* m_doc;
  QTabWidget* m_tabs;
  QTextBrowser* m_coloured;
  QPlainTextEdit* m_raw;
  std::vector<ResultSentence> m_sentences;
  std::vector<Place> m_places;
};

}  // namespace vaarikas::sirel

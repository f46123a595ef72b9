// The Analyse command, the result view, the options dialog, the error viewer
// and the single-instance rule, driven through the real main window with
// stand-in pipeline stages.
#include <QButtonGroup>
#include <QKeyEvent>
#include <QLineEdit>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>

#include "editor/findreplacedlg.h"
#include "editor/grammaroptionsdlg.h"
#include "editor/npview.h"
#include "editor/sireldoc.h"
#include "editor/sirelview.h"
#include "harness.h"

using namespace sireltest;
using vaarikas::sirel::CGrammarOptionsDlg;
using vaarikas::sirel::CSirelFrame;

class AnalyseTest : public QObject {
  Q_OBJECT

 private:
  // Types text into the editor as a user would.
  static void Type(CSirelFrame& w, const QString& text) {
    w.View()->setFocus();
    if (text.contains(QLatin1Char('\n'))) {
      w.View()->insertPlainText(text);
      return;
    }
    // One key press per character, with the character as its text (also for
    // letters no key of a test keyboard carries).
    for (QChar ch : text) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
      QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
      QApplication::sendEvent(w.View(), &press);
      QApplication::sendEvent(w.View(), &release);
    }
  }

 private slots:
  void initTestCase() { QApplication::setApplicationName(QStringLiteral("sirel-test")); }

  void exportedBytes_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QString>("status");
    QTest::newRow("full stop added") << QStringLiteral("Tere hommikust") << QByteArray("Tere hommikust.\0", 16) << QStringLiteral("Ready");
    QTest::newRow("question mark kept") << QStringLiteral("Kas tuled?") << QByteArray("Kas tuled?\0", 11) << QStringLiteral("Ready");
    QTest::newRow("dot inside a number") << QStringLiteral("Hind 3.50 eurot") << QByteArray("Hind 3.50 eurot\0", 16) << QStringLiteral("Ready");
    QTest::newRow("S caron moves, o tilde stays")
        << QStringLiteral("\u0160okolaad ja \u0161ampus, \u017d \u017e \u00f5un!")
        << QByteArray("\xD0okolaad ja \xF0\x61mpus, \xDE \xFE \xF5un!\0", 29) << QStringLiteral("Ready");
    QTest::newRow("spacing caron is not a letter") << QStringLiteral("a\u02C7b") << QByteArray("a?b.\0", 5)
        << QStringLiteral("Ready (1 character(s) without a Windows-1257 form were analysed as \"?\")");
  }

  void exportedBytes() {
    QFETCH(QString, typed);
    QFETCH(QByteArray, expected);
    QFETCH(QString, status);
    Dirs dirs;
    WriteBytes(dirs.W("phrases.nps"), "old phrases");
    StandInFrame* stages = nullptr;
    auto w = MakeWindow(dirs, &stages);
    QVERIFY(w->Create());
    Type(*w, typed);
    ModalWatcher watcher;
    const QString before = QDir::currentPath();
    w->View()->OnAnalyse();

    const std::string source = ReadBytes(dirs.W("source.nps"));
    QCOMPARE(QByteArray::fromStdString(source), expected);
    QCOMPARE(source.back(), '\0');
    QCOMPARE(ReadBytes(dirs.W("phrases.nps")), std::string());
    QVERIFY(watcher.seen.empty());
    QCOMPARE(stages->calls.size(), size_t(4));
    // The stages ran in the working directory; the previous one is back.
    QCOMPARE(QDir(QString::fromStdString(stages->cwdInStage)).canonicalPath(), QDir(dirs.work.path()).canonicalPath());
    QCOMPARE(QDir::currentPath(), before);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QCOMPARE(w->statusBar()->currentMessage(), status);
    QCOMPARE(w->ResultView()->RawText(), QString::fromStdString(stages->snx));
  }

  void selectionOnlyAndKeptAsItWas() {
    Dirs dirs;
    StandInFrame* stages = nullptr;
    auto w = MakeWindow(dirs, &stages);
    QVERIFY(w->Create());
    Type(*w, QStringLiteral("Esimene lause. Teine lause"));
    QTextCursor c = w->View()->textCursor();
    c.setPosition(15);
    c.setPosition(26, QTextCursor::KeepAnchor);
    w->View()->setTextCursor(c);
    ModalWatcher watcher;
    w->View()->OnAnalyse();
    QCOMPARE(ReadBytes(dirs.W("source.nps")), std::string("Teine lause.\0", 13));
    QCOMPARE(w->View()->textCursor().selectionStart(), 15);
    QCOMPARE(w->View()->textCursor().selectionEnd(), 26);
    QVERIFY(watcher.seen.empty());
  }

  void tooShortTextTouchesNoFile_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("empty") << QString();
    QTest::newRow("one character") << QStringLiteral("a");
  }

  void tooShortTextTouchesNoFile() {
    QFETCH(QString, typed);
    Dirs dirs;
    WriteBytes(dirs.W("source.nps"), "previous");
    WriteBytes(dirs.W("phrases.nps"), "previous phrases");
    StandInFrame* stages = nullptr;
    auto w = MakeWindow(dirs, &stages);
    QVERIFY(w->Create());
    Type(*w, typed);
    ModalWatcher watcher;
    w->View()->OnAnalyse();
    QCOMPARE(watcher.seen.size(), size_t(1));
    QCOMPARE(watcher.seen[0].title, QStringLiteral("Vaarikas"));
    QCOMPARE(watcher.seen[0].text, QStringLiteral("Open morphologically analysed text to find Noun Phrases."));
    QCOMPARE(ReadBytes(dirs.W("source.nps")), std::string("previous"));
    QCOMPARE(ReadBytes(dirs.W("phrases.nps")), std::string("previous phrases"));
    QVERIFY(stages->calls.empty());
  }

  void resultReloadsAfterFailedStage() {
    Dirs dirs;
    StandInFrame* stages = nullptr;
    auto w = MakeWindow(dirs, &stages);
    QVERIFY(w->Create());
    Type(*w, QStringLiteral("Mees loeb raamatut."));
    ModalWatcher watcher;
    w->View()->OnAnalyse();
    QCOMPARE(w->ResultView()->RawText(), QString::fromStdString(stages->snx));

    // The last good result changes on disk; the next run fails in the
    // disambiguator with an error file of 11 bytes.
    WriteBytes(dirs.W("source.snx"), "Vana\n    vana+0 //_A_ // @AN>\n");
    w->ResultView()->RawView()->setPlainText(QStringLiteral("stale"));
    stages->failAt = 3;
    stages->errorFile = "Viga \xf5ige!\n";  // 11 bytes
    stages->calls.clear();
    w->View()->OnAnalyse();
    QCOMPARE(stages->calls, (std::vector<std::string>{"pre", "morf", "disamb"}));
    QCOMPARE(watcher.seen.size(), size_t(2));
    QCOMPARE(watcher.seen[0].text, QStringLiteral("Errors occured during disambiguating."));
    QCOMPARE(watcher.seen[1].className, QStringLiteral("vaarikas::sirel::CErrorViewerDlg"));
    QCOMPARE(watcher.seen[1].title, QStringLiteral("Error Viewer"));
    QCOMPARE(watcher.seen[1].text, QStringLiteral("Viga \u00f5ige!\n"));
    QCOMPARE(w->ResultView()->RawText(), QStringLiteral("Vana\n    vana+0 //_A_ // @AN>\n"));
    QCOMPARE(w->statusBar()->currentMessage(), QStringLiteral("Ready"));
  }

  void errorFileShownOnlyAboveTenBytes() {
    Dirs dirs;
    StandInFrame* stages = nullptr;
    auto w = MakeWindow(dirs, &stages);
    QVERIFY(w->Create());
    Type(*w, QStringLiteral("Mees loeb."));
    ModalWatcher watcher;
    stages->failAt = 4;
    stages->errorFile = "0123456789";
    WriteBytes(dirs.W("source.snx"), "");
    w->View()->OnAnalyse();
    QCOMPARE(watcher.seen.size(), size_t(1));
    QCOMPARE(watcher.seen[0].text, QStringLiteral("Errors occured during analysing."));

    watcher.seen.clear();
    stages->errorFile = std::string("0123456789A\0hidden", 18);
    w->View()->OnAnalyse();
    QCOMPARE(watcher.seen.size(), size_t(2));
    QCOMPARE(watcher.seen[1].title, QStringLiteral("Error Viewer"));
    QCOMPARE(watcher.seen[1].text, QStringLiteral("0123456789A"));
  }

  void errorViewerDialog() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("derrors.txt"));
    std::string text;
    for (int i = 0; i < 200; ++i) text += "Rida " + std::to_string(i) + " \xfc\n";
    WriteBytes(path, text);
    vaarikas::sirel::CErrorViewerDlg dlg(path);
    dlg.show();
    QPlainTextEdit* edit = dlg.findChild<QPlainTextEdit*>(QStringLiteral("1041"));
    QVERIFY(edit);
    QVERIFY(edit->isReadOnly());
    QVERIFY(edit->toPlainText().startsWith(QStringLiteral("Rida 0 \u00fc\nRida 1")));
    QCOMPARE(edit->textCursor().position(), 0);
    QCOMPARE(edit->verticalScrollBar()->value(), 0);
    auto* close = dlg.findChild<QPushButton*>(QStringLiteral("closeButton"));
    QVERIFY(close && close->isDefault());
    QCOMPARE(close->text(), QStringLiteral("Close"));
    close->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
  }

  void missingResultFileEndsCommandCleanly() {
    Dirs dirs;
    StandInFrame* stages = nullptr;
    auto w = MakeWindow(dirs, &stages);
    QVERIFY(w->Create());
    Type(*w, QStringLiteral("Mees loeb."));
    stages->failAt = 2;  // no stage writes source.snx
    ModalWatcher watcher;
    const QString before = QDir::currentPath();
    w->View()->OnAnalyse();
    QCOMPARE(watcher.seen.size(), size_t(2));
    QCOMPARE(watcher.seen[0].text, QStringLiteral("Errors occured during morphological analysis."));
    QCOMPARE(watcher.seen[1].text, dirs.W("source.snx") + QStringLiteral(" was not found."));
    QCOMPARE(QDir::currentPath(), before);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QCOMPARE(w->statusBar()->currentMessage(), QStringLiteral("Ready"));
  }

  void missingPreprocessorTouchesOnlyTheSourceFiles() {
    Dirs dirs;
    QFile::remove(dirs.prog.filePath(QString::fromLatin1(vaarikas::plat::kPreprocessorName)));
    StandInFrame* stages = nullptr;
    auto w = MakeWindow(dirs, &stages);
    QVERIFY(w->Create());
    Type(*w, QStringLiteral("Mees loeb."));
    ModalWatcher watcher;
    w->View()->OnAnalyse();
    QVERIFY(watcher.seen.size() >= 1);
    QCOMPARE(watcher.seen[0].text, QStringLiteral("Cannot find tera."));
    QVERIFY(stages->calls.empty());
    QVERIFY(!QFile::exists(dirs.W("cgplog.txt")));
    QVERIFY(QFile::exists(dirs.W("source.nps")));
  }

  void optionsDialogSetsHeuristicsAndGrammar() {
    Dirs dirs;
    WriteBytes(dirs.prog.filePath(QStringLiteral("grammar.rle")), "x");
    WriteBytes(dirs.prog.filePath(QStringLiteral("Lihtne.rle")), "x");
    WriteBytes(dirs.prog.filePath(QStringLiteral("notes.txt")), "x");
    WriteBytes(dirs.W("elsewhere.rle"), "x");  // the working directory is not where grammars are read
    StandInFrame* stages = nullptr;
    auto w = MakeWindow(dirs, &stages);
    QVERIFY(w->Create());

    QStringList offered;
    int initialIndex = -2;
    int initialRadio = -2;
    bool hasFirstRadio = false;
    ModalWatcher watcher;
    watcher.handler = [&](QWidget* wd) {
      auto* dlg = qobject_cast<CGrammarOptionsDlg*>(wd);
      if (!dlg) return false;
      auto* combo = dlg->findChild<QComboBox*>(QStringLiteral("1040"));
      for (int i = 0; i < combo->count(); ++i) offered << combo->itemText(i);
      initialIndex = combo->currentIndex();
      initialRadio = dlg->HeuristicsGroup()->checkedId();
      hasFirstRadio = dlg->findChild<QRadioButton*>(QStringLiteral("1033")) != nullptr;
      dlg->findChild<QRadioButton*>(QStringLiteral("1035"))->click();
      combo->setCurrentIndex(combo->findText(QStringLiteral("Lihtne.rle")));
      dlg->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
      return true;
    };
    w->OnOptions();
    QCOMPARE(watcher.seen.size(), size_t(1));
    QCOMPARE(watcher.seen[0].title, QStringLiteral("Vaarikas's Options"));
    offered.sort();
    QCOMPARE(offered, (QStringList{QStringLiteral("Lihtne.rle"), QStringLiteral("grammar.rle")}));
    QCOMPARE(initialRadio, 1);
    QVERIFY(hasFirstRadio);
    QVERIFY(initialIndex >= 0);
    QCOMPARE(w->Frame().m_nHeuristics, 2);
    QCOMPARE(w->Frame().m_strGrammarFile, std::string("Lihtne.rle"));
    QCOMPARE(w->Frame().SyntaxLetters(), std::string("h"));

    // Cancel changes nothing, and the name keeps its case so the file opens.
    watcher.seen.clear();
    watcher.handler = [](QWidget* wd) {
      auto* dlg = qobject_cast<CGrammarOptionsDlg*>(wd);
      if (!dlg) return false;
      dlg->findChild<QRadioButton*>(QStringLiteral("1033"))->click();
      dlg->findChild<QComboBox*>(QStringLiteral("1040"))->setCurrentIndex(0);
      dlg->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
      return true;
    };
    w->OnOptions();
    QCOMPARE(watcher.seen.size(), size_t(1));
    QCOMPARE(w->Frame().m_nHeuristics, 2);
    QCOMPARE(w->Frame().m_strGrammarFile, std::string("Lihtne.rle"));
    QVERIFY(QFile::exists(QString::fromStdString(w->Frame().ProgPath(w->Frame().m_strGrammarFile))));
  }

  void singleInstanceByWindowTitle_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("refused");
    QTest::newRow("another copy") << QStringLiteral("Untitled - Vaarikas") << true;
    QTest::newRow("only the name") << QStringLiteral("Vaarikas") << false;
    QTest::newRow("unrelated") << QStringLiteral("Terminal") << false;
  }

  void singleInstanceByWindowTitle() {
    QFETCH(QString, title);
    QFETCH(bool, refused);
    Dirs dirs;
    auto w = MakeWindow(dirs, nullptr);
    std::vector<std::uint32_t> raised;
    w->Instance()->SetWindowAccess(
        [title] {
          return std::optional<std::vector<vaarikas::sirel::TopWindow>>(
              std::vector<vaarikas::sirel::TopWindow>{{7, QStringLiteral("Desktop"), true}, {42, title, true}});
        },
        [&raised](std::uint32_t id) { raised.push_back(id); });
    ModalWatcher watcher;
    QCOMPARE(w->Create(), !refused);
    if (refused) {
      QCOMPARE(watcher.seen.size(), size_t(1));
      QCOMPARE(watcher.seen[0].title, QStringLiteral("Vaarikas"));
      QCOMPARE(watcher.seen[0].text, QStringLiteral("Vaarikas is already running, cannot start another copy."));
      QCOMPARE(raised, (std::vector<std::uint32_t>{42}));
      QVERIFY(w->FindNPsBar() == nullptr);
    } else {
      QVERIFY(watcher.seen.empty());
      QVERIFY(raised.empty());
    }
  }

  void secondCopyRefusedByLock() {
    QTemporaryDir runtime;
    const QString socket = runtime.filePath(QStringLiteral("sirel-instance"));
    Dirs dirs;
    auto first = MakeWindow(dirs, nullptr, socket);
    QVERIFY(first->Create());
    QVERIFY(first->Instance()->IsListening());
    QSignalSpy raised(first->Instance(), &vaarikas::sirel::SingleInstance::RaiseRequested);

    auto second = MakeWindow(dirs, nullptr, socket);
    ModalWatcher watcher;
    QVERIFY(!second->Create());
    QCOMPARE(watcher.seen.size(), size_t(1));
    QCOMPARE(watcher.seen[0].text, QStringLiteral("Vaarikas is already running, cannot start another copy."));
    QVERIFY(raised.wait(2000) || raised.count() > 0);

    // Once the first copy is gone, a new one starts.
    first.reset();
    auto third = MakeWindow(dirs, nullptr, socket);
    QVERIFY(third->Create());
  }

  void windowLayout() {
    Dirs dirs;
    auto w = MakeWindow(dirs, nullptr);
    QVERIFY(w->Create());
    QCOMPARE(w->windowTitle().remove(QStringLiteral("[*]")), QStringLiteral("Untitled - Vaarikas"));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QCOMPARE(w->Splitter()->orientation(), Qt::Vertical);
    QCOMPARE(w->Splitter()->sizes().at(1), 100);

    QToolBar* np = w->FindNPsBar();
    QCOMPARE(np->windowTitle(), QStringLiteral("Find NPs"));
    QCOMPARE(np->actions().size(), 1);
    QAction* analyse = np->actions().at(0);
    QCOMPARE(analyse, w->CommandAction(vaarikas::sirel::kIdAnalyse));
    QCOMPARE(analyse->text(), QStringLiteral("&Analyse"));
    QCOMPARE(analyse->toolTip(), QStringLiteral("Analyse"));
    QCOMPARE(analyse->statusTip(), QStringLiteral("Analyse text"));
    QCOMPARE(w->CommandAction(vaarikas::sirel::kIdOptions)->text(), QStringLiteral("&Options"));
    QCOMPARE(np->allowedAreas(), Qt::AllToolBarAreas);
    // Top row: standard bar, then "Find NPs", then the format bar.
    QCOMPARE(w->toolBarArea(np), Qt::TopToolBarArea);
    QVERIFY(w->StandardBar()->geometry().x() < np->geometry().x());
    QVERIFY(np->geometry().x() < w->FormatBar()->geometry().x());
    QCOMPARE(np->iconSize(), QSize(16, 16));
    w->SetLargeButtons(true);
    QCOMPARE(np->iconSize(), QSize(24, 24));
  }

  void clickingAResultWordSelectsIt() {
    Dirs dirs;
    StandInFrame* stages = nullptr;
    auto w = MakeWindow(dirs, &stages);
    QVERIFY(w->Create());
    Type(*w, QStringLiteral("Pealkiri\nMees loeb raamatut. Mees naerab."));
    stages->snx =
        "$LA$\n    $LA$ //_Z_ //\nMees\n    mees+0 //_S_ sg n, // @SUBJ\nloeb\n    luge+b //_V_ b, // @FMV\n"
        "raamatut\n    raamat+t //_S_ sg p, // @OBJ\n.\n    . //_Z_ //\n$LL$\n    $LL$ //_Z_ //\n"
        "$LA$\n    $LA$ //_Z_ //\nMees\n    mees+0 //_S_ sg n, // @SUBJ\nnaerab\n    naer+b //_V_ b, // @FMV\n"
        ".\n    . //_Z_ //\n$LL$\n    $LL$ //_Z_ //\n";
    QTextCursor c = w->View()->textCursor();
    c.setPosition(9);
    c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    w->View()->setTextCursor(c);
    ModalWatcher watcher;
    w->View()->OnAnalyse();
    auto* np = w->ResultView();
    QCOMPARE(np->Sentences().size(), size_t(2));
    QCOMPARE(np->Places().size(), size_t(7));
    np->ActivateWord(4);  // the second "Mees"
    QCOMPARE(w->View()->textCursor().selectedText(), QStringLiteral("Mees"));
    QCOMPARE(w->View()->textCursor().selectionStart(), 9 + 20);
    np->ActivateWord(2);
    QCOMPARE(w->View()->textCursor().selectedText(), QStringLiteral("raamatut"));
    QCOMPARE(np->FunctionView()->toPlainText(), QStringLiteral("Mees loeb raamatut.\nMees naerab."));
  }

  void unsavedChangesArePromptedFor() {
    Dirs dirs;
    auto w = MakeWindow(dirs, nullptr);
    QVERIFY(w->Create());
    w->show();
    Type(*w, QStringLiteral("Kirjutatud tekst"));
    QVERIFY(w->windowTitle().contains(QStringLiteral("[*]")));
    QVERIFY(w->isWindowModified());
    ModalWatcher watcher;
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    watcher.handler = [&answer](QWidget* wd) {
      auto* box = qobject_cast<QMessageBox*>(wd);
      if (!box) return false;
      box->button(answer)->click();
      return true;
    };
    QVERIFY(!w->close());
    QCOMPARE(watcher.seen.size(), size_t(1));
    QCOMPARE(watcher.seen[0].text, QStringLiteral("Save changes to Untitled?"));
    QCOMPARE(w->View()->toPlainText(), QStringLiteral("Kirjutatud tekst"));
    answer = QMessageBox::No;
    QVERIFY(w->close());
  }

  void replaceAllIsOneUndoStep() {
    QTextEdit edit;
    edit.setPlainText(QStringLiteral("maja ja Maja ja majake"));
    vaarikas::sirel::CFindReplaceDlg dlg(&edit, true);
    dlg.FindEdit()->setText(QStringLiteral("maja"));
    dlg.ReplaceEdit()->setText(QStringLiteral("kodu"));
    QCOMPARE(dlg.ReplaceAll(), 3);
    QCOMPARE(edit.toPlainText(), QStringLiteral("kodu ja kodu ja koduke"));
    edit.undo();
    QCOMPARE(edit.toPlainText(), QStringLiteral("maja ja Maja ja majake"));
    edit.moveCursor(QTextCursor::Start);
    QVERIFY(dlg.FindNext());
    QCOMPARE(edit.textCursor().selectionStart(), 0);
    QVERIFY(dlg.FindNext());
    QCOMPARE(edit.textCursor().selectedText(), QStringLiteral("Maja"));
  }
};

QTEST_MAIN(AnalyseTest)
#include "analyse_test.moc"

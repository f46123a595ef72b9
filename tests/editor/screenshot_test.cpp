// Renders the main window after an Analyse of an Estonian paragraph to a PNG
// (build/screenshots/sirel.png). The real pipeline is used when the program
// directory holds it and it succeeds; otherwise a result file written by hand
// for the paragraph stands in for the stages, and the test says so.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSplitter>
#include <QTest>

#include "editor/npview.h"
#include "editor/sireldoc.h"
#include "editor/sirelview.h"
#include "harness.h"

using namespace sireltest;
using vaarikas::sirel::CSirelFrame;

class ScreenshotTest : public QObject {
  Q_OBJECT

  static QString Paragraph() {
    QFile f(QStringLiteral(VAARIKAS_SOURCE_DIR "/data/demo/demo.txt"));
    if (!f.open(QIODevice::ReadOnly)) return QString();
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    return lines.mid(0, 2).join(QLatin1Char('\n'));
  }

  static void Analyse(CSirelFrame& w, const QString& text, ModalWatcher& watcher) {
    w.View()->setPlainText(text);
    w.View()->OnAnalyse();
    Q_UNUSED(watcher);
  }

 private slots:
  void renderAfterAnalyse() {
    const QString text = Paragraph();
    QVERIFY(!text.isEmpty());

    // First the real pipeline from the program directory.
    QTemporaryDir work;
    auto real = std::make_unique<CSirelFrame>([&work](vaarikas::IUserInterface& ui) {
      return std::make_unique<vaarikas::CMainFrame>(ui, work.path().toStdString(), std::string(VAARIKAS_BIN_DIR));
    });
    real->Instance()->SetWindowAccess([] { return std::optional<std::vector<vaarikas::sirel::TopWindow>>(); }, nullptr);
    QVERIFY(real->Create());
    std::unique_ptr<CSirelFrame> shown;
    Dirs dirs;
    {
      ModalWatcher watcher;
      Analyse(*real, text, watcher);
      if (watcher.seen.empty() && !real->ResultView()->Sentences().empty()) {
        qInfo("rendering the result of the real pipeline");
        shown = std::move(real);
      } else {
        qInfo("the pipeline did not run through (%s); rendering a stand-in result",
              watcher.seen.empty() ? "no result" : qPrintable(watcher.seen.front().text));
      }
    }
    if (!shown) {
      real.reset();
      StandInFrame* stages = nullptr;
      shown = MakeWindow(dirs, &stages);
      QVERIFY(shown->Create());
      stages->snx = ReadBytes(QStringLiteral(VAARIKAS_SOURCE_DIR "/tests/editor/data/demo_result.snx"));
      ModalWatcher watcher;
      Analyse(*shown, text, watcher);
      QVERIFY(watcher.seen.empty());
    }
    QCOMPARE(shown->ResultView()->Sentences().size(), size_t(4));

    shown->resize(1000, 600);
    shown->show();
    QVERIFY(QTest::qWaitForWindowExposed(shown.get()));
    // The user has dragged the splitter up to see more of the result and
    // clicked a word in it.
    const int h = shown->Splitter()->height();
    shown->Splitter()->setSizes({h - 300, 300});
    shown->ResultView()->ActivateWord(5);
    QTest::qWait(50);

    const QString dir = QStringLiteral(VAARIKAS_SCREENSHOT_DIR);
    QVERIFY(QDir().mkpath(dir));
    const QString png = dir + QStringLiteral("/sirel.png");
    QImage image = shown->grab().toImage();
    QVERIFY(image.width() >= 900);
    QVERIFY(image.save(png, "PNG"));
    QImage back(png);
    QCOMPARE(back.size(), image.size());
    qInfo("wrote %s", qPrintable(png));
  }
};

QTEST_MAIN(ScreenshotTest)
#include "screenshot_test.moc"

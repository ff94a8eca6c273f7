// The program's own guide: reached with Ctrl+H when the start folder has no help file, one
// window reused, its buttons, and pages whose every link, anchor and picture exists.
#include <QApplication>
#include <QCollator>
#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QLocale>
#include <QMap>
#include <QPushButton>
#include <QSet>
#include <QScreen>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>

#include "support/test_window.h"
#include "support/widget_helpers.h"
#include "ui/help_window.h"
#include "ui/program_look.h"

using testsupport::Find;

namespace {

struct PageLinks {
    QStringList anchors;   // names that links may point at
    QList<QUrl> links;     // hrefs, resolved against the page
    QStringList images;    // image names as written
};

PageLinks ReadPage(QTextBrowser& browser, const QUrl& page) {
    browser.setSource(page);
    PageLinks found;
    const QTextDocument* document = browser.document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            found.anchors << format.anchorNames();
            if (format.isAnchor() && !format.anchorHref().isEmpty())
                found.links << page.resolved(QUrl(format.anchorHref()));
            if (format.isImageFormat()) found.images << format.toImageFormat().name();
        }
    return found;
}

QStringList ResourcePages() {
    QStringList pages;
    QDirIterator it(":/help", {"*.html"}, QDir::Files);
    while (it.hasNext()) pages << QFileInfo(it.next()).fileName();
    pages.sort();
    return pages;
}

QUrl PageUrl(const QString& name) { return QUrl("qrc:/help/" + name); }

}  // namespace

class TestHelpWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        InstallPolishTranslation(*qApp);
        ApplyProgramLook(*qobject_cast<QApplication*>(qApp));
    }

    void CtrlHWithoutAHelpFileShowsTheGuideOnce() {
        testsupport::TestWindow w;
        QApplication::setActiveWindow(&w.form);
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        QTest::keyClick(&w.form, Qt::Key_H, Qt::ControlModifier);
        HelpWindow* help = w.form.Help();
        QVERIFY(help && help->isVisible());
        QCOMPARE(help->windowTitle(), QString("Pomoc - Kombinator"));
        QCOMPARE(help->windowModality(), Qt::NonModal);
        QCOMPARE(help->Browser()->source(), HelpWindow::ContentsPage());
        QVERIFY(w.dialogs.Calls().isEmpty());  // no message box of any kind
        QVERIFY(w.form.isEnabled());
        // Whole on the screen, also where the screen is smaller than the window would like.
        const QRect screen = w.form.screen()->availableGeometry();
        QVERIFY2(screen.contains(help->geometry()), qPrintable(QString("%1,%2 %3x%4 on %5x%6")
                     .arg(help->x()).arg(help->y()).arg(help->width()).arg(help->height())
                     .arg(screen.width()).arg(screen.height())));

        help->Browser()->setSource(PageUrl("rw.html"));
        QVERIFY(!testsupport::SaveScreenshot(help, "help-window-family").isEmpty());
        help->close();
        QApplication::setActiveWindow(&w.form);
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        QTest::keyClick(&w.form, Qt::Key_H, Qt::ControlModifier);
        QCOMPARE(w.form.Help(), help);
        QVERIFY(help->isVisible());
        QCOMPARE(help->Browser()->source(), HelpWindow::ContentsPage());
        QCOMPARE(w.form.findChildren<HelpWindow*>().size(), 1);
        QVERIFY(!testsupport::SaveScreenshot(help, "help-window").isEmpty());
        help->Browser()->setSource(PageUrl("start.html"));
        QVERIFY(!testsupport::SaveScreenshot(help, "help-window-picture").isEmpty());
    }

    void ButtonsWalkTheHistoryAndReachContentsAndIndex() {
        HelpWindow help;
        help.show();
        auto* back = Find<QPushButton>(&help, "HelpBack");
        auto* forward = Find<QPushButton>(&help, "HelpForward");
        auto* contents = Find<QPushButton>(&help, "HelpContents");
        auto* index = Find<QPushButton>(&help, "HelpIndex");
        QCOMPARE(QStringList({back->text(), forward->text(), contents->text(), index->text()}),
                 QStringList({"Wstecz", "Dalej", "Spis treści", "Indeks"}));
        QVERIFY(!back->isEnabled() && !forward->isEnabled());

        QTest::mouseClick(index, Qt::LeftButton);
        QCOMPARE(help.Browser()->source(), HelpWindow::IndexPage());
        help.Browser()->setSource(PageUrl("drukowanie.html#kalibracja"));
        QTest::mouseClick(back, Qt::LeftButton);
        QCOMPARE(help.Browser()->source(), HelpWindow::IndexPage());
        QVERIFY(forward->isEnabled());
        QTest::mouseClick(forward, Qt::LeftButton);
        QCOMPARE(help.Browser()->source(), PageUrl("drukowanie.html#kalibracja"));
        QTest::mouseClick(contents, Qt::LeftButton);
        QCOMPARE(help.Browser()->source(), HelpWindow::ContentsPage());
    }

    // Every href of every page leads to a page of the guide and, with a fragment, to an anchor
    // of that page; every picture loads; every page can be reached from the contents.
    void EveryLinkAnchorAndPictureExists() {
        HelpWindow help;
        QTextBrowser& browser = *help.Browser();
        const QStringList pages = ResourcePages();
        QVERIFY(pages.contains("index.html") && pages.contains("indeks.html"));
        QMap<QString, PageLinks> read;
        for (const QString& page : pages) read.insert(page, ReadPage(browser, PageUrl(page)));

        QStringList faults;
        QSet<QString> linked;
        for (auto it = read.cbegin(); it != read.cend(); ++it) {
            for (const QUrl& link : it->links) {
                const QString target = QFileInfo(link.path()).fileName();
                if (link.scheme() != "qrc" || !read.contains(target)) {
                    faults << it.key() + " -> " + link.toString();
                    continue;
                }
                linked.insert(target);
                if (link.hasFragment() && !read[target].anchors.contains(link.fragment()))
                    faults << it.key() + " -> " + link.toString() + " (no such anchor)";
            }
            for (const QString& image : it->images) {
                const QUrl url = PageUrl(it.key()).resolved(QUrl(image));
                const QImage picture(":" + url.path());
                if (picture.isNull() || picture.width() > 600) faults << it.key() + " image " + image;
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("\n")));
        QSet<QString> inContents{"index.html"};
        for (const QUrl& link : read["index.html"].links) inContents.insert(QFileInfo(link.path()).fileName());
        for (const QString& page : pages) QVERIFY2(inContents.contains(page), qPrintable(page + " is not in the contents"));
        QVERIFY(read["start.html"].images.size() >= 1);
    }

    // The index lists its terms in Polish alphabetical order, each a link.
    void IndexTermsAreInAlphabeticalOrder() {
        HelpWindow help;
        QTextBrowser& browser = *help.Browser();
        browser.setSource(HelpWindow::IndexPage());
        QStringList terms;
        for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().isAnchor() && !it.fragment().charFormat().anchorHref().isEmpty())
                    terms << it.fragment().text();
        terms.removeAll("Spis treści");
        terms.removeAll("Indeks");
        QVERIFY(terms.size() > 40);
        QCollator polish{QLocale(QLocale::Polish)};
        polish.setCaseSensitivity(Qt::CaseInsensitive);
        for (int k = 1; k < terms.size(); ++k)
            QVERIFY2(polish.compare(terms[k - 1], terms[k]) <= 0, qPrintable(terms[k - 1] + " before " + terms[k]));
    }
};

QTEST_MAIN(TestHelpWindow)
#include "test_help_window.moc"

#pragma once
// HelpWindow "Pomoc - Kombinator": the program's own guide in Polish, pages from the program's
// resources, with Back, Forward, Contents and Index; one window, reused, never modal.

#include <QUrl>
#include <QWidget>

class QPushButton;
class QTextBrowser;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    static QUrl ContentsPage();  // "Spis treści"
    static QUrl IndexPage();     // "Indeks": terms in alphabetical order

    // Shows the window at the contents page and brings it to the front.
    void ShowContents();
    void ShowIndex();

    QTextBrowser* Browser() const { return browser_; }

private:
    // Shows and raises the window; the first time it is sized and centred to fit the screen.
    void Present();
    QTextBrowser* browser_;
    QPushButton* back_;
    QPushButton* forward_;
};
